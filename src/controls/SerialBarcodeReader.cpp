#include "SerialBarcodeReader.h"

#include "ConfigKeys.h"
#include "SerialDevicePath.h"

#include <QApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QSerialPort>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

void typeIntoFocus(const QString& text)
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        return;
    // The keys go to the field itself, past the input method, so Hangul mode cannot compose them;
    // a syllable the operator was composing there is finished first rather than mixed in.
    QGuiApplication::inputMethod()->commit();
    auto send = [target](int key, const QString& typed) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, typed);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, typed);
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    };
    for (QChar c : text)
        send(0, QString(c));
    send(Qt::Key_Return, u"\r"_s);
}

} // namespace

SerialBarcodeReader::SerialBarcodeReader(QObject* parent) : QObject(parent) {}

SerialBarcodeReader::~SerialBarcodeReader()
{
    close();
}

bool SerialBarcodeReader::open()
{
    using namespace ConfigKeys;
    close();
    const QString device = SerialDevicePath(SerialBarcodePort.text());
    if (!SerialBarcode.get() || device.isEmpty())
        return false;
    auto* port = new QSerialPort(device, this);
    port->setBaudRate(SerialBarcodeBaud.text().toInt());
    port->setDataBits(static_cast<QSerialPort::DataBits>(SerialBarcodeDataBits.text().toInt()));
    const QString parity = SerialBarcodeParity.text();
    port->setParity(parity == u"E"_s ? QSerialPort::EvenParity
                    : parity == u"O"_s ? QSerialPort::OddParity
                                       : QSerialPort::NoParity);
    const QString stop = SerialBarcodeStopBits.text();
    port->setStopBits(stop == u"2"_s     ? QSerialPort::TwoStop
                      : stop == u"1.5"_s ? QSerialPort::OneAndHalfStop
                                         : QSerialPort::OneStop);
    if (!port->open(QIODevice::ReadOnly)) {
        delete port;
        return false;
    }
    m_port = port;
    connect(m_port, &QSerialPort::readyRead, this, &SerialBarcodeReader::read);
    return true;
}

void SerialBarcodeReader::close()
{
    delete m_port;
    m_port = nullptr;
    m_buffer.clear();
}

bool SerialBarcodeReader::isOpen() const
{
    return m_port && m_port->isOpen();
}

QString SerialBarcodeReader::takeBarcodeFrame(QByteArray& buffer)
{
    if (buffer.isEmpty())
        return {};
    const char last = buffer.back();
    if (last != '\r' && last != '\x03')
        return {};
    QByteArray frame = buffer.mid(1, buffer.size() - 2);
    buffer.clear();
    if (frame.startsWith('F'))
        frame.remove(0, 1);
    return QString::fromLatin1(frame);
}

void SerialBarcodeReader::read()
{
    if (!m_port || m_port->bytesAvailable() < 1)
        return;
    m_buffer += m_port->readAll();
    const QString text = takeBarcodeFrame(m_buffer);
    if (!text.isEmpty())
        typeIntoFocus(text);
}

} // namespace asv
