#include "ZipcodeFolder.h"

#include "Paths.h"
#include "ZipcodeProvinces.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace asv {

QString ZipcodeFolder::path()
{
    return under(Paths::programFolder());
}

QString ZipcodeFolder::under(const QString& programFolder)
{
    const QString found = find(programFolder, u"DBS"_s);
    return found.isEmpty() ? programFolder + u"/DBS"_s : found;
}

QString ZipcodeFolder::provinceFile(const QString& folder, const ZipcodeProvince& province)
{
    return find(folder, ZipcodeProvinces::fileName(province));
}

QString ZipcodeFolder::find(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    if (dir.exists(name))
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return {};
}

} // namespace asv
