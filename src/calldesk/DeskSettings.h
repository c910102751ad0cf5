#pragma once

#include "ConfigKeys.h"

// The consult desk's own per-PC settings.
namespace asv::DeskSettings {

// Size and place of the desk, in twips as the older desks stored them.
inline const Setting<int> Width{ConfigKeys::kConfig, QStringLiteral("상담메인Width"), 15315};
inline const Setting<int> Height{ConfigKeys::kConfig, QStringLiteral("상담메인High"), 10950};
inline const Setting<int> Top{ConfigKeys::kConfig, QStringLiteral("상담메인Top"), 1};
inline const Setting<int> Left{ConfigKeys::kConfig, QStringLiteral("상담메인Left"), 1};

} // namespace asv::DeskSettings
