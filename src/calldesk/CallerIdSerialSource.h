#pragma once

#include "CallerIdModemParser.h"
#include "CallerIdSource.h"

#include <QByteArray>
#include <map>

class QSerialPort;

namespace asv {

// Caller-ID modems and boxes on serial ports, one per line, reading their caller-ID text. The
// modem kind reports "CONNECT" once it accepts the caller-ID command; the box kind runs at
// 19200,N,8,1. Either reports a device that goes away.
class CallerIdSerialSource : public CallerIdSource {
    Q_OBJECT
public:
    enum class Kind { Modem, Box };

    explicit CallerIdSerialSource(Kind kind, QObject* parent = nullptr);

    bool openLine(int line, int port) override;
    bool closeLine(int line) override;
    // The device path set for the line, else the port's COM<n>.
    QString placeOf(int line, int port) const override;

    // The device of a line: its own path setting, else the serial port COM<port>.
    static QString devicePath(int line, int port);

private:
    // The set-up conversation: reset, formatted caller ID, the other makers' command as fallback.
    enum class Step { Reset, CallerId, OtherCallerId, Ready };
    struct Line {
        QSerialPort* port = nullptr;
        QByteArray buffer;
        CallerIdModemParser parser;
        Step step = Step::Reset;
    };

    void read(int line);
    void handle(int line, Line& state, QByteArrayView text, CallArrival arrived);
    void answered(int line, Line& state, CallerIdModemParser::Reply reply);

    Kind m_kind;
    std::map<int, Line> m_lines;
};

} // namespace asv
