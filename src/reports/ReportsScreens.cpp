#include "ReportsScreens.h"

#include "FrmRPT_graphA.h"
#include "FrmRPT_ledger.h"
#include "FrmRPT_recv_date.h"
#include "FrmRPT_sale_date.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void ReportsScreens::registerAll()
{
    ScreenRegistry::add(u"mnuAS_Report_10"_s, {[](QWidget* parent) { return new FrmRPT_sale_date(parent); }});
    ScreenRegistry::add(u"mnuAS_Report_20"_s, {[](QWidget* parent) { return new FrmRPT_recv_date(parent); }});
    ScreenRegistry::add(u"mnuAS_Report_30"_s, {[](QWidget* parent) { return new FrmRPT_ledger(parent); }, false});
    ScreenRegistry::add(u"mnuAS_Report_60"_s, {[](QWidget* parent) { return new FrmRPT_graphA(parent); }});
}

} // namespace asv
