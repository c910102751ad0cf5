#include "AppScreens.h"

#include "FrmLUser_admin.h"
#include "FrmLUser_sel.h"
#include "FrmOffice_save.h"
#include "ScreenRegistry.h"
#include "frmOptions.h"
#include "frmOptions2.h"

using namespace Qt::StringLiterals;

namespace asv {

void AppScreens::registerAll()
{
    ScreenRegistry::add(u"mnuOffice"_s, {[](QWidget* parent) { return new FrmOffice_save(parent); }, true});
    ScreenRegistry::add(u"mnuCharge"_s, {[](QWidget* parent) { return new FrmLUser_admin(parent); }, false});
    ScreenRegistry::add(u"mnuOptions"_s, {[](QWidget* parent) { return new frmOptions(parent); }, true});
    ScreenRegistry::add(u"mnuOptions2"_s, {[](QWidget* parent) { return new frmOptions2(parent); }, true});
    FrmLUser_sel::registerPicker();
}

} // namespace asv
