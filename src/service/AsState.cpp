#include "AsState.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

namespace asv {

QString AsState::name(int state)
{
    switch (state) {
    case Confirmed:
        return u"확인"_s;
    case Completed:
        return u"완료"_s;
    default:
        return u"접수"_s;
    }
}

void AsState::fillList(QComboBox* list, bool withAll)
{
    list->clear();
    if (withAll)
        list->addItem(u"전체"_s, -1);
    for (const int state : {Received, Confirmed, Completed})
        list->addItem(name(state), state);
    list->setCurrentIndex(0);
}

int AsState::chosen(const QComboBox* list)
{
    return list->currentIndex() < 0 ? -1 : list->currentData().toInt();
}

} // namespace asv
