#include "CustomerRecordScreens.h"

#include "FrmCust_save.h"
#include "PickerRegistry.h"

namespace asv {

void CustomerRecordScreens::registerAll()
{
    PickerRegistry::registerEditor(kFindKindCust, &FrmCust_save::registerNew);
}

} // namespace asv
