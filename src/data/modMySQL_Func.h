#pragma once

#include "ConnectionTls.h"
#include "RecordSetPtr.h"

#include <QString>
#include <QStringList>

namespace asv {

class cMySQL;

// The procedures every screen uses to reach the database. Reads go to the current connection
// (the second one when DBInit was given a second host); writes always to the main one.

bool DBInit(const QString& host, const QString& user, const QString& password, const QString& database,
            const QString& secondHost = {}, int logLevel = 0, const QString& charset = QStringLiteral("euckr"),
            const ConnectionTls& tls = {});
void DBClose();
bool DBIsOpen();
cMySQL* DBConnection(int slot = 0);
// The program's main connection; throws DbError ("데이터베이스에 연결되어 있지 않습니다.") when there is none.
cMySQL& DBMainConnection();
const QString& DBName();

// Number of rows (0 on failure); rs receives the result. A silent failure shows no error box,
// for callers that tell the operator themselves.
int DBOpenRS(RecordSetPtr& rs, const QString& sql, bool silent = false);
int DBExecute(const QString& sql, bool silent = false, int* affected = nullptr);
QString DBGetValue(const QString& sql);
// The first column of every row; empty when the read failed.
QStringList DBFirstColumn(const QString& sql, bool silent = false);
long DBRecordCount(const QString& table, const QString& where = {});
long DBTrimCount(const QString& table, const QString& field, const QString& condition = {});
QString DBMaxValue(const QString& table, const QString& field, const QString& where = {});
QString NextCode(const QString& table, const QString& field, int length, const QString& prefix = {});
QString NextNumericCode(const QString& table, const QString& field, int length, const QString& where = {},
                        bool leftPartOnly = false);
qint32 DBInsertId();
bool DBCheckDup(const QString& table, const QString& field, const QString& value, const QString& where = {},
                bool ask = false, const QString& label = {}, const QString& displayText = {},
                bool trimmed = false);

// The same on a given connection (a store's, a worker's, another server's). Statements are logged
// alike; only the program's own connections are what DBLastFailed() reports on.
int DBOpenRS(cMySQL& db, RecordSetPtr& rs, const QString& sql, bool silent = false);
int DBExecute(cMySQL& db, const QString& sql, bool silent = false, int* affected = nullptr);
QString DBGetValue(cMySQL& db, const QString& sql);
long DBRecordCount(cMySQL& db, const QString& table, const QString& where = {});
QString NextCode(cMySQL& db, const QString& table, const QString& field, int length, const QString& prefix = {});
QString NextNumericCode(cMySQL& db, const QString& table, const QString& field, int length,
                        const QString& where = {}, bool leftPartOnly = false);
qint32 DBInsertId(cMySQL& db);
bool DBCheckDup(cMySQL& db, const QString& table, const QString& field, const QString& value,
                const QString& where = {}, bool ask = false, const QString& label = {},
                const QString& displayText = {}, bool trimmed = false);

// Did the last statement of these procedures fail? Stores use it so that a failed write is
// never reported as saved.
bool DBLastFailed();
unsigned int DBLastErrno();

QString SQLQuote(const QString& text);
// Cuts at the first NUL and doubles quotes in the caller's variable; returns it with every
// backslash written four times, as LIKE needs.
QString SQLQuoteLike(QString& text);
void CloseRS(RecordSetPtr& rs);

// What the connect failure left behind for the start-up message.
struct ConnectFailure {
    bool failed = false;
    QString text;
    QString host;
};
const ConnectFailure& DBLastConnectFailure();

} // namespace asv
