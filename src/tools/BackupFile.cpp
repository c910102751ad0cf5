#include "BackupFile.h"

#include "Paths.h"
#include "modMsgBox.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QByteArray kHeaderStart = "-- ASVelmora backup of ";

} // namespace

QString BackupFile::folder()
{
    return Paths::file(u"BK_DB"_s);
}

QString BackupFile::fileName(const QDateTime& at)
{
    return at.toString(u"yyMMddhh"_s) + u".dat"_s;
}

QByteArray BackupFile::headerLine(const QString& database, const QDateTime& at)
{
    return kHeaderStart + database.toUtf8() + " at " + at.toString(u"yyyy-MM-dd hh:mm:ss"_s).toLatin1() + '\n';
}

QByteArray BackupFile::completionLine()
{
    return "-- ASVelmora backup complete\n";
}

QString BackupFile::problem(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return u"백업 파일을 열 수 없습니다."_s + vbCrLf + path;
    if (!file.readLine(4096).startsWith(kHeaderStart))
        return u"이 프로그램으로 만든 백업 파일이 아닙니다. 복원할 수 없습니다."_s + vbCrLf + path;
    const QByteArray end = completionLine();
    if (file.size() < end.size() || !file.seek(file.size() - end.size()) || file.read(end.size()) != end)
        return u"백업 파일이 끝까지 기록되지 않았습니다(잘린 파일). 복원할 수 없습니다."_s + vbCrLf + path;
    return {};
}

} // namespace asv
