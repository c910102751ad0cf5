#pragma once

#include "UdpRelayPeer.h"

#include <QHash>
#include <QWidget>
#include <chrono>

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QTimer;

namespace asv {

class FrmAS_Msg;
class UdpRelay;

// The operator's presence and the colleagues online, kept in userstate and passed between the
// desks; double-clicking a colleague writes a message to his desk.
class PresencePanel : public QWidget {
    Q_OBJECT

public:
    struct Timings {
        std::chrono::milliseconds heartbeat{7000};
        std::chrono::milliseconds read{19000};
        int silentSeconds = 21;
    };

    explicit PresencePanel(UdpRelay* relay, QWidget* parent = nullptr);

    // Heartbeat and colleagues now, then by the timers; asks the open desks for their presence.
    void start();
    // The desk closes: it goes offline at once.
    void stop();
    void setTimings(const Timings& timings);

private:
    template <typename F>
    void guarded(const QString& procedure, F&& body);
    void writeHeartbeat();
    void readPresence();
    void presenceChosen();
    void messageReceived(int type, const QString& payload, const UdpRelayPeer& from);
    void showPresence(const QString& code, const QString& state, const UdpRelayPeer& at);
    void openMessage(QListWidgetItem* item);
    void sendText(const QString& code, const QString& text);
    void showReceivedText(const QString& payload);
    FrmAS_Msg* newMessageWindow();
    void tellOffline(const QString& code) const;
    QString nameOf(const QString& code) const;
    QString presence() const;
    // "<user>;<presence>", what the presence messages carry.
    QString ownPresence() const;

    UdpRelay* m_relay;
    QComboBox* m_state;
    QListWidget* m_list;
    QTimer* m_heartbeat;
    QTimer* m_read;
    int m_silentSeconds = 21;
    bool m_failing = false;
    QHash<QString, QString> m_names;          // user code -> name
    QHash<QString, UdpRelayPeer> m_addresses; // user code -> desk
    // Messages waiting for their echo or release, by the desk's key.
    QHash<QString, QString> m_sentTexts;
    QHash<QString, QString> m_receivedTexts;
    QHash<QString, QString> m_receivedPresence;
    QString m_presenceNotice;
};

} // namespace asv
