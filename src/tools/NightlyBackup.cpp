#include "NightlyBackup.h"

#include "BackupFile.h"
#include "LogFile.h"
#include "Paths.h"
#include "UserSettings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kSection = u"Backup"_s;
constexpr int kDefaultKeep = 14;

int runProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::execute(program, arguments);
}

NightlyBackup::Runner& runner()
{
    static NightlyBackup::Runner run = runProgram;
    return run;
}

} // namespace

int NightlyBackup::keepCount()
{
    return qMax(0, UserSettings::get(kSection, u"KeepFiles"_s, QString::number(kDefaultKeep)).toInt());
}

void NightlyBackup::setKeepCount(int count)
{
    UserSettings::set(kSection, u"KeepFiles"_s, qMax(0, count));
}

QStringList NightlyBackup::prune(int keep)
{
    if (keep <= 0)
        return {};
    // Only the hour files: anything else an operator put in the folder stays.
    static const QRegularExpression ours(u"^\\d{8}\\.dat$"_s);
    QDir folder(BackupFile::folder());
    QStringList files = folder.entryList({u"*.dat"_s}, QDir::Files, QDir::Name | QDir::Reversed);
    files.removeIf([](const QString& name) { return !ours.match(name).hasMatch(); });
    QStringList removed;
    for (qsizetype i = keep; i < files.size(); ++i)
        if (folder.remove(files[i]))
            removed << folder.filePath(files[i]);
    return removed;
}

QString NightlyBackup::failureFile()
{
    return Paths::file(u"backup-failed.txt"_s);
}

void NightlyBackup::recordFailure(const QString& why)
{
    LogFile::appendLine(failureFile(),
                        QDateTime::currentDateTime().toString(u"yyyy-MM-dd hh:mm"_s) + u" "_s + why.simplified());
}

QString NightlyBackup::failures()
{
    QFile f(failureFile());
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
}

void NightlyBackup::clearFailures()
{
    QFile::remove(failureFile());
}

bool NightlyBackup::isEnabled()
{
    return UserSettings::get(kSection, u"Nightly"_s, u"0"_s) == u"1"_s;
}

bool NightlyBackup::setEnabled(bool on)
{
    QStringList command = QProcess::splitCommand(
        UserSettings::get(kSection, u"TimerCommand"_s, u"systemctl --user %1 --now asvelmora-backup.timer"_s)
            .arg(on ? u"enable"_s : u"disable"_s));
    if (command.isEmpty() || runner()(command.takeFirst(), command) != 0)
        return false;
    UserSettings::set(kSection, u"Nightly"_s, on ? u"1"_s : u"0"_s);
    return true;
}

void NightlyBackup::setRunner(Runner run)
{
    runner() = run ? std::move(run) : NightlyBackup::Runner(runProgram);
}

} // namespace asv
