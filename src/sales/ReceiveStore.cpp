#include "ReceiveStore.h"

#include "CustomerBalance.h"
#include "DbError.h"
#include "DbTransaction.h"
#include "SqlNumber.h"
#include "ReceiveRules.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

ReceiveRecord recordOf(const RecordSet& rs)
{
    ReceiveRecord r;
    r.code = rs.value(0, u"code"_s).toInt();
    r.dealdate = rs.value(0, u"dealdate"_s);
    r.ccode = rs.value(0, u"ccode"_s);
    r.amount = rs.value(0, u"amount"_s).toDouble();
    r.dc = rs.value(0, u"dc"_s).toDouble();
    r.type = rs.value(0, u"type"_s).toInt();
    r.charge = rs.value(0, u"charge"_s);
    r.bigo = rs.value(0, u"bigo"_s);
    r.regucode = rs.value(0, u"regucode"_s);
    r.deallistno = rs.value(0, u"deallistno"_s);
    r.dealtime = rs.value(0, u"dealtime"_s);
    return r;
}

} // namespace

ReceiveStore::ReceiveStore(cMySQL* db) : StoreSql(db, u"ReceiveStore"_s) {}

int ReceiveStore::execute(const QString& sql)
{
    m_db.query(sql, false);
    return m_db.lastErrno() == 0 ? m_db.affected_rows() : -1;
}

std::optional<ReceiveRecord> ReceiveStore::load(int code)
{
    RecordSetPtr rs = read(u"SELECT * FROM receive WHERE code = "_s + QString::number(code), u"load"_s);
    if (rs->rowCount() == 0)
        return std::nullopt;
    return recordOf(*rs);
}

std::optional<ReceiveCustomer> ReceiveStore::customer(const QString& ccode)
{
    RecordSetPtr rs = read(u"SELECT compname, nowmoney, charge, bigo FROM customer WHERE code = "_s + quoted(ccode),
                           u"customer"_s);
    if (rs->rowCount() == 0)
        return std::nullopt;
    return ReceiveCustomer{rs->value(0, 0), rs->value(0, 1).toDouble(), rs->value(0, 2), rs->value(0, 3)};
}

// Taking the payment's row first, before any customer, is the one order every write here keeps:
// two desks never hold each other's next lock, so no deadlock can split a row from its balance.
std::optional<ReceiveStore::Locked> ReceiveStore::lock(int code)
{
    RecordSetPtr rs = m_db.query(u"SELECT ccode, dealdate, amount + dc FROM receive WHERE code = "_s
                                     + QString::number(code) + u" FOR UPDATE"_s,
                                 false);
    if (m_db.lastErrno() != 0 || !rs || rs->rowCount() == 0)
        return std::nullopt;
    return Locked{rs->value(0, 0), rs->value(0, 1), rs->value(0, 2).toDouble()};
}

int ReceiveStore::insert(const ReceiveRecord& p)
{
    const QString sql = u"INSERT INTO receive ( dealdate, ccode, amount, dc, type, charge, bigo, regucode, "
                        u"deallistno, dealtime) VALUES ( "_s
        + quoted(p.dealdate) + u","_s + quoted(p.ccode) + u", "_s + SqlNumber(ReceiveRules::rounded(p.amount)) + u", "_s
        + SqlNumber(ReceiveRules::rounded(p.dc)) + u", "_s + QString::number(p.type) + u","_s + quoted(p.charge) + u","_s
        + quoted(p.bigo) + u","_s + quoted(p.regucode) + u",'',"_s + quoted(p.dealtime) + u" )"_s;
    // The payment and its balance move stand or fall together.
    int code = 0;
    const bool done = DbTransaction::run(m_db, [&] {
        if (!CustomerBalance(&m_db).lock(p.ccode) || execute(sql) <= 0)
            return false;
        code = m_db.insert_id();
        return CustomerBalance(&m_db).move(p.ccode, -p.total());
    });
    return done ? code : 0;
}

int ReceiveStore::update(const ReceiveRecord& loaded, const ReceiveRecord& edited)
{
    const double dAmount = ReceiveRules::rounded(edited.amount - loaded.amount);
    const double dDc = ReceiveRules::rounded(edited.dc - loaded.dc);
    QString sql = u"UPDATE receive SET dealdate = "_s + quoted(edited.dealdate) + u",ccode = "_s + quoted(edited.ccode)
        + u",amount = amount + "_s + SqlNumber(dAmount) + u",dc = dc + "_s + SqlNumber(dDc) + u",charge = "_s
        + quoted(edited.charge) + u",bigo = "_s + quoted(edited.bigo) + u",type = "_s + QString::number(edited.type);
    if (edited.dealdate != loaded.dealdate)
        sql += u",deallistno = ''"_s;
    sql += u" WHERE code = "_s + QString::number(edited.code);
    // The row and the balances it moves stand or fall together.
    const bool done = DbTransaction::run(m_db, [&] {
        // What is stored now decides where the money sits, not what this screen loaded earlier:
        // another desk may have edited or moved the payment since.
        const std::optional<Locked> now = lock(edited.code);
        if (!now || (edited.ccode != now->ccode && !CustomerBalance(&m_db).lock(edited.ccode)) || execute(sql) <= 0)
            return false;
        const QList<std::pair<QString, double>> moves =
            ReceiveRules::balanceMoves(now->ccode, now->total, edited.ccode, dAmount + dDc);
        return std::all_of(moves.begin(), moves.end(),
                           [this](const auto& move) { return CustomerBalance(&m_db).move(move.first, move.second); });
    });
    return done ? 1 : 0;
}

bool ReceiveStore::remove(int code)
{
    // The delete and the balance coming back stand or fall together.
    return DbTransaction::run(m_db, [&] {
        const std::optional<Locked> now = lock(code);
        return now && execute(u"DELETE FROM receive WHERE code = "_s + QString::number(code)) > 0
            && CustomerBalance(&m_db).move(now->ccode, now->total);
    });
}

RecordSetPtr ReceiveStore::list(const QString& from, const QString& to, const QString& ccode)
{
    QString sql = u"SELECT r.code, r.dealdate, r.ccode, c.compname, r.amount, r.dc, r.type, r.bigo FROM receive AS r, "
                  u"customer AS c WHERE r.ccode = c.code AND dealdate BETWEEN "_s
        + quoted(from) + u" AND "_s + quoted(to);
    if (!ccode.isEmpty())
        sql += u" AND ccode = "_s + quoted(ccode);
    sql += u" ORDER BY r.dealdate, c.compname, r.code"_s;
    return read(sql, u"list"_s);
}

} // namespace asv
