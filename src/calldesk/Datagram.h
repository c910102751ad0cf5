#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace asv {

// One message between desks: "<type>;<payload>" in the code page the old desks speak.
class Datagram {
public:
    enum Type : int {
        Unknown = -1, // no ";" or a type that is not a number
        Acknowledge = 0,
        AreYouThere = 1,
        PresenceRequest = 10,
        Text = 12,
        PresenceNotice = 13,
        PresenceAnswer = 20,
        TextEcho = 22,
        PresenceEcho = 23,
        Presence = 30,
        TextRelease = 32,
        PresenceRelease = 33,
        Call = 40,
        CallForUser = 100,
        // The customised edition's outside call system: sent, never acted on.
        ResultRequest = 103,
        // Ours: desks that predate it ignore every type above 100.
        CallTaken = 140,
    };

    Datagram() = default;
    Datagram(int type, QString payload) : m_type(type), m_payload(std::move(payload)), m_framed(true) {}

    static Datagram parse(const QByteArray& bytes);
    // Throws AppError when the payload holds a character the code page cannot carry.
    QByteArray encode() const;

    int type() const { return m_type; }
    const QString& payload() const { return m_payload; }
    // The payload split at every ";".
    QStringList fields() const { return m_payload.split(u';'); }
    // False for a datagram without ";": the desk shows its text as an unknown protocol.
    bool isFramed() const { return m_framed; }
    // The whole text as received.
    const QString& text() const { return m_text; }

    // Types that reach one desk only after it answered "are you there".
    static bool needsHandshake(int type);

private:
    int m_type = Unknown;
    QString m_payload;
    QString m_text;
    bool m_framed = false;
};

} // namespace asv
