#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace asv {

// The backup a user timer of the desktop session runs once a night with the command-line tool:
// how many backup files it keeps, whether the timer is on, and the line a failed run leaves for
// the backup window.
class NightlyBackup {
public:
    // Runs a program with its arguments and gives its exit code; replaceable so the timer's
    // commands can be seen without a service manager.
    using Runner = std::function<int(const QString& program, const QStringList& arguments)>;

    // The setting "Backup"/"KeepFiles": how many of the newest backup files stay; 0 keeps all.
    static int keepCount();
    static void setKeepCount(int count);
    // Removes the hour files of ours beyond the newest keep; returns the removed ones.
    static QStringList prune(int keep);

    // A failed run's line, dated, kept until a backup succeeds.
    static void recordFailure(const QString& why);
    static QString failures();
    static void clearFailures();
    static QString failureFile();

    // The setting "Backup"/"Nightly", and the timer turned on or off through the service manager
    // (the command is the setting "Backup"/"TimerCommand"); false, with the setting unchanged,
    // when the command failed.
    static bool isEnabled();
    static bool setEnabled(bool on);
    // An empty runner runs the programs again.
    static void setRunner(Runner runner);
};

} // namespace asv
