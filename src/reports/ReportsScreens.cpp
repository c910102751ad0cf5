#include "ReportsScreens.h"

#include "FrmRPT_baln.h"
#include "FrmTool_Repair.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void ReportsScreens::registerAll()
{
    ScreenRegistry::add(u"mnuAS_Report_40"_s, {[](QWidget* parent) { return new FrmRPT_baln(parent); }, false});
    ScreenRegistry::add(u"mnuDataRecovery"_s, {[](QWidget* parent) { return new FrmTool_Repair(parent); }, false});
}

} // namespace asv
