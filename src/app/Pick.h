#pragma once

#include <QString>

namespace asv {

// A record taken from a picker or saved by an editor, handed to whoever asked for it. An empty
// code means nothing was taken. The free-text product is code "000000" with the typed text as name.
struct Pick {
    QString code;
    QString name;

    bool isEmpty() const { return code.isEmpty(); }
    friend bool operator==(const Pick&, const Pick&) = default;
};

} // namespace asv
