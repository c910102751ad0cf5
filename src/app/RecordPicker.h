#pragma once

#include "Pick.h"

#include <QString>

namespace asv {

// What the find-or-register flow needs of a picker window (users, customers, products). Picker
// windows live in higher libraries and are reached through the PickerRegistry.
class RecordPicker {
public:
    virtual ~RecordPicker() = default;

    // The state of the search box that asks: its field list and operator text (an entry of
    // FindBar::FillFindOP's list). Empty values leave the picker's own choice.
    virtual void setSearchState(const QString& fields, const QString& opText) = 0;
    // Searches for text, narrowed by extraCondition when that is not empty: the record whose code
    // is text, else the kind's own search. The number of rows; after exactly one Result() is it.
    virtual int FindRecords(const QString& text, const QString& extraCondition) = 0;
    // Shows the picker modally; true when the operator picked a row.
    virtual bool pickModal() = 0;
    // The picked row.
    virtual Pick Result() const = 0;
};

} // namespace asv
