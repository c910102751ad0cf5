#pragma once

#include <QString>
#include <QStringList>

namespace asv {

// The dump and command-line client programs that serve a server of a given version, looked up
// on PATH. Versions we have not tried are refused rather than dumped with a near tool.
struct DumpTools {
    // The version's first four characters, as the refusal shows them.
    QString versionPrefix;
    // Program names in order of preference; empty when the version is refused.
    QStringList dumpNames;
    QStringList clientNames;

    bool supported() const { return !dumpNames.isEmpty(); }
    QString refusal() const;

    static DumpTools forServer(const QString& version);
    // The first of names found on PATH, or empty.
    static QString find(const QStringList& names);
    static QString missingMessage(const QStringList& names);
};

} // namespace asv
