#include "HistoryStore.h"

#include "Clock.h"
#include "ConsultStore.h"
#include "DateText.h"
#include "StoreSql.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

QString between(const HistoryPeriod& period)
{
    return u" BETWEEN %1 AND %2"_s.arg(StoreSql::quoted(period.from), StoreSql::quoted(period.to));
}

} // namespace

HistoryStore::HistoryStore(cMySQL* db) : StoreSql(db, u"HistoryStore"_s) {}

RecordSetPtr HistoryStore::asJobs(const QString& ccode, const HistoryPeriod& period)
{
    // A job whose product, user in charge or type row is gone is still the customer's job.
    return read(u"SELECT a.dealdate, a.state, a.code, a.dealbigo, IFNULL(p.name, '') AS pname, "
                "IFNULL(u.name, '') AS uname, IFNULL(ac.name, '') AS acname FROM aslist_m AS a "
                "LEFT JOIN product AS p ON p.code = a.pcode LEFT JOIN local_user AS u ON u.code = a.charge "
                "LEFT JOIN ascode AS ac ON ac.code = a.typecode0 "
                "WHERE a.ccode = %1 AND a.dealdate%2 ORDER BY a.dealdate, a.code"_s.arg(StoreSql::quoted(ccode),
                                                                                       between(period)),
                u"asJobs"_s);
}

RecordSetPtr HistoryStore::consultations(const QString& ccode, const QString& number, const HistoryPeriod& period)
{
    // An empty side would match every call that lacks it.
    QStringList callers;
    if (!ccode.isEmpty())
        callers << u"r.ccode = "_s + StoreSql::quoted(ccode);
    if (!number.isEmpty())
        callers << u"r.ctelno = "_s + StoreSql::quoted(number);
    if (callers.isEmpty())
        return std::make_shared<RecordSet>();
    return read(u"SELECT r.condate, r.contime, u.name, r.pcode, r.pname, r.state, r.code, r.refernote "
                "FROM rsvconsult as r, local_user as u WHERE (%1) AND r.state <> '0' AND r.regucode = u.code "
                "AND r.condate%2 ORDER BY r.condate DESC, r.contime DESC"_s.arg(callers.join(u" OR "_s),
                                                                               between(period)),
                u"consultations"_s);
}

RecordSetPtr HistoryStore::sales(const QString& ccode, const HistoryPeriod& period)
{
    return read(u"SELECT code, dealdate, pname, qnt, total FROM sale WHERE ccode = %1 AND dealdate%2 ORDER BY dealdate"_s.arg(
                    StoreSql::quoted(ccode), between(period)),
                u"sales"_s);
}

RecordSetPtr HistoryStore::asJob(int code)
{
    return read(u"SELECT * FROM aslist_m WHERE code = "_s + QString::number(code), u"asJob"_s);
}

RecordSetPtr HistoryStore::asWorkLines(int code)
{
    return read(u"SELECT * FROM aslist_d WHERE code = %1 ORDER BY seq"_s.arg(code), u"asWorkLines"_s);
}

RecordSetPtr HistoryStore::sale(int code)
{
    return read(u"SELECT s.*, p.unit FROM sale as s, product as p WHERE s.code = %1 AND p.code = s.pcode "
                "GROUP BY s.code"_s.arg(code),
                u"sale"_s);
}

RecordSetPtr HistoryStore::consultation(int code)
{
    return read(u"SELECT * FROM rsvconsult WHERE code = "_s + QString::number(code), u"consultation"_s);
}

QString HistoryStore::codeName(int code)
{
    const QStringList names =
        firstColumn(u"SELECT name FROM ascode WHERE code = "_s + QString::number(code), u"codeName"_s);
    return names.value(0);
}

int HistoryStore::correctConsultation(const Correction& c)
{
    const QDateTime now = Clock::now();
    // One arg() call: a typed "%1" in the texts must stay as typed.
    const int rows = ConsultStore(&m_db).updateNamingProduct(
        static_cast<quint32>(c.code), c.pcode,
        u"UPDATE rsvconsult SET pcode = %1, pname = %2, regucode = %3, concode = '%4', refernote = %5, "
        "connote = %6, state = '%7', editdate = %8, edittime = %9 WHERE code = '%10'"_s
            .arg(StoreSql::quoted(c.pcode), StoreSql::quoted(c.pname), StoreSql::quoted(c.userCode),
                 QString::number(c.concode), StoreSql::quoted(c.refernote), StoreSql::quoted(c.connote),
                 QString::number(c.state), StoreSql::quoted(DateText::format(now.date())),
                 StoreSql::quoted(now.toString(u"HH:mm"_s)), QString::number(c.code)));
    return std::max(rows, 0);
}

RecordSetPtr HistoryStore::categories(int part, const QString& text)
{
    return read(u"SELECT code, name FROM ascode WHERE part = %1 AND name LIKE %2 ORDER BY name"_s.arg(
                    QString::number(part), StoreSql::containing(text)),
                u"categories"_s);
}

int HistoryStore::categoryCode(int part, const QString& name)
{
    const QStringList codes = firstColumn(
        u"SELECT code FROM ascode WHERE part = %1 AND name = %2 ORDER BY code"_s.arg(QString::number(part),
                                                                                   StoreSql::quoted(name)),
        u"categoryCode"_s);
    return codes.value(0).toInt();
}

} // namespace asv
