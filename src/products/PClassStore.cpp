#include "PClassStore.h"

#include "ProductRules.h"
#include "StoreSql.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

using namespace Qt::StringLiterals;

namespace asv {

PClassStore::PClassStore(cMySQL* db) : StoreSql(db, u"PClassStore"_s) {}

QList<PClassRecord> PClassStore::list()
{
    RecordSetPtr rs;
    const int n = DBOpenRS(m_db, rs, u"SELECT code, name FROM pclass ORDER BY name"_s);
    throwIfFailed(u"list"_s);
    QList<PClassRecord> classes;
    for (int row = 0; row < n; ++row)
        classes.append({rs->value(row, 0), rs->value(row, 1)});
    return classes;
}

QStringList PClassStore::names()
{
    QStringList names;
    for (const PClassRecord& c : list())
        names << c.name;
    return names;
}

QString PClassStore::insert(const QString& name)
{
    const QString code = NextNumericCode(m_db, u"pclass"_s, u"code"_s, kCodeLength);
    throwIfFailed(u"insert"_s);
    const int rows = execute(u"INSERT INTO pclass (code, name) VALUES ("_s + StoreSql::quoted(code) + u" ,"_s
                             + StoreSql::quoted(name) + u')');
    return rows > 0 ? code : QString();
}

bool PClassStore::rename(const QString& code, const QString& oldName, const QString& newName)
{
    if (execute(u"UPDATE pclass SET name = "_s + StoreSql::quoted(newName) + u" WHERE code = "_s
                + StoreSql::quoted(code))
        == 0)
        return false;
    execute(u"UPDATE product SET classname = "_s + StoreSql::quoted(newName) + u" WHERE classname = "_s
            + StoreSql::quoted(oldName));
    return true;
}

bool PClassStore::lastClassLeft()
{
    const long n = DBRecordCount(m_db, u"pclass"_s);
    throwIfFailed(u"lastClassLeft"_s);
    if (n > 1)
        return false;
    MsgInfo(u"삭제불가!"_s + vbCrLf + u"최소 1개의 분류는 있어야 합니다."_s);
    return true;
}

bool PClassStore::remove(const PClassRecord& pclass)
{
    const long products = DBRecordCount(m_db, u"product"_s, u"classname = "_s + StoreSql::quoted(pclass.name));
    throwIfFailed(u"remove"_s);
    if (products > 0) {
        MsgInfo(ClassInUseMessage());
        return false;
    }
    return removeCode(u"pclass"_s, StoreSql::quoted(pclass.code));
}

} // namespace asv
