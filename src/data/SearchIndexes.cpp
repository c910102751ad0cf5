#include "SearchIndexes.h"

#include "BaseIndexes.h"
#include "ClusterStructure.h"
#include "ConsultTextColumns.h"
#include "TrigramIndex.h"
#include "OnlineAlter.h"
#include "TelSuffixIndex.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>

#include <mysqld_error.h>

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
    // A table changes engine before it gets its indexes, which the change would build again.
    return ClusterStructure::missingStatements() + BaseIndexes::missingStatements()
        + TelSuffixIndex::missingStatements() + TrigramIndex::missingStatements() + ledgerIndexStatements()
        + ConsultTextColumns::missingStatements();
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
            failed.append({statement, error, connection.lastErrno()});
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
    const QList<Failure> failed = add(DBMainConnection(), missingStatements());
    forget();
    return failed;
}

void SearchIndexes::forget()
{
    TelSuffixIndex::forget();
    TrigramIndex::forget();
}

QString SearchIndexes::adviceFor(const QList<Failure>& failures)
{
    const bool refused = std::any_of(failures.begin(), failures.end(), [](const Failure& f) {
        return f.number == ER_BINLOG_CREATE_ROUTINE_NEED_SUPER;
    });
    return refused ? triggerPrivilegeAdvice() : QString();
}

QString SearchIndexes::triggerPrivilegeAdvice()
{
    return u"이진 로그(binary log)를 쓰는 서버(클러스터 포함)에서는 SUPER 권한이 없는 계정이 트리거를 만들 수 없어, "
           u"검색용 이름 조각 테이블을 만들지 못했습니다. 다음 중 하나를 하십시오.\n"
           u"  1) 서버 설정(my.cnf의 [mysqld])에 log_bin_trust_function_creators=1 을 넣고 서버를 다시 시작한 뒤 "
           u"(또는 관리자가 SET GLOBAL log_bin_trust_function_creators=1 실행) asvelmora-ctl db index 를 다시 실행\n"
           u"  2) 서버 관리자 계정으로 asvelmora-ctl db index --admin <관리자 계정> 실행 "
           u"(관리자 암호는 한 번만 묻고 어디에도 저장하지 않습니다)"_s;
}

QStringList SearchIndexes::asDefiner(const QStringList& statements, const QString& account)
{
    static const QString kCreate = u"CREATE TRIGGER "_s;
    const qsizetype at = account.lastIndexOf(u'@');
    const QString definer = u"CREATE DEFINER = '"_s + SQLQuote(account.left(at)) + u"'@'"_s + SQLQuote(account.mid(at + 1))
        + u"' TRIGGER "_s;
    QStringList out;
    for (const QString& statement : statements)
        out << (statement.startsWith(kCreate) ? definer + statement.mid(kCreate.size()) : statement);
    return out;
}

} // namespace asv
