#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSerialPort;

namespace asv {

// The serial barcode reader of this PC: every complete frame is typed into the control that has
// the focus, followed by Enter, so that any field that takes a typed barcode takes the reader too.
class SerialBarcodeReader : public QObject {
    Q_OBJECT
public:
    explicit SerialBarcodeReader(QObject* parent = nullptr);
    ~SerialBarcodeReader() override;

    // Opens the reader when this PC's settings ask for it; false leaves the reader off (not wanted,
    // or the port could not be opened).
    bool open();
    void close();
    bool isOpen() const;

    // The text of a complete frame (ending in CR or ETX) without its first and last characters and
    // a leading "F", taken out of the buffer; empty while the frame is incomplete.
    static QString takeBarcodeFrame(QByteArray& buffer);

private:
    void read();

    QSerialPort* m_port = nullptr;
    QByteArray m_buffer;
};

} // namespace asv
