#include "DatabaseBackup.h"

#include "BackupFile.h"
#include "ClientToolRun.h"
#include "Clock.h"
#include "DumpTools.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// The program's connection speaks this character set, so the dump holds the bytes as stored.
const QString kCharsetOption = u"--default-character-set=euckr"_s;

QString timeText()
{
    return Clock::now().toString(u"yyyy-MM-dd hh:mm:ss"_s);
}

QString sizeText(qint64 bytes)
{
    return QLocale(QLocale::Korean).formattedDataSize(bytes);
}

bool appendTo(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Append) && f.write(bytes) == bytes.size();
}

} // namespace

DatabaseBackup::DatabaseBackup(ServerLogin login, Log log) : m_login(std::move(login)), m_log(std::move(log))
{
}

void DatabaseBackup::write(const QString& line) const
{
    if (m_log.line)
        m_log.line(line);
}

void DatabaseBackup::status(const QString& text) const
{
    if (m_log.status)
        m_log.status(text);
}

bool DatabaseBackup::chooseProgram(Program which)
{
    RecordSetPtr rs;
    DBOpenRS(rs, u"SHOW VARIABLES LIKE 'version'"_s);
    const QString version = rs && rs->rowCount() > 0 ? rs->value(0, 1) : QString();
    CloseRS(rs);
    const DumpTools tools = DumpTools::forServer(version);
    if (!tools.supported()) {
        MsgInfo(tools.refusal());
        return false;
    }
    const QStringList& names = which == Program::Dump ? tools.dumpNames : tools.clientNames;
    m_program = DumpTools::find(names);
    if (m_program.isEmpty()) {
        MsgInfo(DumpTools::missingMessage(names));
        return false;
    }
    return true;
}

QString DatabaseBackup::backUp()
{
    if (!chooseProgram(Program::Dump))
        return {};
    const QString folder = BackupFile::folder();
    QDir().mkpath(folder);
    const QDateTime started = Clock::now();
    const QString path = folder + u"/"_s + BackupFile::fileName(started);
    write(u"백업경로: "_s + path);
    write(u"시작시각: "_s + timeText());
    write(u"백업 진행중..."_s);

    // Written beside the hour's file and put in its place only when whole.
    const QString partial = path + u".part"_s;
    QFile::remove(partial);
    ClientToolRun dump(m_program, m_login);
    dump.setOutputFile(partial);
    dump.setProgress([&] { status(u"기록된 크기: "_s + sizeText(QFileInfo(partial).size())); });
    // Quick row-by-row output, extended inserts with column names; one consistent snapshot
    // instead of table locks, so the other desks keep working meanwhile.
    const bool dumped = appendTo(partial, BackupFile::headerLine(m_login.database, started))
        && dump.run({u"-q"_s, u"-e"_s, u"-c"_s, u"--single-transaction"_s, kCharsetOption, m_login.database})
        && appendTo(partial, BackupFile::completionLine());
    if (!dumped || (QFile::exists(path) && !QFile::remove(path)) || !QFile::rename(partial, path)) {
        const QString reason = dump.error().isEmpty() ? path : dump.error();
        QFile::remove(partial);
        write(u"백업 실패: "_s + reason);
        MsgWarn(u"백업하지 못했습니다."_s + vbCrLf + vbCrLf + reason);
        return {};
    }
    status(u"백업 파일 크기: "_s + sizeText(QFileInfo(path).size()));
    write(u"종료시각: "_s + timeText());
    return path;
}

bool DatabaseBackup::restore(const QString& file)
{
    if (const QString problem = BackupFile::problem(file); !problem.isEmpty()) {
        MsgInfo(problem);
        return false;
    }
    if (!chooseProgram(Program::Client))
        return false;
    write(u"복원파일: "_s + file);
    write(u"시작시각: "_s + timeText());
    write(u"복원 진행중..."_s);
    ClientToolRun client(m_program, m_login);
    client.setInputFile(file);
    if (!client.run({kCharsetOption, m_login.database})) {
        write(u"복원 실패: "_s + client.error());
        MsgWarn(u"복원하지 못했습니다."_s + vbCrLf + vbCrLf + client.error());
        return false;
    }
    write(u"종료시각: "_s + timeText());
    return true;
}

} // namespace asv
