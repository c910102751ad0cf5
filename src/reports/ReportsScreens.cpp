#include "ReportsScreens.h"

#include "FrmRPT_ledger.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void ReportsScreens::registerAll()
{
    ScreenRegistry::add(u"mnuAS_Report_30"_s, {[](QWidget* parent) { return new FrmRPT_ledger(parent); }, false});
}

} // namespace asv
