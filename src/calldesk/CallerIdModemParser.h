#pragma once

#include <QByteArrayView>
#include <QString>

namespace asv {

// Reads a modem's caller-ID text line by line: the "TAG = value" lines that follow a ring, the
// single hex line of the unformatted form, and the modem's answers to its set-up commands.
// Keeps the first number of a call; RING or DATE starts the next one.
class CallerIdModemParser {
public:
    enum class Reply { None, Ok, Error };
    struct Result {
        Reply reply = Reply::None;
        QString number; // set once per call, normalised
    };

    // One line without its line end; anything at all may arrive.
    Result feed(QByteArrayView line);

private:
    QString takeNumber(QStringView value);

    bool m_numberTaken = false;
};

} // namespace asv
