#include "AsCodeStore.h"

#include "ProductRules.h"
#include "SqlNumber.h"
#include "StoreSql.h"
#include "modMain_SQL.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

using namespace Qt::StringLiterals;

namespace asv {

AsCodeStore::AsCodeStore(cMySQL* db) : StoreSql(db, u"AsCodeStore"_s) {}

int AsCodeStore::insertedCode(const QString& sql)
{
    return execute(sql) > 0 ? static_cast<int>(DBInsertId(m_db)) : 0;
}

// The AS jobs that refer to a code of this kind; consultation classes are referred to by
// consultations only.
long AsCodeStore::jobsUsing(int code, int part)
{
    static const QString kUsers[] = {u"aslist_m WHERE typecode0"_s, u"aslist_d WHERE typecode1"_s,
                                     u"aslist_d WHERE typecode2"_s};
    if (part < AsCodeRecord::Reception || part > AsCodeRecord::Result)
        return 0;
    return DBGetValue(m_db, u"SELECT COUNT(*) FROM "_s + kUsers[part] + u" = "_s + QString::number(code)).toLong();
}

QList<AsCodeRecord> AsCodeStore::list(const QString& pcode, int part)
{
    RecordSetPtr rs;
    DBOpenRS(m_db, rs, u"SELECT code, name, amount FROM ascode WHERE part = %1 AND pcode = %2 ORDER BY name"_s.arg(
                     QString::number(part), StoreSql::quoted(pcode)));
    throwIfFailed(u"list"_s);
    QList<AsCodeRecord> codes;
    for (; rs && !rs->eof(); rs->moveNext()) {
        AsCodeRecord c = AsCodeRecord::fields().fromRow(*rs);
        c.pcode = pcode;
        c.part = part;
        codes.append(c);
    }
    CloseRS(rs);
    return codes;
}

QString AsCodeStore::offeredCondition(int part, const QString& pcode)
{
    const QString kind = u"part = "_s + QString::number(part);
    if (pcode.isEmpty())
        return kind + u" AND pcode = '000000'"_s;
    return kind + u" AND pcode IN ('000000',"_s + StoreSql::quoted(pcode) + u')';
}

int AsCodeStore::insert(const QString& pcode, int part, const QString& name, double amount)
{
    return insertedCode(u"INSERT INTO ascode (pcode, part, name, amount) VALUES ( %1, %2,%3, %4)"_s.arg(
        StoreSql::quoted(pcode), QString::number(part), StoreSql::quoted(name), SqlNumber(amount)));
}

int AsCodeStore::insertConsultClass(const QString& name)
{
    return insertedCode(u"INSERT INTO ascode (pcode, part, name) VALUES ('000000', 9,"_s + StoreSql::quoted(name)
                        + u')');
}

bool AsCodeStore::rename(int code, const QString& name)
{
    return execute(u"UPDATE ascode SET name = "_s + StoreSql::quoted(name) + u" WHERE code = "_s
                   + QString::number(code))
        > 0;
}

bool AsCodeStore::setAmount(int code, double amount)
{
    return execute(u"UPDATE ascode SET amount = "_s + SqlNumber(amount) + u" WHERE code = "_s
                   + QString::number(code))
        > 0;
}

bool AsCodeStore::remove(int code, int part)
{
    if (code == 0) {
        MsgInfo(u"먼저 그리드에서 삭제할 자료를 선택하세요."_s);
        return false;
    }
    const long jobs = jobsUsing(code, part);
    throwIfFailed(u"remove"_s);
    if (jobs > 0) {
        MsgInfo(ClassInUseMessage());
        return false;
    }
    const QString number = QString::number(code);
    if (IsUsedData(m_db, u"rsvconsult"_s, u"concode"_s, number, false, {}, u"상담내역"_s))
        return false;
    return removeCode(u"ascode"_s, number);
}

} // namespace asv
