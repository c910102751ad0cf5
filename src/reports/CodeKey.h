#pragma once

#include <QString>

namespace asv {

// A code as the server compares it: letter case and trailing blanks do not count. Documents an
// older program wrote in lower case belong to the customer all the same.
class CodeKey {
public:
    static QString of(const QString& code);
};

} // namespace asv
