#include "DatabaseBackup.h"

#include "BackupFile.h"
#include "ClientToolRun.h"
#include "OperatorErrorText.h"
#include "Clock.h"
#include "DbError.h"
#include "DumpTools.h"
#include "TableSwap.h"
#include "TrigramIndex.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// The program's connection speaks this character set, so the dump holds the bytes as stored.
const QString kCharsetOption = u"--default-character-set=euckr"_s;
const QString kRestoreFailed = u"복원하지 못했습니다."_s;
const QString kUndoFailed = u"복원을 되돌리지 못했습니다."_s;

QString timeText()
{
    return Clock::now().toString(u"yyyy-MM-dd hh:mm:ss"_s);
}

QString sizeText(qint64 bytes)
{
    return QLocale(QLocale::Korean).formattedDataSize(bytes);
}

// What the client program's complaint means, for the operator: its own text may quote SQL.
QString clientFailure(const QString& said)
{
    static const QRegularExpression kError(u"ERROR (\\d+)[^\\n]*?(?: at line (\\d+))?:"_s);
    const QRegularExpressionMatch m = kError.match(said);
    if (!m.hasMatch())
        return u"백업 파일을 불러오는 프로그램이 실패했습니다."_s;
    const QString reason = OperatorErrorText(m.captured(1).toUInt());
    return m.captured(2).isEmpty() ? reason : u"백업 파일의 %1번째 줄에서: "_s.arg(m.captured(2)) + reason;
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
    // instead of table locks, so the other desks keep working meanwhile. No triggers: they carry
    // the account that made them, which the program's account may not name; they and the side
    // tables they fill are built again after a restore. Nor table locks around the rows, which a
    // cluster node does not replicate as locks: the restore loads into a database nobody else uses.
    QStringList arguments{u"-q"_s, u"-e"_s, u"-c"_s, u"--single-transaction"_s, u"--skip-triggers"_s,
                          u"--skip-add-locks"_s, kCharsetOption};
    for (const QString& table : TrigramIndex::sideTables())
        arguments << u"--ignore-table="_s + m_login.database + u'.' + table;
    const bool dumped = appendTo(partial, BackupFile::headerLine(m_login.database, started))
        && dump.run(arguments << m_login.database) && appendTo(partial, BackupFile::completionLine());
    if (!dumped || (QFile::exists(path) && !QFile::remove(path)) || !QFile::rename(partial, path)) {
        const QString reason = dump.error().isEmpty() ? path : dump.error();
        QFile::remove(partial);
        write(u"백업 실패: "_s + reason);
        MsgWarn(u"백업하지 못했습니다."_s + vbCrLf + vbCrLf + reason);
        return {};
    }
    status(u"백업 파일 크기: "_s + sizeText(QFileInfo(path).size()));
    // What the last restore replaced is in this file now. When the server cannot list it, it
    // stays until a later backup.
    try {
        TableSwap(m_login.database).dropUndos();
    } catch (const DbError&) {
        write(u"복원 전 자료를 지우지 못했습니다."_s);
    }
    write(u"종료시각: "_s + timeText());
    return path;
}

bool DatabaseBackup::refuse(const QString& heading, const QString& why)
{
    write(heading + u' ' + why);
    MsgWarn(heading + vbCrLf + vbCrLf + why + vbCrLf + vbCrLf + u"지금의 자료는 바뀌지 않았습니다."_s);
    return false;
}

bool DatabaseBackup::restore(const QString& file)
{
    try {
        return restoreFile(file);
    } catch (const DbError& e) {
        TableSwap(m_login.database).dropScratch();
        return refuse(kRestoreFailed, OperatorErrorText(static_cast<unsigned int>(e.number())));
    }
}

bool DatabaseBackup::restoreFile(const QString& file)
{
    if (const QString problem = BackupFile::problem(file); !problem.isEmpty()) {
        MsgInfo(problem);
        return false;
    }
    if (!chooseProgram(Program::Client))
        return false;
    QElapsedTimer took;
    took.start();
    write(u"복원파일: "_s + file + u" ("_s + sizeText(QFileInfo(file).size()) + u")"_s);
    write(u"시작시각: "_s + timeText());
    write(u"복원 진행중..."_s);
    TableSwap swap(m_login.database);
    if (!swap.makeScratch())
        return refuse(kRestoreFailed, swap.why());
    ClientToolRun client(m_program, m_login);
    client.setInputFile(file);
    if (!client.run({kCharsetOption, swap.scratch()})) {
        const QString why = clientFailure(client.error());
        swap.dropScratch();
        return refuse(kRestoreFailed, why);
    }
    if (const QString problem = swap.scratchProblem(); !problem.isEmpty()) {
        swap.dropScratch();
        return refuse(kRestoreFailed, problem);
    }
    if (!swap.restoreScratch(Clock::now())) {
        swap.dropScratch();
        return refuse(kRestoreFailed, swap.why());
    }
    write(u"복원 전의 자료는 다음 백업 때까지 보관됩니다: "_s + swap.undoDatabase());
    write(u"종료시각: "_s + timeText() + u" ("_s + QString::number(took.elapsed() / 1000.0, 'f', 1) + u"초)"_s);
    return true;
}

QString DatabaseBackup::undoDatabase() const
{
    try {
        return TableSwap(m_login.database).undoDatabase();
    } catch (const DbError&) {
        return {};
    }
}

bool DatabaseBackup::undoRestore()
{
    try {
        TableSwap swap(m_login.database);
        write(u"복원 되돌리기: "_s + swap.undoDatabase());
        if (!swap.undo())
            return refuse(kUndoFailed, swap.why());
    } catch (const DbError& e) {
        return refuse(kUndoFailed, OperatorErrorText(static_cast<unsigned int>(e.number())));
    }
    write(u"종료시각: "_s + timeText());
    return true;
}

} // namespace asv
