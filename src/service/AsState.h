#pragma once

class QComboBox;

namespace asv {

// The state filter every AS list offers.
class AsState {
public:
    // "전체" first when wanted, then the states by their names carrying their values; the first
    // entry selected.
    static void fillList(QComboBox* list, bool withAll);
    // The filter's value, -1 for "전체".
    static int chosen(const QComboBox* list);
};

} // namespace asv
