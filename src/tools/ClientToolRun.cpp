#include "ClientToolRun.h"

#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryFile>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace asv {

ClientToolRun::ClientToolRun(QString program, ServerLogin login) : m_program(std::move(program)), m_login(std::move(login))
{
}

bool ClientToolRun::run(const QStringList& arguments)
{
    m_error.clear();
    // QTemporaryFile creates the file readable by its owner only, before anything is written.
    QTemporaryFile options(QDir::tempPath() + u"/asvelmora-login-XXXXXX.cnf"_s);
    if (!options.open() || options.write(m_login.optionFileText().toUtf8()) < 0 || !options.flush()) {
        m_error = u"임시 접속정보 파일을 만들 수 없습니다: "_s + options.errorString();
        return false;
    }

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The client programs read these, and a child's environment is visible to others.
    for (const QString& name : {u"MYSQL_PWD"_s, u"MYSQL_HOST"_s, u"MYSQL_TCP_PORT"_s, u"MYSQL_UNIX_PORT"_s})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    if (!m_outputFile.isEmpty())
        process.setStandardOutputFile(m_outputFile, QIODevice::Append);
    if (!m_inputFile.isEmpty())
        process.setStandardInputFile(m_inputFile);
    // The option file must come first or the program does not read it.
    process.setArguments(QStringList{u"--defaults-extra-file="_s + options.fileName()} + arguments);
    process.setProgram(m_program);

    QEventLoop loop;
    QTimer ticker;
    if (m_progress)
        QObject::connect(&ticker, &QTimer::timeout, &loop, [this] { m_progress(); });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            loop.quit();
    });
    process.start();
    ticker.start(1000);
    if (process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    ticker.stop();

    if (process.error() == QProcess::FailedToStart) {
        m_error = m_program + u": "_s + process.errorString();
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        m_error = said.isEmpty() ? m_program + u": "_s + process.errorString() : said;
        return false;
    }
    return true;
}

} // namespace asv
