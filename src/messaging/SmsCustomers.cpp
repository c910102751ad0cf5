#include "SmsCustomers.h"

#include "Clock.h"
#include "StoreSql.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kGroup = u" GROUP BY c.compname, c.telno1, c.fax, c.hpno, nowmoney"_s;
const QString kAsJoin = u" LEFT JOIN aslist_m AS s ON c.code = s.ccode"_s;

QString period(const QString& field, const SmsCustomers::Condition& c)
{
    return u" AND "_s + field + u" BETWEEN '"_s + c.from.toString(u"yyyy-MM-dd"_s) + u"' AND '"_s
           + c.to.toString(u"yyyy-MM-dd"_s) + u"'"_s + kGroup + u" HAVING COUNT(s.code) > 0"_s;
}

bool isMobile(const QString& number) { return number.startsWith(u"01"_s); }

} // namespace

QString SmsCustomers::sql(const Condition& c)
{
    QString extra, join, where;
    switch (c.filter) {
    case Filter::All:
    case Filter::Receivables:
        break;
    case Filter::PlannedVisits:
        extra = u", MIN(s.resvdate2) AS resvdate"_s;
        join = kAsJoin;
        where = period(u"s.resvdate2"_s, c);
        break;
    case Filter::LastAsDays:
        extra = u", MAX(s.dealdate) AS lastdealdate"_s;
        join = kAsJoin;
        where = kGroup + u" HAVING MAX(s.dealdate) <= '"_s
                + Clock::today().addDays(-c.daysSince).toString(u"yyyy-MM-dd"_s) + u"'"_s;
        break;
    case Filter::AsPeriod:
        extra = u", COUNT(s.code) AS cnt"_s;
        join = kAsJoin;
        where = period(u"s.dealdate"_s, c);
        break;
    }
    return u"SELECT c.compname, c.telno1, c.fax, c.hpno, nowmoney"_s + extra + u" FROM customer AS c"_s + join
           + u" WHERE c.hidden = 0"_s + where + u" ORDER BY c.compname"_s;
}

SmsCustomers::Memo SmsCustomers::memo(Filter filter)
{
    switch (filter) {
    case Filter::Receivables:
        return {u"미수금"_s, u"nowmoney"_s};
    case Filter::PlannedVisits:
        return {u"방문예정"_s, u"resvdate"_s};
    case Filter::LastAsDays:
        return {u"최종거래일"_s, u"lastdealdate"_s};
    default:
        return {u"비 고"_s, {}};
    }
}

QString SmsCustomers::mobileNumber(const QString& hpno, const QString& telno1)
{
    return isMobile(hpno) ? hpno : isMobile(telno1) ? telno1 : QString();
}

QString SmsCustomers::searchNumbers(const QString& hpno, const QString& telno1, const QString& fax, Kinds kinds)
{
    QStringList numbers;
    if (const QString mobile = mobileNumber(hpno, telno1); kinds.mobile && !mobile.isEmpty())
        numbers << mobile;
    if (kinds.telephone && !telno1.isEmpty() && !isMobile(telno1))
        numbers << telno1;
    if (kinds.fax && !fax.isEmpty() && !isMobile(fax))
        numbers << fax;
    return numbers.join(u',');
}

QList<SmsRecipient> SmsCustomers::byCodes(const QStringList& codes)
{
    if (codes.isEmpty())
        return {};
    RecordSetPtr rs;
    const int rows = DBOpenRS(rs, u"SELECT code, compname, telno1, hpno FROM customer WHERE code IN ("_s
                                      + StoreSql::quotedList(codes) + u")"_s);
    QHash<QString, SmsRecipient> found;
    for (int r = 0; r < rows; ++r) {
        found.insert(rs->value(r, u"code"_s),
                     {mobileNumber(rs->value(r, u"hpno"_s), rs->value(r, u"telno1"_s)), rs->value(r, u"compname"_s)});
    }
    CloseRS(rs);
    QList<SmsRecipient> recipients;
    for (const QString& code : codes) {
        if (const auto it = found.constFind(code); it != found.constEnd())
            recipients.append(*it);
    }
    return recipients;
}

} // namespace asv
