#pragma once

#include <QString>
#include <variant>

namespace asv {

// One column of a record: how its store reads and writes it and how its editor shows it.
template <class Record>
struct RecordField {
    using Member = std::variant<QString Record::*, double Record::*, int Record::*, bool Record::*>;

    QString column;
    Member member;
    // The editor's control (its objectName) and row caption; no control where the editor shows the
    // column in a control of its own, or not at all.
    QString control = {};
    QString caption = {};
    // Of its text field: the code-page byte limit (0 = none) and the HCText kind of input.
    int bytes = 0;
    int kind = 0;
    bool trimmed = false;
};

} // namespace asv
