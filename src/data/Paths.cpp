#include "Paths.h"

#include <QDir>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace asv {

QString Paths::s_folder;

QString Paths::programFolder()
{
    if (s_folder.isEmpty()) {
        const QString env = qEnvironmentVariable("ASVELMORA_HOME");
        s_folder = env.isEmpty() ? QDir::homePath() + u"/.local/share/ASVelmora"_s : env;
        QDir().mkpath(s_folder);
    }
    return s_folder;
}

void Paths::setProgramFolder(const QString& dir)
{
    s_folder = QDir(dir).absolutePath();
    QDir().mkpath(s_folder);
}

QString Paths::file(const QString& relative)
{
    return programFolder() + u'/' + relative;
}

QString FormIniPath(const QString& formName)
{
    return Paths::file(u"FormIni/"_s + formName + u".ini"_s);
}

} // namespace asv
