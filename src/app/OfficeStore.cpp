#include "OfficeStore.h"

#include "modMySQL_Func.h"
#include "RecordSet.h"

using namespace Qt::StringLiterals;

namespace asv {

OfficeStore::OfficeStore(cMySQL* db) : StoreSql(db, u"OfficeStore"_s) {}

const QStringList& OfficeStore::columns()
{
    static const QStringList cols{u"compname"_s, u"ceoname"_s, u"compsn"_s, u"status"_s, u"item"_s,
                                  u"zipcode"_s,  u"addr1"_s,   u"addr2"_s,  u"telno1"_s, u"telno2"_s,
                                  u"fax"_s,      u"hpno"_s,    u"bigo"_s,   u"email"_s};
    return cols;
}

OfficeStore::Record OfficeStore::load()
{
    Record record;
    RecordSetPtr rs;
    if (DBOpenRS(m_db, rs, u"SELECT * FROM office WHERE code = 1"_s) <= 0 || !rs || rs->eof())
        return record;
    for (const QString& col : columns())
        record.insert(col, rs->field(col));
    CloseRS(rs);
    return record;
}

int OfficeStore::update(const Record& values)
{
    QStringList sets;
    for (const QString& col : columns())
        sets << col + u" = '"_s + SQLQuote(values.value(col)) + u'\'';
    return DBExecute(m_db, u"UPDATE office SET "_s + sets.join(u", "_s) + u" WHERE code = 1"_s);
}

QString OfficeStore::companyName()
{
    RecordSetPtr rs;
    if (DBOpenRS(m_db, rs, u"SELECT b.compname, b.telno1 FROM office AS b"_s) <= 0 || !rs || rs->eof())
        return {};
    const QString name = rs->field(u"compname"_s);
    CloseRS(rs);
    return name;
}

} // namespace asv
