#include "SearchIndexes.h"

#include "BaseIndexes.h"
#include "OnlineAlter.h"
#include "TelSuffixIndex.h"
#include "modMySQL_Func.h"

namespace asv {

QStringList SearchIndexes::missingStatements()
{
    return BaseIndexes::missingStatements() + TelSuffixIndex::missingStatements();
}

QList<SearchIndexes::Failure> SearchIndexes::add(cMySQL& connection, const QStringList& statements,
                                                 const Progress& progress)
{
    QList<Failure> failed;
    for (int i = 0; i < statements.size(); ++i) {
        if (progress)
            progress(i, statements.at(i));
        QString error;
        if (!OnlineAlter::run(connection, statements.at(i), &error))
            failed.append({statements.at(i), error});
    }
    if (progress)
        progress(static_cast<int>(statements.size()), {});
    return failed;
}

QList<SearchIndexes::Failure> SearchIndexes::addMissing()
{
    const QList<Failure> failed = add(*DBConnection(0), missingStatements());
    TelSuffixIndex::forget();
    return failed;
}

} // namespace asv
