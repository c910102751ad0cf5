#include "ClusterStructure.h"

#include "SearchIndexes.h"
#include "TrigramIndex.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QHash>
#include <QRegularExpression>
#include <QVersionNumber>

using namespace Qt::StringLiterals;

namespace asv::ClusterStructure {

namespace {

QString serverVersion()
{
    const cMySQL* c = DBConnection(0);
    return c ? c->get_server_info() : QString();
}

// Name, engine of the base tables of the connected database on another engine than InnoDB.
QList<std::pair<QString, QString>> tablesNotInnoDb()
{
    RecordSetPtr rs;
    DBOpenRS(rs, u"SELECT TABLE_NAME, ENGINE FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() "
                 u"AND TABLE_TYPE = 'BASE TABLE' AND ENGINE <> 'InnoDB' ORDER BY TABLE_NAME"_s,
             true);
    QList<std::pair<QString, QString>> out;
    for (; rs && !rs->eof(); rs->moveNext())
        out.append({rs->field(0), rs->field(1)});
    return out;
}

QStringList tablesWithoutKey()
{
    return DBFirstColumn(u"SELECT t.TABLE_NAME FROM information_schema.TABLES t WHERE t.TABLE_SCHEMA = DATABASE() "
                         u"AND t.TABLE_TYPE = 'BASE TABLE' AND NOT EXISTS (SELECT 1 FROM "
                         u"information_schema.TABLE_CONSTRAINTS c WHERE c.TABLE_SCHEMA = t.TABLE_SCHEMA "
                         u"AND c.TABLE_NAME = t.TABLE_NAME AND c.CONSTRAINT_TYPE = 'PRIMARY KEY') ORDER BY t.TABLE_NAME"_s,
                         true);
}

QHash<QString, QString> serverVariables()
{
    RecordSetPtr rs;
    DBOpenRS(rs, u"SHOW GLOBAL VARIABLES WHERE Variable_name IN ('log_bin', 'binlog_format', "
                 u"'log_bin_trust_function_creators', 'wsrep_on')"_s,
             true);
    QHash<QString, QString> out;
    for (; rs && !rs->eof(); rs->moveNext())
        out.insert(rs->field(0).toLower(), rs->field(1).toUpper());
    return out;
}

bool accountHasSuper()
{
    RecordSetPtr rs;
    DBOpenRS(rs, u"SHOW GRANTS"_s, true);
    for (; rs && !rs->eof(); rs->moveNext()) {
        const QString grant = rs->field(0);
        if (grant.contains(u" ON *.* "_s) && (grant.contains(u"ALL PRIVILEGES"_s) || grant.contains(u"SUPER"_s)))
            return true;
    }
    return false;
}

} // namespace

QString rowKeyDefinition()
{
    return u"asv_row_id BIGINT UNSIGNED NOT NULL AUTO_INCREMENT INVISIBLE PRIMARY KEY"_s;
}

bool takesInvisibleKey(const QString& serverVersion)
{
    static const QRegularExpression kNumber(u"^\\d+(\\.\\d+)*"_s);
    const QVersionNumber version = QVersionNumber::fromString(kNumber.match(serverVersion).captured(0));
    return serverVersion.contains(u"MariaDB"_s, Qt::CaseInsensitive) ? version >= QVersionNumber(10, 3, 3)
                                                                     : version >= QVersionNumber(8, 0, 23);
}

QStringList lacks()
{
    QStringList out;
    for (const auto& [table, engine] : tablesNotInnoDb())
        out << u"테이블 %1: 저장 엔진이 %2입니다. 클러스터는 InnoDB 테이블만 복제합니다."_s.arg(table, engine);
    for (const QString& table : tablesWithoutKey())
        out << u"테이블 %1: 기본 키가 없습니다. 삭제와 변경이 다른 노드에 복제되지 않습니다."_s.arg(table);
    const QHash<QString, QString> server = serverVariables();
    const bool replicating = server.value(u"wsrep_on"_s) == u"ON"_s;
    if (replicating && server.value(u"binlog_format"_s) != u"ROW"_s)
        out << u"서버 설정 binlog_format이 %1입니다. 클러스터에는 ROW여야 합니다."_s.arg(server.value(u"binlog_format"_s));
    // A replicating server checks the triggers' creator as one with binary logging does.
    const bool checksCreators = (replicating || server.value(u"log_bin"_s) == u"ON"_s)
        && server.value(u"log_bin_trust_function_creators"_s) != u"ON"_s;
    if (checksCreators && !accountHasSuper()) {
        TrigramIndex::forget();
        if (!TrigramIndex::present(u"customer"_s) || !TrigramIndex::present(u"product"_s))
            out << u"검색용 이름 조각 트리거가 없습니다."_s + u'\n' + SearchIndexes::triggerPrivilegeAdvice();
    }
    return out;
}

QStringList missingStatements()
{
    QStringList out;
    for (const auto& table : tablesNotInnoDb())
        out << u"ALTER TABLE "_s + table.first + u" ENGINE=InnoDB"_s;
    if (takesInvisibleKey(serverVersion())) {
        for (const QString& table : tablesWithoutKey())
            out << u"ALTER TABLE "_s + table + u" ADD "_s + rowKeyDefinition();
    }
    return out;
}

} // namespace asv::ClusterStructure
