#include "ConsultStore.h"

#include "DbTransaction.h"
#include "ProductStore.h"
#include "TelSuffixIndex.h"
#include "TrigramIndex.h"
#include "StoreSql.h"
#include "modDBMS_comn.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

QString callCode(quint32 call)
{
    return QString::number(call);
}

// What the desk's search looks in, in the order of its condition.
const QStringList kDeskColumns{u"c.code"_s, u"compname"_s, u"compalias"_s, u"telno1"_s, u"telno2"_s,
                               u"telno3"_s, u"telno4"_s, u"c.hpno"_s};
const QStringList kEditionColumns{u"c.serialnumber"_s};
const QStringList kNameColumns{u"compname"_s, u"compalias"_s};
const QStringList kNumberColumns{u"telno1"_s, u"telno2"_s, u"telno3"_s, u"telno4"_s, u"c.hpno"_s};
// Fewer digits would find a good part of all customers.
constexpr qsizetype kFewestEndingDigits = 4;
// Beyond this the picker is handed the condition itself rather than a statement of codes the
// server might refuse for its length.
constexpr qsizetype kMostListedCodes = 5000;

QString likeAny(const QStringList& columns, const QString& text)
{
    const QString t = u" LIKE "_s + StoreSql::containing(text);
    QStringList conditions;
    for (const QString& column : columns)
        conditions << column + t;
    return conditions.join(u" OR "_s);
}

QString everyColumn(const QString& text, bool tamber)
{
    return u"( "_s + likeAny(kDeskColumns + (tamber ? kEditionColumns : QStringList()), text) + u" )"_s;
}

// The customers whose names hold every piece of the text, "" where the pieces cannot tell: the
// text is taken as typed, while the pieces are cut from it as the list's search takes it.
QString namePieces(const QString& text)
{
    if (text.contains(vbCrLf) || text.contains(QChar(u'\0')))
        return {};
    return TrigramIndex::candidates(u"customer"_s, u"c.code"_s, kNameColumns.join(u','), text);
}

// The digits of a text that is a number as people type it, "" for any other text.
QString numberDigits(const QString& text)
{
    static const QRegularExpression number(u"^[0-9 ()./-]+$"_s);
    if (!number.match(text).hasMatch())
        return {};
    QString digits = text;
    digits.removeIf([](QChar c) { return !c.isDigit(); });
    return digits.size() < kFewestEndingDigits ? QString() : digits;
}

} // namespace

// Calls of one minute keep the order they came in: the code breaks the tie.
ConsultStore::ConsultStore(cMySQL* db) : StoreSql(db, u"ConsultStore"_s) {}

RecordSetPtr ConsultStore::callsOf(const QString& date)
{
    return read(u"SELECT r.*, u.name FROM rsvconsult as r LEFT JOIN local_user as u ON r.regucode = u.code "
                u"WHERE condate = "_s
                    + StoreSql::quoted(date) + u" ORDER BY contime DESC, r.code DESC"_s,
                u"callsOf"_s);
}

QList<ConsultStore::Consultant> ConsultStore::consultantOf(quint32 call)
{
    const RecordSetPtr rs = read(u"SELECT r.regucode , u.name FROM rsvconsult as r LEFT JOIN local_user as u "
                                 u"ON r.regucode = u.code WHERE r.code = "_s
                                     + callCode(call),
                                 u"consultantOf"_s);
    QList<Consultant> out;
    for (int row = 0; rs && row < rs->rowCount(); ++row)
        out.append({rs->value(row, 0), rs->value(row, 1)});
    return out;
}

int ConsultStore::setConsultant(quint32 call, const QString& userCode)
{
    return execute(u"UPDATE rsvconsult SET regucode = "_s + StoreSql::quoted(userCode) + u" WHERE code = "_s
                   + callCode(call));
}

std::optional<ConsultStore::Consultation> ConsultStore::load(quint32 call)
{
    const RecordSetPtr rs = read(u"SELECT * FROM rsvconsult WHERE code = "_s + StoreSql::quoted(callCode(call)), u"load"_s);
    if (!rs || rs->rowCount() == 0)
        return std::nullopt;
    Consultation c;
    c.date = rs->field(u"condate"_s);
    c.time = rs->field(u"contime"_s);
    c.pcode = rs->field(u"pcode"_s);
    c.pname = rs->field(u"pname"_s);
    c.concode = rs->field(u"concode"_s);
    c.refernote = rs->field(u"refernote"_s);
    c.connote = rs->field(u"connote"_s);
    c.regucode = rs->field(u"regucode"_s);
    c.state = rs->field(u"state"_s).toInt();
    return c;
}

bool ConsultStore::save(quint32 call, const Consultation& c)
{
    const auto q = &StoreSql::quoted;
    // An empty category is no category, not a text the integer column would refuse.
    const QString concode = c.concode.isEmpty() ? u"0"_s : c.concode;
    const QString sql = u"UPDATE rsvconsult SET condate = "_s + q(c.date) + u", contime = "_s + q(c.time)
        + u", pname = "_s + q(c.pname) + u", pcode = "_s + q(c.pcode) + u", concode = "_s + q(concode)
        + u", refernote = "_s + q(c.refernote) + u", connote = "_s + q(c.connote) + u", regucode = "_s + q(c.regucode)
        + u", state = "_s + q(QString::number(c.state)) + u" WHERE code = "_s + q(callCode(call));
    return updateNamingProduct(call, c.pcode, sql) >= 0;
}

int ConsultStore::updateNamingProduct(quint32 call, const QString& pcode, const QString& sql)
{
    ProductStore::Hold product = ProductStore::Hold::Held;
    int rows = 0;
    const bool done = DbTransaction::run(m_db, [&] {
        RecordSetPtr stored;
        const int found = DBOpenRS(m_db, stored,
                                   u"SELECT pcode FROM rsvconsult WHERE code = "_s + StoreSql::quoted(callCode(call))
                                       + u" FOR UPDATE"_s);
        if (failed())
            return false;
        if (found == 0 || stored->value(0, 0) != pcode)
            product = ProductStore(&m_db).holdFor(pcode);
        if (product != ProductStore::Hold::Held)
            return false;
        rows = execute(sql);
        return !failed();
    });
    if (product == ProductStore::Hold::Gone)
        ProductStore::sayGone();
    return done ? rows : -1;
}

QString ConsultStore::customerOf(quint32 call)
{
    return value(u"SELECT ccode FROM rsvconsult WHERE code = "_s + StoreSql::quoted(callCode(call)),
                 u"customerOf"_s);
}

int ConsultStore::renameCaller(const QString& number, const QString& name)
{
    return execute(u"UPDATE rsvconsult SET cname = "_s + StoreSql::quoted(name) + u" WHERE ctelno = "_s
                   + StoreSql::quoted(number));
}

int ConsultStore::complete(const QString& number)
{
    return execute(u"UPDATE tamberlog SET client_check = '-1' WHERE 1=1 AND phone_no = "_s
                   + StoreSql::quoted(number));
}

QString ConsultStore::categoryCode(const QString& name)
{
    return value(u"SELECT code FROM ascode WHERE part = 9 AND name = "_s + StoreSql::quoted(name),
                 u"categoryCode"_s);
}

bool ConsultStore::hasCategoriesLike(const QString& text)
{
    return !value(u"SELECT code FROM ascode WHERE part = 9 AND name LIKE "_s + StoreSql::containing(text)
                      + u" LIMIT 1"_s,
                  u"hasCategoriesLike"_s)
           .isEmpty();
}

QString ConsultStore::categoryName(const QString& code)
{
    return value(u"SELECT name FROM ascode WHERE code = "_s + StoreSql::quoted(code), u"categoryName"_s);
}

// One statement, so the panel is complete the moment the row appears.
QString ConsultStore::callerSql(const QString& ccode)
{
    return u"SELECT c.*, u.name AS uname, "
           u"(SELECT COUNT(*) FROM aslist_m AS a WHERE a.ccode = c.code AND a.state = 0) AS openasjobs, "
           u"(SELECT CONCAT_WS(' ', s.dealdate, s.pname) FROM sale AS s WHERE s.ccode = c.code "
           u"ORDER BY s.dealdate DESC, s.code DESC LIMIT 1) AS lastsale "
           u"FROM customer AS c LEFT JOIN local_user AS u ON c.charge = u.code WHERE c.code = "_s
        + StoreSql::quoted(ccode);
}

std::optional<ConsultStore::Caller> ConsultStore::caller(const QString& ccode)
{
    const RecordSetPtr rs = read(callerSql(ccode), u"caller"_s);
    if (!rs || rs->rowCount() == 0)
        return std::nullopt;
    Caller c;
    c.customer = CustomerRecord::fields().fromRow(*rs);
    c.chargeName = rs->field(u"uname"_s);
    c.openAsJobs = rs->field(u"openasjobs"_s).toInt();
    c.lastSale = rs->field(u"lastsale"_s);
    return c;
}

QString ConsultStore::customerSearchSql(const QString& text, bool tamber)
{
    const QString from = u" c.code FROM customer as c, local_user as u WHERE "_s;
    const QString tail = u" AND c.charge = u.code"_s;
    // Customers first: led by the small user table, the server walks the charge index and reads
    // every customer row by row, many times slower than one scan of the table.
    const QString scan = u"SELECT STRAIGHT_JOIN"_s + from;
    const QString names = namePieces(text);
    const QString digits = numberDigits(text);
    const QStringList numbers = digits.isEmpty()
        ? QStringList()
        : TelSuffixIndex::endsWithDigits(kNumberColumns + (tamber ? kEditionColumns : QStringList()), digits);
    if (names.isEmpty() || (!digits.isEmpty() && numbers.isEmpty()))
        return scan + everyColumn(text, tamber) + tail + u" ORDER BY c.code"_s;
    // Each part through its own index, so none of them reads every customer: the names through
    // their pieces, the code exact or by its beginning, a number by the ending of its digits.
    // A text inside a code or a number is left to the picker's search row.
    QStringList parts{names + u" AND ("_s + likeAny(kNameColumns, text) + u')', MakeFindWhere(u"c.code"_s, text, u"s*"_s)};
    if (tamber)
        parts << MakeFindWhere(kEditionColumns.first(), text, u"s*"_s);
    parts << numbers;
    for (QString& part : parts)
        part = u"SELECT"_s + from + part + tail;
    return parts.join(u" UNION "_s) + u" ORDER BY code"_s;
}

QStringList ConsultStore::searchCustomers(const QString& text, bool tamber)
{
    return firstColumn(customerSearchSql(text, tamber), u"searchCustomers"_s);
}

QString ConsultStore::pickerCondition(const QStringList& found, const QString& text, bool tamber)
{
    if (found.size() > kMostListedCodes)
        return everyColumn(text, tamber) + u" AND c.charge = u.code"_s;
    return u"c.code IN ("_s + StoreSql::quotedList(found) + u')';
}

QString ConsultStore::userName(const QString& userCode)
{
    return value(u"SELECT name FROM local_user WHERE code = "_s + StoreSql::quoted(userCode), u"userName"_s);
}

} // namespace asv
