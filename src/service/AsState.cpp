#include "AsState.h"

#include "AsJobRecord.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

namespace asv {

void AsState::fillList(QComboBox* list, bool withAll)
{
    list->clear();
    if (withAll)
        list->addItem(u"전체"_s, -1);
    for (const int state : {AsJobRecord::Received, AsJobRecord::Confirmed, AsJobRecord::Completed})
        list->addItem(AsJobRecord::stateName(state), state);
    list->setCurrentIndex(0);
}

int AsState::chosen(const QComboBox* list)
{
    return list->currentIndex() < 0 ? -1 : list->currentData().toInt();
}

} // namespace asv
