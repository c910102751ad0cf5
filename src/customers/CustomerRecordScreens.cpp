#include "CustomerRecordScreens.h"

#include "FrmCust_save.h"
#include "PickerRegistry.h"

namespace asv {

void CustomerRecordScreens::registerAll()
{
    PickerRegistry::registerEditor(kFindKindCust, [](QWidget* parent, const QString& text) {
        const QString added = FrmCust_save::registerNew(parent, text);
        return Pick{added.section(QChar(u'\0'), 0, 0), added.section(QChar(u'\0'), 1, 1)};
    });
}

} // namespace asv
