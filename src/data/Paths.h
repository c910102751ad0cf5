#pragma once

#include <QString>

namespace asv {

// The one writable per-user program folder (FormIni, log, BK_DB, ExpExcel, DBS, config.ini, ...).
// Chosen by --home DIR, else ASVELMORA_HOME, else ~/.local/share/ASVelmora.
class Paths {
public:
    static QString programFolder();
    static void setProgramFolder(const QString& dir);
    // Sub-path of the program folder; folders are not created here.
    static QString file(const QString& relative);
    static QString logFolder() { return file(QStringLiteral("log")); }
    static QString configIni() { return file(QStringLiteral("config.ini")); }

private:
    static QString s_folder;
};

// Window and list layouts: "<program folder>/FormIni/<form>.ini".
QString FormIniPath(const QString& formName);

} // namespace asv
