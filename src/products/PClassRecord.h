#pragma once

#include <QString>

namespace asv {

// A product class. Products refer to it by name, so a rename is carried to them.
struct PClassRecord {
    QString code;
    QString name;

    bool operator==(const PClassRecord&) const = default;
};

} // namespace asv
