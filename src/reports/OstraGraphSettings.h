#pragma once

#include "Setting.h"

// The graph's display settings. They belong to the graph control, not to this program: every
// program drawing with it reads and writes them under the control's own name.
namespace asv::OstraGraphSettings {

inline const QString kApp = QStringLiteral("OstraGraphOCX");
inline const QString kSection = QStringLiteral("Config");

inline const Setting<int> MaxColumns{kSection, QStringLiteral("MaxCols"), 50, kApp};
// 0: the scale follows the largest value.
inline const Setting<int> MaxY{kSection, QStringLiteral("MaxYVal"), 0, kApp};
inline const Setting<int> BottomMargin{kSection, QStringLiteral("MGBottom"), 500, kApp};
inline const Setting<bool> ShowValues{kSection, QStringLiteral("값보기"), false, kApp};
inline const Setting<bool> GridLines{kSection, QStringLiteral("가로선"), true, kApp};
inline const Setting<bool> FilledBars{kSection, QStringLiteral("막대채움"), true, kApp};
inline const Setting<bool> RotatedLabels{kSection, QStringLiteral("세로글자회전"), false, kApp};
// 0 bar, 1 line.
inline const Setting<int> GraphType{kSection, QStringLiteral("GraphType"), 0, kApp};
// Index into the units the window offers.
inline const Setting<int> DataUnit{kSection, QStringLiteral("DataUnit"), 0, kApp};
// Colours as red + 256 × green + 65536 × blue.
inline const Setting<int> BarColour{kSection, QStringLiteral("막대색"), 255, kApp};
inline const Setting<int> LineColour{kSection, QStringLiteral("꺾은선색"), 16711680, kApp};

} // namespace asv::OstraGraphSettings
