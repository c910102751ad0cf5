#pragma once

#include "Setting.h"

namespace asv::ZipcodeSettings {

inline const QString kSection = QStringLiteral("우편번호");
// "1" once the first-use notice was shown.
inline const Setting<bool> FirstUseShown{kSection, QStringLiteral("PostFirst"), false};

} // namespace asv::ZipcodeSettings
