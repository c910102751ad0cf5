#include "CustomerScreens.h"

#include "FrmCust_admin.h"
#include "FrmCust_save.h"
#include "FrmCust_sel.h"
#include "PickerRegistry.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void CustomerScreens::registerAll()
{
    ScreenRegistry::add(u"mnuCustomer"_s, {[](QWidget* parent) { return new FrmCust_admin(parent); }, false});
    FrmCust_sel::registerPicker();
    PickerRegistry::registerEditor(kFindKindCust, &FrmCust_save::registerNew);
}

} // namespace asv
