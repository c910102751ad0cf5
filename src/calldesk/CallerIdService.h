#pragma once

#include "CallerIdReceiver.h"

#include <QMap>
#include <QObject>

namespace asv {

class CallerIdSource;

// This PC's caller-ID device and its open lines, as the settings name them. The main window only
// creates it, shows its state and hands its numbers to the desk.
class CallerIdService : public QObject {
    Q_OBJECT
public:
    explicit CallerIdService(QObject* parent = nullptr);
    ~CallerIdService() override;

    // Closes what is open, then opens every configured line of the configured device; a line that
    // does not open is told to the operator and left out.
    void open();
    // Closes every open line; a line that does not close is told.
    void close();
    // Opens again when the settings name another device or port than at the last open().
    void reopenIfSettingsChanged();

signals:
    void callerNumber(const QString& number, int line, asv::CallArrival arrived);
    // A device is configured: its state shows from now on.
    void deviceOpened();
    // Whether the device answers: a line on a port once it opened, a server once it says so.
    void answering(bool on);

private:
    void lineStatusChanged(int line, const QString& status);
    // False when nothing was open.
    bool closeLines();

    CallerIdSource* m_source = nullptr;
    QString m_openedWith;
    QMap<int, int> m_ports; // open line -> its port
};

} // namespace asv
