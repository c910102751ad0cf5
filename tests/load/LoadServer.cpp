#include "LoadServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace asv::test {

LoadServer::LoadServer(const QString& options) : m_options(options)
{
    for (const QString& line : script(u"start"_s).split(u'\n', Qt::SkipEmptyParts)) {
        const QString assignment = QString(line).remove(u"export "_s);
        const qsizetype eq = assignment.indexOf(u'=');
        if (eq > 0)
            qputenv(assignment.left(eq).toLatin1().constData(), assignment.mid(eq + 1).toUtf8());
    }
    m_port = qEnvironmentVariable("ASV_TEST_DB_PORT");
}

LoadServer::~LoadServer()
{
    script(u"stop"_s);
}

QString LoadServer::script(const QString& command) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"ASV_TESTDB_DIR"_s, m_dir.path());
    env.insert(u"ASV_TESTDB_OPTIONS"_s, m_options);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ASV_SOURCE_DIR) + u"/scripts/testdb"_s, {command});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        QFile log(m_dir.path() + u"/mysqld.err"_s);
        const QByteArray tail = log.open(QIODevice::ReadOnly) ? log.readAll().right(3000) : QByteArray();
        throw std::runtime_error("scripts/testdb " + command.toStdString() + " failed: "
                                 + p.readAllStandardError().toStdString() + "\nserver log:\n" + tail.toStdString());
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

qint64 LoadServer::pid() const
{
    QFile f(m_dir.path() + u"/mysqld.pid"_s);
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toLongLong() : 0;
}

void LoadServer::killAndRestart()
{
    const qint64 server = pid();
    if (server > 0)
        ::kill(static_cast<pid_t>(server), SIGKILL);
    // Gone when no thread is left but a zombie leader: threads still writing hold the port.
    for (int i = 0; i < 500 && QDir(u"/proc/%1/task"_s.arg(server)).count() > 3; ++i)
        QThread::msleep(20);
    const QString started = script(u"start"_s);
    if (!started.contains(u"PORT="_s + m_port + u'\n'))
        throw std::runtime_error("the server came back on another port than " + m_port.toStdString() + ": "
                                 + started.toStdString());
}

} // namespace asv::test
