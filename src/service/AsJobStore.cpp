#include "AsJobStore.h"

#include "CustomerBalance.h"
#include "DbTransaction.h"
#include "ProductStore.h"
#include "StoreSql.h"
#include "modMain_SQL.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QStringList kReceptionColumns = {u"ccode"_s,     u"pcode"_s,     u"pserial"_s,   u"dealdate"_s,
                                       u"dealtime"_s,  u"regucode"_s,  u"dealbigo"_s,  u"typecode0"_s,
                                       u"resvdate1"_s, u"resvtime1"_s, u"resvdate2"_s, u"resvtime2"_s,
                                       u"charge"_s};
const QStringList kEditableColumns = {u"ccode"_s,     u"pcode"_s,     u"pserial"_s,   u"dealbigo"_s,
                                      u"typecode0"_s, u"resvdate1"_s, u"resvtime1"_s, u"resvdate2"_s,
                                      u"resvtime2"_s, u"charge"_s};
const QStringList kLineColumns = {u"pcode"_s,  u"typecode1"_s, u"typecode2"_s, u"workbigo"_s,
                                  u"amount"_s, u"isfree"_s,    u"senddate"_s};

QString lineKey(int job, int seq)
{
    return u" WHERE code = %1 AND seq = %2"_s.arg(job).arg(seq);
}

} // namespace

AsJobStore::AsJobStore(cMySQL* db) : StoreSql(db, u"AsJobStore"_s) {}

std::optional<AsJobStore::StoredCharge> AsJobStore::storedCharge(int job, int seq)
{
    RecordSetPtr rs;
    DBOpenRS(m_db, rs, u"SELECT amount, isfree, pcode FROM aslist_d"_s + lineKey(job, seq));
    throwIfFailed(u"storedCharge"_s);
    if (!rs || rs->eof())
        return std::nullopt;
    return StoredCharge{rs->field(0), rs->field(1), rs->field(2)};
}

QString AsJobStore::lockCustomerOf(int job)
{
    const QString ccode = DBGetValue(m_db, u"SELECT ccode FROM aslist_m WHERE code = %1 FOR UPDATE"_s.arg(job));
    throwIfFailed(u"lockCustomerOf"_s);
    if (!ccode.isEmpty()) {
        // A cluster's nodes do not see each other's locks; only rows both transactions write make
        // the later commit fail and run again. A bit of the state flipped and flipped back is such
        // a write and leaves the row as it was. Without it a line charged on one node while the
        // job moved to another customer on another kept its charge with the old customer.
        for (int flip = 0; flip < 2; ++flip) {
            execute(u"UPDATE aslist_m SET state = state ^ 1 WHERE code = %1"_s.arg(job));
            throwIfFailed(u"lockCustomerOf"_s);
        }
        // A job whose customer is gone (deleted by hand) keeps its lines workable.
        CustomerBalance(&m_db).lock(ccode);
        throwIfFailed(u"lockCustomerOf"_s);
    }
    return ccode;
}

double AsJobStore::chargedTotal(int job)
{
    const QString sum = DBGetValue(m_db, u"SELECT SUM(amount) FROM aslist_d WHERE code = %1 AND isfree = 0"_s.arg(job));
    throwIfFailed(u"chargedTotal"_s);
    return sum.toDouble();
}

std::optional<AsJobRecord> AsJobStore::load(int code)
{
    return AsJobRecord::fields().load(*this, u"aslist_m"_s, QString::number(code));
}

QString AsJobStore::customerOf(int code)
{
    const QString ccode = DBGetValue(m_db, u"SELECT ccode FROM aslist_m WHERE code = "_s + QString::number(code));
    throwIfFailed(u"customerOf"_s);
    return ccode;
}

int AsJobStore::insert(const AsJobRecord& job)
{
    // Under the customer's lock, as every document, and the product's hold: a customer or product
    // deleted meanwhile leaves no job.
    int code = 0;
    ProductStore::Hold product = ProductStore::Hold::Held;
    const bool done = DbTransaction::run(m_db, [&] {
        if (!CustomerBalance(&m_db).lock(job.ccode)
            || (product = ProductStore(&m_db).holdFor(job.pcode)) != ProductStore::Hold::Held
            || execute(AsJobRecord::fields().insertSql(u"aslist_m"_s, kReceptionColumns, job)) == 0)
            return false;
        code = static_cast<int>(DBInsertId(m_db));
        return true;
    });
    if (product == ProductStore::Hold::Gone)
        ProductStore::sayGone();
    // A code taken in a try whose COMMIT then failed names no job.
    return done ? code : 0;
}

bool AsJobStore::update(const AsJobRecord& job)
{
    // The charges follow the job, so a change of customer moves them in the same transaction; a
    // product given to the job is held as a new job's is.
    ProductStore::Hold product = ProductStore::Hold::Held;
    const bool done = DbTransaction::run(m_db, [&] {
        const QString before = lockCustomerOf(job.code);
        if (before.isEmpty())
            return false;
        if (before != job.ccode && !CustomerBalance(&m_db).lock(job.ccode))
            return false;
        if (job.pcode != value(u"SELECT pcode FROM aslist_m WHERE code = %1"_s.arg(job.code), u"update"_s)
            && (product = ProductStore(&m_db).holdFor(job.pcode)) != ProductStore::Hold::Held)
            return false;
        const double charged = chargedTotal(job.code);
        if (execute(AsJobRecord::fields().updateSql(u"aslist_m"_s, kEditableColumns, job, u"code"_s)) == 0)
            return false;
        return before == job.ccode || (CustomerBalance(&m_db).move(before, -charged) && CustomerBalance(&m_db).move(job.ccode, charged));
    });
    if (product == ProductStore::Hold::Gone)
        ProductStore::sayGone();
    return done;
}

bool AsJobStore::remove(int code)
{
    // A job leaves nothing behind: its lines go first, each with its charge, exactly as the result
    // screen deletes them, and the header only once no line is left, so a line added meanwhile
    // from another desk keeps its job and its charge.
    const QStringList seqs = firstColumn(u"SELECT seq FROM aslist_d WHERE code = %1 ORDER BY seq"_s.arg(code), u"remove"_s);
    for (const QString& seq : seqs)
        removeLine(code, seq.toInt());
    return execute(u"DELETE FROM aslist_m WHERE code = %1 AND NOT EXISTS (SELECT 1 FROM aslist_d WHERE "
                   u"aslist_d.code = %1)"_s.arg(code))
        > 0;
}

int AsJobStore::lineCount(int job)
{
    const QString count = DBGetValue(m_db, u"SELECT COUNT(*) FROM aslist_d WHERE code = "_s + QString::number(job));
    throwIfFailed(u"lineCount"_s);
    return count.toInt();
}

QList<AsJobStore::LineRow> AsJobStore::lines(int job)
{
    RecordSetPtr rs;
    DBOpenRS(m_db, rs, u"SELECT a.*, p.name AS pname2, p.norm AS pnorm2, a1.name AS astypename1, a2.name AS astypename2 "
                 u"FROM aslist_d AS a LEFT JOIN product AS p ON a.pcode = p.code "
                 u"LEFT JOIN ascode AS a1 ON a.typecode1 = a1.code AND a1.part = 1 "
                 u"LEFT JOIN ascode AS a2 ON a.typecode2 = a2.code AND a2.part = 2 WHERE a.code = "_s
                     + QString::number(job) + u" ORDER BY a.seq"_s);
    throwIfFailed(u"lines"_s);
    QList<LineRow> rows;
    for (; rs && !rs->eof(); rs->moveNext()) {
        LineRow row{AsLineRecord::fields().fromRow(*rs), rs->field(u"pname2"_s), rs->field(u"astypename1"_s),
                    rs->field(u"astypename2"_s)};
        const QString norm = rs->field(u"pnorm2"_s);
        if (!norm.isEmpty())
            row.product += u'(' + norm + u')';
        rows.append(row);
    }
    CloseRS(rs);
    return rows;
}

std::optional<AsLineRecord> AsJobStore::loadLine(int job, int seq)
{
    RecordSetPtr rs;
    DBOpenRS(m_db, rs, u"SELECT * FROM aslist_d"_s + lineKey(job, seq));
    throwIfFailed(u"loadLine"_s);
    if (!rs || rs->eof())
        return std::nullopt;
    return AsLineRecord::fields().fromRow(*rs);
}

// The line, the job's completion and the balance move are one transaction: a charge is never
// stored without its balance, nor counted without its line.
int AsJobStore::saveLine(const AsLineRecord& line)
{
    AsLineRecord stored = line;
    ProductStore::Hold product = ProductStore::Hold::Held;
    const bool done = DbTransaction::run(m_db, [&] {
        const QString ccode = lockCustomerOf(stored.code);
        if (ccode.isEmpty())
            return false;
        double before = 0;
        if (line.seq == 0) {
            if ((product = ProductStore(&m_db).holdFor(line.pcode)) != ProductStore::Hold::Held)
                return false;
            const QString max = DBGetValue(m_db, u"SELECT MAX(seq) FROM aslist_d WHERE code = "_s + QString::number(line.code));
            throwIfFailed(u"saveLine"_s);
            stored.seq = max.toInt() + 1;
            QStringList columns{u"code"_s, u"seq"_s};
            if (execute(AsLineRecord::fields().insertSql(u"aslist_d"_s, columns + kLineColumns, stored)) == 0)
                return false;
            // Line 1 is the first line of a job without lines, whichever desk stored it.
            if (stored.seq == 1) {
                DBExecute(m_db, u"UPDATE aslist_m SET workdate = DATE_FORMAT(CURDATE(),'%Y-%m-%d'),worktime = "
                          u"DATE_FORMAT(NOW(),'%H:%i'),state = 9 WHERE code = "_s
                          + QString::number(stored.code));
                if (failed())
                    return false;
            }
        } else {
            // The balance moves from the charge as stored, not as the dialog saw it when it opened.
            const std::optional<StoredCharge> was = storedCharge(line.code, line.seq);
            if (!was
                || (line.pcode != was->pcode
                    && (product = ProductStore(&m_db).holdFor(line.pcode)) != ProductStore::Hold::Held))
                return false;
            const QString sql = AsLineRecord::fields().updateSql(u"aslist_d"_s, kLineColumns, stored, u"code"_s)
                + u" AND seq = "_s + QString::number(stored.seq) + was->unchanged();
            if (execute(sql) == 0)
                return false;
            before = was->billed();
        }
        return CustomerBalance(&m_db).move(ccode, stored.billed() - before);
    });
    if (product == ProductStore::Hold::Gone)
        ProductStore::sayGone();
    return done ? stored.seq : 0;
}

bool AsJobStore::removeLine(int job, int seq)
{
    return DbTransaction::run(m_db, [&] {
        const QString ccode = lockCustomerOf(job);
        const std::optional<StoredCharge> was = ccode.isEmpty() ? std::nullopt : storedCharge(job, seq);
        return was && execute(u"DELETE FROM aslist_d"_s + lineKey(job, seq) + was->unchanged()) > 0
            && CustomerBalance(&m_db).move(ccode, -was->billed());
    });
}

} // namespace asv
