#include "CustomerSearch.h"

#include "TrigramIndex.h"
#include "CanonicalTelNo.h"
#include "TelSuffixIndex.h"
#include "modDBMS_comn.h"
#include "Paths.h"
#include "modMySQL_Func.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kEditionColumns = u", c.modelname, c.serialnumber"_s;
const QString kOrderKey = u"거래처/정렬기준"_s;

// The typed text at the end of the fields: through the reversed-number index where the fields
// have one, else by scanning.
QString endsWith(const QString& fields, const QString& text)
{
    const QString indexed = TelSuffixIndex::endsWithCondition(fields, text);
    return indexed.isEmpty() ? MakeFindWhere(fields, text, u"*s"_s) : indexed;
}

// The typed text as the chosen key's condition; "" without text.
QString keyCondition(const CustomerSearch::Query& query)
{
    if (query.text.isEmpty())
        return {};
    const QString op = query.opText.left(3).trimmed();
    if (op == u"*s"_s)
        return endsWith(query.fields, query.text);
    if (op == u"*s*"_s)
        return TrigramIndex::containsCondition(u"customer"_s, u"c.code"_s, query.fields, query.text);
    return MakeFindWhere(query.fields, query.text, query.opText);
}

bool narrowedByPieces(const CustomerSearch::Query& query)
{
    return query.opText.left(3).trimmed() == u"*s*"_s
        && !TrigramIndex::candidates(u"customer"_s, u"c.code"_s, query.fields, query.text).isEmpty();
}

QString tail(const CustomerSearch::Query& query)
{
    return CustomerSearch::orderBy(query.order) + query.limitClause;
}

// The numbers whose ending the picker matches against digits typed without the area code.
const QString kLocalNumberFields = u"c.telno1,c.telno2,c.fax,c.hpno"_s;

} // namespace

QList<FindKey> CustomerSearch::listKeys(bool tamber)
{
    QList<FindKey> keys{
        {u"코드"_s, u"c.code"_s, {}},           {u"상호"_s, u"c.compname"_s, {}},
        {u"약칭"_s, u"c.compalias"_s, {}},      {u"성명"_s, u"c.ceoname"_s, {}},
        {u"담당자"_s, u"u.name"_s, {}},         {u"Tel,HP"_s, u"c.telno1,c.hpno"_s, {}},
        {u"사업자번호"_s, u"c.compsn"_s, {}},   {u"주소일반"_s, u"c.addr1"_s, {}},
        {u"주소번지"_s, u"c.addr2"_s, {}},      {u"메모1"_s, u"c.bigo"_s, {}},
    };
    if (tamber)
        keys.append({u"S/N"_s, u"c.serialnumber"_s, {}});
    return keys;
}

QList<FindKey> CustomerSearch::pickerKeys()
{
    // The customer group key is left out: this installation keeps no customer groups.
    return {
        {u"코드"_s, u"c.code"_s, u"s*"_s},
        {u"상호"_s, u"c.compname"_s, u"*s*"_s},
        {u"약칭"_s, u"c.compalias"_s, u"*s*"_s},
        {u"성명"_s, u"c.ceoname"_s, u"*s*"_s},
        {u"전화번호"_s, u"c.telno1,c.telno2,c.telno3,c.telno4,c.hpno"_s, u"*s"_s},
        {u"번지"_s, u"c.addr2"_s, u"*s*"_s},
        {u"메모/계좌"_s, u"c.bigo"_s, u"*s*"_s},
    };
}

QStringList CustomerSearch::orderLabels()
{
    return {u"코드순"_s, u"약칭+상호순"_s};
}

QString CustomerSearch::orderBy(int order)
{
    return order == ByAlias ? u" ORDER BY c.compalias, c.compname, c.code"_s : u" ORDER BY c.code"_s;
}

int CustomerSearch::savedOrder(const QString& formName)
{
    const int order = QSettings(FormIniPath(formName), QSettings::IniFormat).value(kOrderKey, 0).toInt();
    return order == ByAlias ? ByAlias : ByCode;
}

void CustomerSearch::saveOrder(const QString& formName, int order)
{
    const QString path = FormIniPath(formName);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings(path, QSettings::IniFormat).setValue(kOrderKey, order);
}

QString CustomerSearch::listSql(const Query& query)
{
    // Customers first: led by the small user table, the server walks the charge index and fetches
    // every customer row by row, seven times slower than scanning the table once. Names narrowed
    // through their pieces are another matter: those lead, and the server knows it.
    QString sql = (narrowedByPieces(query) ? u"SELECT"_s : u"SELECT STRAIGHT_JOIN"_s)
        + u" c.compname, c.compalias, c.ceoname, c.telno1, c.telno2, c.telno3, c.telno4, c.compsn, c.addr1, "
          u"c.addr2, c.bigo, c.code, c.status, c.item, c.fax, c.hpno, c.taxmode, c.zipcode, c.email, c.nowmoney, "
          u"u.name AS rname, c.hidden"_s;
    if (query.tamber)
        sql += kEditionColumns;
    sql += u" FROM customer AS c, local_user AS u WHERE c.charge = u.code"_s;
    if (!query.showHidden)
        sql += u" AND c.hidden = 0"_s;
    if (const QString condition = keyCondition(query); !condition.isEmpty())
        sql += u" AND "_s + condition;
    return sql + tail(query);
}

QString CustomerSearch::pickerSql(const Query& query)
{
    QString sql = u"SELECT c.code, c.compname, c.compalias, c.ceoname, c.ocode, c.telno1, c.addr1, c.addr2, "
                  u"c.bigo, u.name AS rname"_s;
    if (query.tamber)
        sql += kEditionColumns;
    sql += u" FROM customer AS c LEFT JOIN local_user AS u ON c.charge = u.code WHERE c.hidden = 0"_s;
    if (!query.extraCondition.isEmpty())
        sql += u" AND ("_s + query.extraCondition + u')';
    const QString condition = keyCondition(query);
    if (condition.isEmpty())
        return sql + tail(query);
    // Digits typed without the area code still find a number stored with it. Through the
    // reversed numbers that is a second statement of its own: ORed with the key's condition,
    // neither could use its index.
    const QString local = TelLocalPart(query.text);
    if (local.isEmpty())
        return sql + u" AND ("_s + condition + u')' + tail(query);
    const QString localCondition = endsWith(kLocalNumberFields, local);
    if (!TelSuffixIndex::present())
        return sql + u" AND ("_s + condition + u" OR "_s + localCondition + u')' + tail(query);
    return sql + u" AND ("_s + condition + u") UNION "_s + sql + u" AND "_s + localCondition
        + QString(CustomerSearch::orderBy(query.order)).remove(u"c."_s) + query.limitClause;
}

long CustomerSearch::shownCount()
{
    return DBRecordCount(u"customer"_s, u"hidden = 0"_s);
}

} // namespace asv
