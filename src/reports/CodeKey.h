#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace asv {

// A code as the server compares it: letter case and trailing blanks do not count. Documents an
// older program wrote in lower case belong to the customer all the same.
class CodeKey {
public:
    static QString of(const QString& code);
    // of() of the decoded code, as UTF-8, from the code page bytes the server sent. A year of the
    // book is hundreds of thousands of look-ups: plain ASCII codes are keyed without decoding and,
    // unless a letter needs raising, without a copy, so the key may point into code.
    static QByteArray ofBytes(QByteArrayView code);
};

} // namespace asv
