#include "ProductSearch.h"

#include "TrigramIndex.h"
#include "StoreSql.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

QString keyCondition(const ProductSearch::Query& query)
{
    if (query.text.isEmpty())
        return {};
    if (query.opText.left(3).trimmed() == u"*s*"_s)
        return TrigramIndex::containsCondition(u"product"_s, u"p.code"_s, query.fields, query.text);
    return MakeFindWhere(query.fields, query.text, query.opText);
}

} // namespace

QList<FindKey> ProductSearch::listKeys()
{
    return {
        {u"코드"_s, u"p.code"_s, {}}, {u"상품명"_s, u"p.name"_s, {}}, {u"규격"_s, u"norm"_s, {}},
        {u"비고"_s, u"bigo"_s, {}},   {u"단위"_s, u"unit"_s, {}},     {u"바코드"_s, u"bcode"_s, {}},
    };
}

QList<FindKey> ProductSearch::pickerKeys()
{
    return {
        {u"바코드"_s, u"bcode"_s, u"*s*"_s},
        {u"상품명"_s, u"p.name"_s, u"*s*"_s},
        {u"규격"_s, u"norm"_s, u"*s*"_s},
        {u"메모"_s, u"bigo"_s, u"*s*"_s},
    };
}

FindKey ProductSearch::entryKey()
{
    return {u"코드/바코드/상품명"_s, u"p.code,p.bcode,p.name"_s, u"*s*"_s};
}

QStringList ProductSearch::entryRungs(const QString& text)
{
    QStringList rungs{MakeFindWhere(u"p.bcode"_s, text, u"="_s), MakeFindWhere(u"p.code,p.bcode"_s, text, u"s*"_s)};
    // Without the pieces (a short text, no side table) the name's scan is left to the last step.
    if (const QString names = TrigramIndex::candidates(u"product"_s, u"p.code"_s, u"p.name"_s, text); !names.isEmpty())
        rungs << names + u" AND "_s + MakeFindWhere(u"p.name"_s, text, u"*s*"_s);
    return rungs;
}

QString ProductSearch::listSql(const Query& query)
{
    QString sql = u"SELECT p.classname, p.code, p.name AS pname, norm, p.hidden, p.unit, p.saleprice, p.bigo, "
                  u"p.bcode, p.taxmode FROM product AS p"_s;
    sql += query.showHidden ? u" WHERE p.code <> '000000'"_s : u" WHERE p.hidden = 0"_s;
    if (!query.className.isEmpty())
        sql += u" AND classname = "_s + StoreSql::quoted(query.className);
    if (const QString condition = keyCondition(query); !condition.isEmpty())
        sql += u" AND "_s + condition;
    return sql + u" ORDER BY p.name, norm, p.code"_s + query.limitClause;
}

QString ProductSearch::pickerSql(const Query& query)
{
    QString sql = u"SELECT p.classname, p.code, p.name AS pname, norm, p.saleprice, LEFT(p.bigo, 200) AS bigo, "
                  u"taxmode, p.bcode, p.unit FROM product AS p WHERE p.hidden = 0"_s;
    if (!query.className.isEmpty())
        sql += u" AND p.classname = "_s + StoreSql::quoted(query.className);
    if (!query.extraCondition.isEmpty())
        sql += u" AND ("_s + query.extraCondition + u')';
    if (const QString condition = keyCondition(query); !condition.isEmpty())
        sql += u" AND ("_s + condition + u')';
    return sql + u" ORDER BY p.name, p.norm, p.code"_s + query.limitClause;
}

QStringList ProductSearch::pickerClasses()
{
    return StoreSql(nullptr, u"ProductSearch"_s).firstColumn(u"SELECT DISTINCT classname FROM product WHERE hidden = 0 ORDER BY classname"_s, u"pickerClasses"_s);
}

} // namespace asv
