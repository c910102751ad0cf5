#include "ServiceScreens.h"

#include "FrmAS_save.h"
#include "FrmAS_admin.h"
#include "FrmAS_admin2.h"
#include "FrmAsCode_save.h"
#include "FrmRPT_ASList.h"
#include "FrmRPT_Consult.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void ServiceScreens::registerAll()
{
    ScreenRegistry::add(u"mnuBase_ascode"_s, {[](QWidget* parent) { return new FrmAsCode_save(parent); }, false});
    // Not on the menu: the desk opens a new job for its caller under this name.
    ScreenRegistry::add(u"FrmAS_save"_s, {[](QWidget* parent) { return new FrmAS_save(parent); }, true});
    ScreenRegistry::add(u"mnuSlipAS_10"_s, {[](QWidget* parent) { return new FrmAS_admin(parent); }, false});
    // No menu entry opens the status screen; it is kept under its own name.
    ScreenRegistry::add(u"FrmAS_admin2"_s, {[](QWidget* parent) { return new FrmAS_admin2(parent); }, false});
    ScreenRegistry::add(u"mnuAS_Report_50"_s, {[](QWidget* parent) { return new FrmRPT_ASList(parent); }, false});
    ScreenRegistry::add(u"mnuSlipConList"_s, {[](QWidget* parent) { return new FrmRPT_Consult(parent); }, false});
}

} // namespace asv
