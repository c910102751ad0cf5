#pragma once

class QWidget;

namespace asv {

// Where a small dialog opens relative to the control that opened it.
enum class PopupPlace { Below = 0, Above = 1, Centred = 2 };

// Moves popup next to anchor, kept inside the anchor's screen.
void PlacePopup(QWidget& popup, const QWidget* anchor, PopupPlace place);

} // namespace asv
