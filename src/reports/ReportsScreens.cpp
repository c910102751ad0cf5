#include "ReportsScreens.h"

#include "FrmRPT_baln.h"
#include "FrmRPT_graphA.h"
#include "FrmRPT_ledger.h"
#include "FrmRPT_recv_date.h"
#include "FrmRPT_sale_date.h"
#include "FrmTool_Repair.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void ReportsScreens::registerAll()
{
    ScreenRegistry::add(u"mnuAS_Report_10"_s, {[](QWidget* parent) { return new FrmRPT_sale_date(parent); }});
    ScreenRegistry::add(u"mnuAS_Report_20"_s, {[](QWidget* parent) { return new FrmRPT_recv_date(parent); }});
    ScreenRegistry::add(u"mnuAS_Report_30"_s, {[](QWidget* parent) { return new FrmRPT_ledger(parent); }, false});
    ScreenRegistry::add(u"mnuAS_Report_40"_s, {[](QWidget* parent) { return new FrmRPT_baln(parent); }, false});
    ScreenRegistry::add(u"mnuAS_Report_60"_s, {[](QWidget* parent) { return new FrmRPT_graphA(parent); }});
    ScreenRegistry::add(u"mnuDataRecovery"_s, {[](QWidget* parent) { return new FrmTool_Repair(parent); }, false});
}

} // namespace asv
