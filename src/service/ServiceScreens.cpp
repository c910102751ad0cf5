#include "ServiceScreens.h"

#include "FrmAS_save.h"
#include "FrmAsCode_save.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void ServiceScreens::registerAll()
{
    ScreenRegistry::add(u"mnuBase_ascode"_s, {[](QWidget* parent) { return new FrmAsCode_save(parent); }, false});
    // Not on the menu: the desk opens a new job for its caller under this name.
    ScreenRegistry::add(u"FrmAS_save"_s, {[](QWidget* parent) { return new FrmAS_save(parent); }, true});
}

} // namespace asv
