#pragma once

#include "Setting.h"

namespace asv::ZipcodeSettings {

inline const QString kSection = QStringLiteral("우편번호");
// Where "<tag>.zip" of each province is downloaded from; the folder's address, with or without "/".
inline const Setting<QString> DownloadUrl{kSection, QStringLiteral("DownloadUrl"), {}};
// "1" once the first-use notice was shown.
inline const Setting<bool> FirstUseShown{kSection, QStringLiteral("PostFirst"), false};

} // namespace asv::ZipcodeSettings
