#pragma once

#include <QString>

class QComboBox;

namespace asv {

// The states of an AS job as every list names, filters and colours them.
class AsState {
public:
    enum Value { Received = 0, Confirmed = 2, Completed = 9 };

    // "접수", "확인", "완료"; a value no screen knows is still a received job.
    static QString name(int state);
    // The state filter: "전체" first when wanted, then the three states carrying their values;
    // the first entry selected.
    static void fillList(QComboBox* list, bool withAll);
    // The filter's value, -1 for "전체".
    static int chosen(const QComboBox* list);
};

} // namespace asv
