#include "LogFile.h"

#include <QFile>

namespace asv {

void LogFile::appendLine(const QString& path, const QString& line)
{
    QFile f(path);
    if (f.open(QIODevice::Append | QIODevice::Text))
        f.write(line.toUtf8() + '\n');
}

} // namespace asv
