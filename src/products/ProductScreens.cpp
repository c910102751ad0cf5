#include "ProductScreens.h"

#include "FrmProd_admin.h"
#include "FrmProd_sel.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void ProductScreens::registerAll()
{
    ScreenRegistry::add(u"mnuProduct"_s, {[](QWidget* parent) { return new FrmProd_admin(parent); }, false});
    FrmProd_sel::registerPicker();
}

} // namespace asv
