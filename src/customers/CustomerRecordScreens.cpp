#include "CustomerRecordScreens.h"

#include "FrmCust_save.h"
#include "PickerRegistry.h"

namespace asv {

void CustomerRecordScreens::registerAll()
{
    PickerRegistry::registerEditor(kFindKindCust, [](QWidget* parent, const QString& text) {
        const Pick saved = FrmCust_save::registerNew(parent, text);
        return saved.isEmpty() ? QString() : saved.code + QChar(u'\0') + saved.name;
    });
}

} // namespace asv
