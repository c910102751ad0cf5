#pragma once

#include "Clock.h"
#include "DateText.h"
#include "Setting.h"

namespace asv {

// The dates a history list covers, "yyyy-mm-dd" both, the end included.
struct HistoryPeriod {
    QString from;
    QString to;
};

// Where one history list keeps its period. Only the start is the operator's: the end is today,
// written again whenever the panes open or find the day has changed.
struct HistoryPeriodSetting {
    Setting<QString> from;
    Setting<QString> to;

    HistoryPeriod read() const
    {
        const QString end = to.text();
        return {from.text(), end.isEmpty() ? DateText::format(Clock::today()) : end};
    }
    void endToday() const { to.set(DateText::format(Clock::today())); }
};

namespace HistoryPeriods {

inline const QString kSection = QStringLiteral("Config_ASList");
inline const QString kEarliest = QStringLiteral("2000-01-01");

inline const HistoryPeriodSetting AS{{kSection, QStringLiteral("AS1"), kEarliest},
                                     {kSection, QStringLiteral("AS2"), {}}};
inline const HistoryPeriodSetting Consult{{kSection, QStringLiteral("Consult1"), kEarliest},
                                          {kSection, QStringLiteral("Consult2"), {}}};
inline const HistoryPeriodSetting Sell{{kSection, QStringLiteral("Sell1"), kEarliest},
                                       {kSection, QStringLiteral("Sell2"), {}}};

inline void endAllToday()
{
    for (const HistoryPeriodSetting* period : {&AS, &Consult, &Sell})
        period->endToday();
}

} // namespace HistoryPeriods

} // namespace asv
