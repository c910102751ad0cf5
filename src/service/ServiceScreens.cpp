#include "ServiceScreens.h"

#include "FrmAsCode_save.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void ServiceScreens::registerAll()
{
    ScreenRegistry::add(u"mnuBase_ascode"_s, {[](QWidget* parent) { return new FrmAsCode_save(parent); }, false});
}

} // namespace asv
