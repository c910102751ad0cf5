#pragma once

#include "ServerLogin.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace asv {

// One run of a server client program (dump or command-line client). The login goes to it in a
// private option file (mode 0600, removed afterwards), never on its command line or in its
// environment, where any user of the machine could read it. The event loop runs meanwhile, so
// windows repaint and take their own events.
class ClientToolRun {
public:
    ClientToolRun(QString program, ServerLogin login);

    // The program's standard output goes there, appended to what the file holds.
    void setOutputFile(const QString& path) { m_outputFile = path; }
    // The program reads its standard input from there.
    void setInputFile(const QString& path) { m_inputFile = path; }
    // Called about once a second while the program runs.
    void setProgress(std::function<void()> progress) { m_progress = std::move(progress); }

    // True when the program ran and ended with exit code 0; otherwise error() says why.
    bool run(const QStringList& arguments);
    const QString& error() const { return m_error; }

private:
    QString m_program;
    ServerLogin m_login;
    QString m_outputFile;
    QString m_inputFile;
    std::function<void()> m_progress;
    QString m_error;
};

} // namespace asv
