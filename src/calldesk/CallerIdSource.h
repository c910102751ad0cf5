#pragma once

#include "CallerIdReceiver.h"

#include <QObject>
#include <QString>

namespace asv {

// Where caller numbers come from: a device on up to two ports, or a server on the network. Every
// number is reported on the GUI thread with the moment its bytes were read.
class CallerIdSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The source for a "SeeIDType" value; nullptr for a value no source has.
    static CallerIdSource* create(int type, QObject* parent = nullptr);
    // Every setting that decides what is opened, as one text: when it changes, open again.
    static QString configuration();

    // Devices serve the lines of the port settings; a server serves one line and needs no port.
    virtual bool usesPorts() const { return true; }
    // false when the line cannot be opened (or, for a server, is not set up).
    virtual bool openLine(int line, int port) = 0;
    virtual bool closeLine(int line) = 0;
    // How messages name the place of a line opened on port.
    virtual QString placeOf(int line, int port) const;

signals:
    void callerNumber(const QString& number, int line, asv::CallArrival arrived);
    // "CONNECT" once the device or server answers; any other text when it fails or stops.
    void lineStatus(int line, const QString& status);
};

} // namespace asv
