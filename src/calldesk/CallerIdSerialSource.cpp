#include "CallerIdSerialSource.h"

#include "CallerIdLog.h"
#include "CallerIdSettings.h"
#include "SerialDevicePath.h"

#include <QPointer>
#include <QSerialPort>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

constexpr int kBoxBaud = 19200;
// A device that never ends a line is noise; past this the buffer is dropped.
constexpr qsizetype kMaxLine = 4096;

void command(QSerialPort* port, const char* text)
{
    port->write(text);
    port->write("\r");
}

} // namespace

CallerIdSerialSource::CallerIdSerialSource(Kind kind, QObject* parent) : CallerIdSource(parent), m_kind(kind) {}

namespace {

QString ownDevice(int line)
{
    return line >= 1 && line <= CallerIdSettings::DevicePaths.size()
        ? CallerIdSettings::DevicePaths[line - 1].get().trimmed()
        : QString();
}

} // namespace

QString CallerIdSerialSource::devicePath(int line, int port)
{
    const QString own = ownDevice(line);
    return own.isEmpty() ? SerialDevicePath(u"COM"_s + QString::number(port)) : SerialDevicePath(own);
}

QString CallerIdSerialSource::placeOf(int line, int port) const
{
    const QString own = ownDevice(line);
    return own.isEmpty() ? CallerIdSource::placeOf(line, port) : SerialDevicePath(own);
}

bool CallerIdSerialSource::openLine(int line, int port)
{
    closeLine(line);
    const QString device = devicePath(line, port);
    if (device.isEmpty())
        return false;
    auto* serial = new QSerialPort(device, this);
    serial->setBaudRate(m_kind == Kind::Box ? kBoxBaud : CallerIdSettings::ModemBaud.get());
    serial->setDataBits(QSerialPort::Data8);
    serial->setParity(QSerialPort::NoParity);
    serial->setStopBits(QSerialPort::OneStop);
    serial->setFlowControl(QSerialPort::NoFlowControl);
    if (!serial->open(QIODevice::ReadWrite)) {
        qCWarning(lcCallerId) << "cannot open" << device << serial->errorString();
        delete serial;
        return false;
    }
    Line& state = m_lines[line];
    state.port = serial;
    connect(serial, &QSerialPort::readyRead, this, [this, line] { read(line); });
    // A USB device pulled out or a line hung up: the line stays silent until it is opened again.
    // A hang-up reads as zero bytes, a read error to Qt; left open, the port would signal it again
    // at once, for ever.
    connect(serial, &QSerialPort::errorOccurred, this, [this, line, serial](QSerialPort::SerialPortError error) {
        if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError)
            return;
        const QString why = serial->errorString();
        qCWarning(lcCallerId) << "line" << line << why;
        serial->close();
        emit lineStatus(line, why);
    });
    // Answering is off (S0=0) and results are words (V1), so the replies can be read as lines.
    command(serial, "AT Z S0=0 E1 V1 Q0");
    qCInfo(lcCallerId) << "line" << line << "open on" << device;
    return true;
}

bool CallerIdSerialSource::closeLine(int line)
{
    const auto it = m_lines.find(line);
    if (it == m_lines.end())
        return false;
    // Closing may come from a handler of this port's own signal.
    it->second.port->close();
    it->second.port->deleteLater();
    m_lines.erase(it);
    return true;
}

void CallerIdSerialSource::read(int line)
{
    const CallArrival arrived = std::chrono::steady_clock::now();
    const auto it = m_lines.find(line);
    if (it == m_lines.end())
        return;
    QSerialPort* port = it->second.port;
    QByteArray& buffer = it->second.buffer;
    buffer += port->readAll();
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < buffer.size(); ++i) {
        if (buffer[i] != '\r' && buffer[i] != '\n')
            continue;
        if (i > start)
            lines << buffer.sliced(start, i - start);
        start = i + 1;
    }
    buffer.remove(0, start);
    if (buffer.size() > kMaxLine) {
        CallerIdLog::rawLine(u"line"_s + QString::number(line), buffer.first(64));
        buffer.clear();
    }
    // A number or a status may open a window or a message box and with it close this line.
    const QPointer<CallerIdSerialSource> alive(this);
    for (const QByteArray& text : lines) {
        const auto current = m_lines.find(line);
        if (current == m_lines.end() || current->second.port != port)
            return;
        handle(line, current->second, text, arrived);
        if (!alive)
            return;
    }
}

void CallerIdSerialSource::handle(int line, Line& state, QByteArrayView text, CallArrival arrived)
{
    CallerIdLog::rawLine(u"line"_s + QString::number(line), text);
    const CallerIdModemParser::Result result = state.parser.feed(text);
    if (result.reply != CallerIdModemParser::Reply::None)
        answered(line, state, result.reply);
    else if (!result.number.isEmpty())
        emit callerNumber(result.number, line, arrived);
}

void CallerIdSerialSource::answered(int line, Line& state, CallerIdModemParser::Reply reply)
{
    const bool ok = reply == CallerIdModemParser::Reply::Ok;
    switch (state.step) {
    case Step::Reset:
        command(state.port, "AT+VCID=1");
        state.step = Step::CallerId;
        return;
    case Step::CallerId:
        if (!ok) {
            command(state.port, "AT#CID=1");
            state.step = Step::OtherCallerId;
            return;
        }
        break;
    case Step::OtherCallerId:
        break;
    case Step::Ready:
        return;
    }
    state.step = Step::Ready;
    if (m_kind == Kind::Modem)
        emit lineStatus(line, ok ? u"CONNECT"_s : u"ERROR"_s);
}

} // namespace asv
