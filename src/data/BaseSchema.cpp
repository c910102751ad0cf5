#include "BaseSchema.h"

#include "SearchIndexes.h"
#include "modMain_dbPatch.h"
#include "modMySQL_Func.h"

#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace asv {

QStringList BaseSchema::statements()
{
    QFile f(u":/schema/base_v1.sql"_s);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList out;
    QString current;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u"--"_s))
            continue;
        current += line + u'\n';
        if (trimmed.endsWith(u';')) {
            out.append(current.trimmed().chopped(1));
            current.clear();
        }
    }
    return out;
}

QStringList BaseSchema::tables()
{
    QStringList sql = statements();
    for (int step = 2; step <= kProgramDbVersion; ++step)
        sql += UpgradeStepStatements(step);
    static const QRegularExpression kCreate(u"^CREATE TABLE `?(\\w+)"_s, QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (const QString& statement : sql) {
        if (const QRegularExpressionMatch m = kCreate.match(statement); m.hasMatch())
            out << m.captured(1);
    }
    return out;
}

bool BaseSchema::install()
{
    bool ok = true;
    for (const QString& sql : statements()) {
        DBExecute(sql);
        ok = ok && !DBLastFailed();
    }
    return ok;
}

// A new database has no rows yet, so the search indexes cost nothing and nobody waits.
bool BaseSchema::installCurrent()
{
    return install() && UpgradeStructure(1) && SearchIndexes::addMissing().isEmpty();
}

} // namespace asv
