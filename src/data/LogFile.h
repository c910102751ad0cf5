#pragma once

#include <QString>

namespace asv {

// The program's text logs. A log that cannot be written is passed over, so that the work it
// records goes on.
class LogFile {
public:
    // Appends line and a line end to the file at path.
    static void appendLine(const QString& path, const QString& line);
};

} // namespace asv
