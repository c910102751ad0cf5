#pragma once

#include <QString>
#include <QStringList>

namespace asv {

// The structure version this program works with.
constexpr int kProgramDbVersion = 14;

// Brings an older database up to kProgramDbVersion after asking; refuses a newer one.
// needsProgramUpgrade is set when the database is newer than the program.
bool ChkDBpatch(bool* needsProgramUpgrade = nullptr);
// Runs every upgrade step above version, in order; a failing statement is shown and passed over.
// False when a statement failed other than on an object that already exists.
bool ChkDBpatch_SUB(int version);
// Runs the steps above version and records kProgramDbVersion. False, with the version left as it
// was, when a step could not run or the version could not be recorded.
bool UpgradeStructure(int version);
// Structure version recorded in the database; 0 when missing.
int DBStructureVersion();
// The statements of one upgrade step (2..14) for the connected server, or for a server of that
// version; empty for other numbers.
QStringList UpgradeStepStatements(int step);
QStringList UpgradeStepStatements(int step, const QString& serverVersion);
QString SupportTelephone();

} // namespace asv
