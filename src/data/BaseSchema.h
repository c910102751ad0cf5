#pragma once

#include <QStringList>

namespace asv {

// The structure a new database starts from (version 1), before the upgrade steps.
class BaseSchema {
public:
    static QStringList statements();
    // Every table a current database has: those of the base structure and of the upgrade steps.
    static QStringList tables();
    // Runs every statement on the main connection; false when any failed.
    static bool install();
    // Installs the base structure in the connected (empty) database and brings it to the
    // program's version without asking: an installation, not an upgrade of someone's data.
    static bool installCurrent();
};

} // namespace asv
