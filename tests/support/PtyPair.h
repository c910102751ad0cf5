#pragma once

#include <QFile>
#include <QProcess>
#include <QSerialPort>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

namespace asv::test {

// A pseudo-terminal pair: the program opens device(), the test plays the modem on the other end.
class PtyPair {
public:
    PtyPair() : m_device(m_dir.path() + QStringLiteral("/device"))
    {
        const QString peer = m_dir.path() + QStringLiteral("/peer");
        const QString link = QStringLiteral("pty,raw,echo=0,link=");
        m_socat.start(QStringLiteral("socat"), {link + m_device, link + peer});
        if (QTest::qWaitFor([&] { return QFile::exists(m_device) && QFile::exists(peer); }, 3000)) {
            m_peer.setPortName(peer);
            m_peer.open(QIODevice::ReadWrite);
        }
    }
    ~PtyPair()
    {
        m_peer.close();
        m_socat.terminate();
        m_socat.waitForFinished();
    }
    const QString& device() const { return m_device; }
    bool ready() const { return m_peer.isOpen(); }
    void write(const QByteArray& bytes)
    {
        m_peer.write(bytes);
        m_peer.flush();
    }
    // The next command the program sent, without its CR; "" when none came.
    QByteArray nextCommand()
    {
        if (!QTest::qWaitFor([&] { return takeReceived(), m_received.contains('\r'); }, 3000))
            return {};
        const qsizetype end = m_received.indexOf('\r');
        const QByteArray command = m_received.left(end);
        m_received.remove(0, end + 1);
        return command;
    }
    void drain()
    {
        QTest::qWait(50);
        takeReceived();
        m_received.clear();
    }

private:
    void takeReceived() { m_received += m_peer.readAll(); }

    QTemporaryDir m_dir;
    QString m_device;
    QProcess m_socat;
    QSerialPort m_peer;
    QByteArray m_received;
};

} // namespace asv::test
