#include "SearchIndexes.h"

#include "BaseIndexes.h"
#include "BigramIndex.h"
#include "OnlineAlter.h"
#include "TelSuffixIndex.h"
#include "modMySQL_Func.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace asv {

QStringList SearchIndexes::missingStatements()
{
    return BaseIndexes::missingStatements() + TelSuffixIndex::missingStatements() + BigramIndex::missingStatements();
}

QList<SearchIndexes::Failure> SearchIndexes::add(cMySQL& connection, const QStringList& statements,
                                                 const Progress& progress)
{
    QList<Failure> failed;
    // A side table's statements build on each other: after one failed, the rest would only fill
    // a table no search uses.
    QSet<QString> brokenSideTables;
    for (int i = 0; i < statements.size(); ++i) {
        const QString& statement = statements.at(i);
        if (progress)
            progress(i, statement);
        const QString sideTable = BigramIndex::sideTableOf(statement);
        QString error;
        if (brokenSideTables.contains(sideTable)) {
            failed.append({statement, u"skipped: an earlier statement of "_s + sideTable + u" failed"_s});
        } else if (!OnlineAlter::run(connection, statement, &error)) {
            failed.append({statement, error});
            if (!sideTable.isEmpty())
                brokenSideTables << sideTable;
        }
    }
    if (progress)
        progress(static_cast<int>(statements.size()), {});
    return failed;
}

QList<SearchIndexes::Failure> SearchIndexes::addMissing()
{
    const QList<Failure> failed = add(*DBConnection(0), missingStatements());
    forget();
    return failed;
}

void SearchIndexes::forget()
{
    TelSuffixIndex::forget();
    BigramIndex::forget();
}

} // namespace asv
