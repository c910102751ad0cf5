#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace asv::test {

// A real server on 127.0.0.1 run by the system's Python: an SMTP server that accepts the login
// "desk"/"secret" and keeps every mail in a mailbox folder, or an HTTP receiver that keeps the
// last POST. Stopped with the object.
class LoopbackServer {
public:
    enum class Kind { Smtp, HttpPost };
    explicit LoopbackServer(Kind kind);
    ~LoopbackServer();

    int port() const { return m_port; }
    // The mails received so far, each parsed: subject, from, to, cc, rcpt, charset, body, and
    // attachments (name and Base64 content).
    QList<QJsonObject> mails() const;
    // Of the last POST: "type" its Content-Type, "body" its body.
    QByteArray posted(const QString& part) const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};

} // namespace asv::test
