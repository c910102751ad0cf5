#pragma once

#include <QString>
#include <QStringList>

namespace asv {

// Settings backup at exit: the settings files of this program and of the tools that share its
// settings are copied into the folder DBS/환경설정_<yyyyMMdd_HHmm>.settings of the program folder;
// only the newest backups are kept.
inline constexpr int kRegBackupKeep = 5;

// The application names whose settings are backed up.
QStringList RegBackupApps();
// The backup folder written, or "" when there was nothing to back up or the copy failed.
QString RegBackUP(int keep = kRegBackupKeep);

} // namespace asv
