#pragma once

#include "CallerIdReceiver.h"
#include "Datagram.h"
#include "UdpRelayPeer.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <optional>

class QUdpSocket;

namespace asv {

// The desk's one UDP socket: announces calls to the other desks, receives theirs, and carries the
// messages between desks with the old desks' "are you there" handshake.
class UdpRelay : public QObject {
    Q_OBJECT

public:
    explicit UdpRelay(QObject* parent = nullptr);
    ~UdpRelay() override;

    // Binds per the settings; false (and logs) when it cannot.
    bool open();
    bool isOpen() const;
    // Addresses per the settings without taking the desk's port, for a sender beside an open desk
    // (the command line).
    void prepareToSend();

    void announceCall(const QString& rawNumber);
    void announceTaken(const QString& callCode, const QString& number, const QString& time,
                       const QString& userCode);

    // To one desk; the handshake types go out once it answered "are you there". While an earlier
    // message waits for its answer, later ones queue; one still queued after the whole wait is
    // given up and the operator told.
    void send(int type, const QString& payload, const UdpRelayPeer& to);
    // To every desk.
    void broadcast(int type, const QString& payload);

    // The user of this desk, for the calls the office assigns to a user; the login's by default.
    const QString& userCode() const { return m_userCode; }
    void setUserCode(const QString& code) { m_userCode = code; }
    // How userstate tells the other desks where this one listens; empty while not open.
    QString ownAddressText() const;
    quint16 officePort() const { return m_port; }

    // The give-up time of the handshake, and the step of the wait behind it (40 steps in all).
    void setHandshakeTimings(std::chrono::milliseconds answerTimeout, std::chrono::milliseconds waitStep);

signals:
    void callAnnounced(const QString& number, asv::CallArrival arrived);
    void callAssignedToMe(const QString& number, asv::CallArrival arrived);
    void callTaken(const QString& callCode, const QString& number, const QString& time, const QString& userCode);
    // A datagram without ";": the desk shows its text and "프로토콜을 알수없음".
    void unknownProtocol(const QString& text);
    // Presence and text messages, for the presence panel.
    void messageReceived(int type, const QString& payload, const asv::UdpRelayPeer& from);

private:
    struct Outgoing {
        Datagram datagram;
        QList<UdpRelayPeer> to;
    };

    // The settings' port, peers, own and broadcast address; returns the address to listen on.
    QHostAddress configure();
    void readDatagrams();
    void dispatch(const Datagram& d, const UdpRelayPeer& from, CallArrival arrived);
    void enqueue(Outgoing message);
    void transmit(const Outgoing& message);
    void answered(const UdpRelayPeer& from);
    void answerTimedOut();
    void flushQueue();
    void waitStep();
    void write(const Datagram& d, const UdpRelayPeer& to);
    QList<UdpRelayPeer> everyone() const;

    QUdpSocket* m_socket;
    QTimer* m_answerTimer; // tmrTimeOut
    QTimer* m_waitTimer;
    int m_waitedSteps = 0;
    std::optional<Outgoing> m_awaitingAnswer;
    QList<Outgoing> m_queue;
    QString m_userCode;
    UdpRelayPeer m_self;
    quint16 m_port = 16500;
    QHostAddress m_broadcast;
    QList<UdpRelayPeer> m_peers;
};

} // namespace asv
