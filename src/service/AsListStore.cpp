#include "AsListStore.h"

#include "AsJobNames.h"
#include "StoreSql.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// Only what the job lists show, with the codes of the names AsJobNames adds. With the ledger index
// (SearchIndexes) the jobs come from the index alone, in date order, without visiting the rows.
const QString kJobColumns = u"SELECT a.code, a.ccode, a.pcode, a.typecode0, a.regucode, a.charge, a.dealdate, "
                            "a.dealtime, a.dealbigo, a.state, a.resvdate1, a.resvtime1, a.resvdate2, a.resvtime2, "
                            "a.workdate, a.worktime"_s;
// The delivery dates come in the same statement rather than in one more per listed job.
const QString kDeliveryColumns =
    u", (SELECT GROUP_CONCAT(DISTINCT d.senddate ORDER BY d.senddate SEPARATOR ', ') FROM aslist_d AS d "
    "WHERE d.code = a.code AND d.senddate <> '') AS senddates"_s;

QString jobsFrom(bool deliveries, const QString& jobCondition)
{
    return kJobColumns + (deliveries ? kDeliveryColumns : QString()) + u" FROM aslist_m AS a WHERE 1=1"_s
        + jobCondition;
}

QString between(const QString& column, const QString& from, const QString& to)
{
    return u" AND %1 BETWEEN %2 AND %3"_s.arg(column, StoreSql::quoted(from), StoreSql::quoted(to));
}

QString equals(const QString& column, const QString& value)
{
    return value.isEmpty() ? QString() : u" AND "_s + column + u" = "_s + StoreSql::quoted(value);
}

QString contains(const QString& column, const QString& text)
{
    return u" AND "_s + column + u" LIKE "_s + StoreSql::containing(text);
}

// A chosen code wins over a typed part of the name.
QString chosenOrTyped(const QString& codeColumn, const QString& code, const QString& nameColumn, const QString& name)
{
    if (!code.isEmpty())
        return equals(codeColumn, code);
    return name.isEmpty() ? QString() : contains(nameColumn, name);
}

} // namespace

AsListStore::AsListStore(cMySQL* db) : StoreSql(db, u"AsListStore"_s) {}

QString AsListStore::jobsSql(const JobFilter& filter)
{
    QString condition = between(filter.byPlannedVisit ? u"a.resvdate2"_s : u"a.dealdate"_s, filter.from, filter.to)
        + equals(u"a.ccode"_s, filter.ccode) + equals(u"a.charge"_s, filter.charge);
    if (filter.state >= 0)
        condition += u" AND a.state = "_s + QString::number(filter.state);
    return jobsFrom(filter.deliveries, condition) + u" ORDER BY a.dealdate, a.dealtime"_s;
}

RecordSetPtr AsListStore::jobs(const JobFilter& filter)
{
    return AsJobNames(filter.deliveries, true).attach(read(jobsSql(filter), u"jobs"_s));
}

RecordSetPtr AsListStore::job(int code, bool deliveries)
{
    return AsJobNames(deliveries, false).attach(read(jobsFrom(deliveries, u" AND a.code = "_s + QString::number(code)), u"job"_s));
}

QString AsListStore::resultLinesSql(const ResultFilter& filter)
{
    QString sql = u"SELECT a.*, c.compalias, p.name AS pname2, p.norm AS pnorm2, a0.name AS astypename0, "
                  "a1.name AS astypename1, a2.name AS astypename2, b.workbigo, b.amount, b.isfree"_s
        + (filter.deliveries ? u", c.modelname, c.telno1, c.addr1, c.addr2, b.senddate"_s : QString())
        // Every line of the period is listed and totalled, its names empty where their rows are gone.
        + u" FROM aslist_m AS a JOIN aslist_d AS b ON a.code = b.code LEFT JOIN customer AS c ON a.ccode = c.code "
                  "LEFT JOIN product AS p ON b.pcode = p.code "
                  "LEFT JOIN ascode AS a0 ON a.typecode0 = a0.code AND a0.part = 0 "
                  "LEFT JOIN ascode AS a1 ON b.typecode1 = a1.code AND a1.part = 1 "
                  "LEFT JOIN ascode AS a2 ON b.typecode2 = a2.code AND a2.part = 2 WHERE 1=1"_s
        + between(filter.deliveries ? u"b.senddate"_s : u"a.dealdate"_s, filter.from, filter.to)
        + equals(u"a.ccode"_s, filter.ccode);
    if (!filter.serial.isEmpty())
        sql += contains(u"a.pserial"_s, filter.serial);
    if (!filter.pcode.isEmpty())
        sql += equals(u"b.pcode"_s, filter.pcode);
    else if (!filter.productName.isEmpty())
        sql += u" AND p.name LIKE "_s + StoreSql::likePattern(filter.productName);
    else
        sql += equals(u"p.classname"_s, filter.productClass);
    return sql + u" ORDER BY a.dealdate, a.code, b.seq"_s;
}

RecordSetPtr AsListStore::resultLines(const ResultFilter& filter)
{
    return read(resultLinesSql(filter), u"resultLines"_s);
}

QString AsListStore::deliveriesAndSalesSql(const DeliveryFilter& filter)
{
    const QString filters = equals(u"p.classname"_s, filter.productClass)
        + chosenOrTyped(u"p.code"_s, filter.pcode, u"p.name"_s, filter.productName)
        + chosenOrTyped(u"c.code"_s, filter.ccode, u"c.compname"_s, filter.customerName);
    const QString shown = u"c.compname, c.modelname, c.telno1, c.addr1, c.addr2, p.name"_s;
    return u"SELECT 'A/S' AS kind, ad.code, ad.senddate AS dealdate, "_s + shown
        + u" FROM customer as c, aslist_m as am, aslist_d as ad, product as p WHERE am.code = ad.code "
          "AND c.code = am.ccode AND ad.pcode = p.code"_s
        + between(u"ad.senddate"_s, filter.from, filter.to) + filters
        + u" UNION ALL SELECT '판매', s.code, s.dealdate, "_s + shown
        + u" FROM customer as c, sale as s, product as p WHERE s.ccode = c.code AND s.pcode = p.code"_s
        + between(u"s.dealdate"_s, filter.from, filter.to) + filters + u" ORDER BY dealdate, kind, code"_s;
}

RecordSetPtr AsListStore::deliveriesAndSales(const DeliveryFilter& filter)
{
    return read(deliveriesAndSalesSql(filter), u"deliveriesAndSales"_s);
}

RecordSetPtr AsListStore::customerPanel(const QString& ccode)
{
    return read(u"SELECT c.telno1, c.telno2, c.telno3, c.telno4, c.fax, c.hpno, c.addr1, c.addr2, c.email, l.name, "
                "c.bigo FROM customer as c LEFT JOIN local_user as l ON c.charge = l.code WHERE c.code = %1"_s.arg(
                    StoreSql::quoted(ccode)),
                u"customerPanel"_s);
}

QStringList AsListStore::purchases(const QString& ccode)
{
    const QString sql = u"SELECT dealdate, pname, pnorm FROM sale WHERE ccode = %1 ORDER BY dealdate DESC"_s;
    const RecordSetPtr rs = read(sql.arg(StoreSql::quoted(ccode)), u"purchases"_s);
    QStringList lines;
    for (int row = 0; row < rs->rowCount(); ++row)
        lines << u"%1 %2 %3"_s.arg(rs->value(row, 0), rs->value(row, 1), rs->value(row, 2)).trimmed();
    return lines;
}

} // namespace asv
