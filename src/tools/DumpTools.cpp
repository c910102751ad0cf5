#include "DumpTools.h"

#include "modMsgBox.h"

#include <QRegularExpression>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

bool supportedVersion(int major, int minor)
{
    switch (major) {
    case 4: return minor == 0;
    // MySQL 5.0 wrote dumps the later servers read back wrongly; 5.1 to 5.7 are fine.
    case 5: return minor == 1 || (minor >= 5 && minor <= 7);
    // MariaDB's own numbering.
    case 10:
    case 11: return true;
    default: return false;
    }
}

} // namespace

QString DumpTools::refusal() const
{
    return u"지원되지 않는 MySQL버전입니다.("_s + versionPrefix + u")"_s;
}

DumpTools DumpTools::forServer(const QString& version)
{
    DumpTools tools;
    tools.versionPrefix = version.left(4);
    static const QRegularExpression kMajorMinor(u"^(\\d+)\\.(\\d+)\\."_s);
    const QRegularExpressionMatch m = kMajorMinor.match(version);
    if (!m.hasMatch() || !supportedVersion(m.captured(1).toInt(), m.captured(2).toInt()))
        return tools;
    // A MariaDB server is best served by its own tools; an older MySQL by the names it shipped.
    if (m.captured(1).toInt() >= 10 || version.contains(u"MariaDB"_s, Qt::CaseInsensitive)) {
        tools.dumpNames = {u"mariadb-dump"_s, u"mysqldump"_s};
        tools.clientNames = {u"mariadb"_s, u"mysql"_s};
    } else {
        tools.dumpNames = {u"mysqldump"_s, u"mariadb-dump"_s};
        tools.clientNames = {u"mysql"_s, u"mariadb"_s};
    }
    return tools;
}

QString DumpTools::find(const QStringList& names)
{
    for (const QString& name : names) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

QString DumpTools::missingMessage(const QStringList& names)
{
    return u"PATH: "_s + names.join(u", "_s) + vbCrLf + vbCrLf + names.value(0) + u" 파일을 찾을 수 없습니다."_s;
}

} // namespace asv
