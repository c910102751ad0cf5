#include "ConsultReportStore.h"

#include "StoreSql.h"
#include "modMySQL_Func.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// A product typed on the desk without registering it (the free-text product), or deleted since,
// is known by the name typed.
const QString kProductName =
    u"IF(product.code IS NULL OR rsvconsult.pcode = '000000', rsvconsult.pname, product.name)"_s;

QString like(const QString& column, const QString& text)
{
    return column + u" LIKE "_s + StoreSql::containing(text) + u' ';
}

// The condition a search adds, "" when it adds none.
QString condition(const ConsultReportStore::Search& search)
{
    static const QHash<QString, QString> kColumns = {
        {u"상호/고객명"_s, u"rsvconsult.cname"_s}, {u"약칭"_s, u"customer.compalias"_s},
        {u"전화번호"_s, u"rsvconsult.ctelno"_s},   {u"상품분류"_s, u"product.classname"_s},
        {u"상품명"_s, kProductName},               {u"상담자"_s, u"local_user.name"_s},
        {u"상담분류"_s, u"ascode.name"_s},         {u"문의내용"_s, u"rsvconsult.refernote"_s},
        {u"상담내용"_s, u"rsvconsult.connote"_s},
    };
    if (search.text.isEmpty())
        return {};
    if (search.field == u"상태"_s) {
        // Only the two state names mean a state; other text is no filter at all.
        if (search.text == u"완료"_s)
            return u"AND rsvconsult.state = 2 "_s;
        if (search.text == u"미완료"_s)
            return u"AND rsvconsult.state = 1 "_s;
        return {};
    }
    const auto column = kColumns.constFind(search.field);
    return column == kColumns.constEnd() ? QString() : u"AND "_s + like(*column, search.text);
}

} // namespace

const QStringList& ConsultReportStore::customerFields()
{
    static const QStringList fields = {u"상호/고객명"_s, u"약칭"_s, u"전화번호"_s};
    return fields;
}

const QStringList& ConsultReportStore::productFields()
{
    static const QStringList fields = {u"상품분류"_s, u"상품명"_s};
    return fields;
}

const QStringList& ConsultReportStore::consultationFields()
{
    static const QStringList fields = {u"상담자"_s, u"상태"_s, u"상담분류"_s, u"문의내용"_s, u"상담내용"_s};
    return fields;
}

QString ConsultReportStore::stateName(const QString& state)
{
    if (state == u"1"_s)
        return u"미완료"_s;
    if (state == u"2"_s)
        return u"완료"_s;
    return {};
}

QString ConsultReportStore::listSql(const Filter& filter)
{
    QString sql = u"SELECT rsvconsult.*, ascode.name, local_user.name, product.classname as procname, "_s
        + kProductName + u" as proname From ( ( ( rsvconsult LEFT JOIN ascode ON rsvconsult.concode=ascode.code ) "
                  "LEFT JOIN customer ON rsvconsult.ccode=customer.code ) LEFT JOIN local_user ON "
                  "rsvconsult.regucode=local_user.code ) LEFT JOIN product ON rsvconsult.pcode=product.code "
                  "WHERE condate BETWEEN %1 AND %2 "_s.arg(StoreSql::quoted(filter.from), StoreSql::quoted(filter.to));
    sql += condition(filter.customer) + condition(filter.product) + condition(filter.consultation);
    if (filter.consultationsOnly)
        sql += u"AND state <> 0 "_s;
    return sql + u"GROUP BY rsvconsult.code ORDER BY rsvconsult.condate, rsvconsult.contime "_s;
}

ConsultReportStore::ConsultReportStore(cMySQL* db) : StoreSql(db, u"ConsultReportStore"_s) {}

RecordSetPtr ConsultReportStore::list(const Filter& filter)
{
    RecordSetPtr rs;
    DBOpenRS(m_db, rs, listSql(filter));
    throwIfFailed(u"list"_s);
    return rs;
}

bool ConsultReportStore::remove(int code)
{
    return execute(u"DELETE FROM rsvconsult WHERE code = "_s + QString::number(code)) > 0;
}

} // namespace asv
