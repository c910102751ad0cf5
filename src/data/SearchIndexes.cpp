#include "SearchIndexes.h"

#include "BaseIndexes.h"
#include "ConsultTextColumns.h"
#include "TrigramIndex.h"
#include "OnlineAlter.h"
#include "TelSuffixIndex.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"

#include <QRegularExpression>
#include <QSet>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// The AS ledger reads a period's jobs in date order from this index alone: it holds every column
// the ledger shows or joins on, so the server neither visits the rows nor sorts them.
const QString kLedgerIndex = u"idx_aslist_m_ledger"_s;
const QString kLedgerColumns = u"dealdate, dealtime, ccode, pcode, typecode0, regucode, charge, state, resvdate1, "
                               "resvtime1, resvdate2, resvtime2, workdate, worktime, dealbigo"_s;

const QRegularExpression kAlteredTable(u"^ALTER TABLE (\\w+)"_s);

QStringList ledgerIndexStatements()
{
    const QString present = DBGetValue(u"SELECT COUNT(*) FROM information_schema.STATISTICS WHERE TABLE_SCHEMA = "
                                       "DATABASE() AND TABLE_NAME = 'aslist_m' AND INDEX_NAME = '"_s
                                       + kLedgerIndex + u"'"_s);
    if (DBLastFailed() || present.toInt() > 0)
        return {};
    return {u"ALTER TABLE aslist_m ADD INDEX "_s + kLedgerIndex + u" ("_s + kLedgerColumns + u")"_s};
}

} // namespace

QStringList SearchIndexes::missingStatements()
{
    return BaseIndexes::missingStatements() + TelSuffixIndex::missingStatements() + TrigramIndex::missingStatements()
        + ledgerIndexStatements() + ConsultTextColumns::missingStatements();
}

QList<SearchIndexes::Failure> SearchIndexes::add(cMySQL& connection, const QStringList& statements,
                                                 const Progress& progress)
{
    QList<Failure> failed;
    // A side table's statements build on each other: after one failed, the rest would only fill
    // a table no search uses.
    QSet<QString> brokenSideTables;
    QSet<QString> alteredTables;
    for (int i = 0; i < statements.size(); ++i) {
        const QString& statement = statements.at(i);
        if (progress)
            progress(i, statement);
        const QString sideTable = TrigramIndex::sideTableOf(statement);
        QString error;
        if (brokenSideTables.contains(sideTable)) {
            failed.append({statement, u"skipped: an earlier statement of "_s + sideTable + u" failed"_s});
        } else if (!OnlineAlter::run(connection, statement, &error)) {
            failed.append({statement, error});
            if (!sideTable.isEmpty())
                brokenSideTables << sideTable;
        } else if (const auto altered = kAlteredTable.match(statement); altered.hasMatch()) {
            alteredTables << altered.captured(1);
        }
    }
    // A new index has no statistics the planner trusts until the table is analysed.
    if (!alteredTables.isEmpty())
        connection.query(u"ANALYZE TABLE "_s + QStringList(alteredTables.begin(), alteredTables.end()).join(u", "_s), true);
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
    TrigramIndex::forget();
}

} // namespace asv
