#pragma once

#include "Setting.h"

// The remembered choices of the period reports and the sales graph.
namespace asv::PeriodReportSettings {

inline const QString kFormSection = QStringLiteral("Config_Form");

// 0: the salesperson filter goes by the customer's main salesperson, 1: by the document's.
inline const Setting<int> SalesChargeOf{kFormSection, QStringLiteral("일자별매출_담당구분"), 0};
inline const Setting<int> ReceiptsChargeOf{kFormSection, QStringLiteral("업체별입금_담당구분"), 0};
// 0 day, 1 month, 2 year.
inline const Setting<int> GraphGrouping{QStringLiteral("Config"), QStringLiteral("Graph_Key"), 0};
inline const Setting<QString> GraphPrintTitle{kFormSection, QStringLiteral("GraphA_인쇄제목"),
                                              QStringLiteral("매출분석")};

} // namespace asv::PeriodReportSettings
