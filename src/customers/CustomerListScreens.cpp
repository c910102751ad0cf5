#include "CustomerListScreens.h"

#include "FrmCust_admin.h"
#include "FrmCust_sel.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void CustomerListScreens::registerAll()
{
    ScreenRegistry::add(u"mnuCustomer"_s, {[](QWidget* parent) { return new FrmCust_admin(parent); }, false});
    FrmCust_sel::registerPicker();
}

} // namespace asv
