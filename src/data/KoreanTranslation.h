#pragma once

namespace asv {

// Qt's own Korean texts for its standard dialogs and the text fields' context menus; call once
// before the first window. False when the translation file is not installed: those texts stay English.
bool LoadKoreanTranslation();

} // namespace asv
