#include "CallIntake.h"

#include "CanonicalTelNo.h"
#include "DbError.h"
#include "StoreSql.h"
#include "cMySQL.h"
#include "RecordSet.h"

#include <exception>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kStore = u"CallIntake::"_s;

} // namespace

CallIntake::Call CallIntake::record(const QString& rawNumber, bool isLocal, const QDateTime& at)
{
    Call call;
    call.number = CanonicalTelNo(rawNumber);
    if (call.number.isEmpty())
        call.refusal = Refusal::Empty;
    else if (call.number.size() >= kRefusedLength)
        call.refusal = Refusal::TooLong;
    if (call.refusal != Refusal::None)
        return call;
    call.date = at.toString(u"yyyy-MM-dd"_s);
    call.time = at.toString(u"HH:mm"_s);
    call.name = earlierName(call.number);
    // The customer is looked up first so that the call is stored with its link in one write: on a
    // cluster every write waits for the other nodes. A failed look-up still stores the call.
    std::exception_ptr lookUpFailed;
    try {
        call.customer = matchCustomer(call.number);
    } catch (const DbError&) {
        lookUpFailed = std::current_exception();
    }
    if (call.customer)
        call.name = call.customer->compname;
    if (isLocal)
        call.code = insert(call.name, call.number, call.date, call.time, call.customer);
    if (lookUpFailed)
        std::rethrow_exception(lookUpFailed);
    return call;
}

QString CallIntake::earlierName(const QString& number)
{
    const RecordSetPtr rs =
        m_db.query(u"SELECT cname FROM rsvconsult WHERE ctelno = "_s + StoreSql::quoted(number) + u" GROUP BY cname"_s, true);
    if (m_db.lastErrno() != 0)
        throw DbError(m_db.lastErrno(), kStore + u"earlierName"_s, m_db.lastError());
    return rs && rs->rowCount() > 0 ? rs->value(0, 0) : QString();
}

// The text columns are written even when empty: tables made by older servers have them without
// a default, and strict mode would refuse the row (and lose the call).
quint32 CallIntake::insert(const QString& name, const QString& number, const QString& date, const QString& time,
                           const std::optional<Customer>& customer)
{
    QString columns = u"cname, ctelno, condate, contime, pname, refernote, connote"_s;
    QString values = StoreSql::quoted(name) + u", "_s + StoreSql::quoted(number) + u", "_s + StoreSql::quoted(date)
        + u", "_s + StoreSql::quoted(time) + u", '', '', ''"_s;
    if (customer) {
        columns += u", ocode, ccode"_s;
        values += u", "_s + StoreSql::quoted(customer->ocode) + u", "_s + StoreSql::quoted(customer->code);
    }
    execute(u"INSERT INTO rsvconsult ("_s + columns + u") VALUES ("_s + values + u')', u"insert"_s);
    return static_cast<quint32>(m_db.insert_id());
}

std::optional<CallIntake::Customer> CallIntake::matchCustomer(const QString& number)
{
    const QString n = StoreSql::quoted(number);
    const RecordSetPtr rs = m_db.query(u"SELECT code, compname, ocode FROM customer WHERE telno1 = "_s + n
                                           + u" OR telno2 = "_s + n + u" OR telno3 = "_s + n + u" OR telno4 = "_s + n,
                                       true);
    if (m_db.lastErrno() != 0)
        throw DbError(m_db.lastErrno(), kStore + u"matchCustomer"_s, m_db.lastError());
    if (!rs || rs->rowCount() == 0)
        return std::nullopt;
    return Customer{rs->value(0, 0), rs->value(0, 1), rs->value(0, 2)};
}

void CallIntake::execute(const QString& sql, const QString& operation)
{
    m_db.query(sql, true);
    if (m_db.lastErrno() != 0)
        throw DbError(m_db.lastErrno(), kStore + operation, m_db.lastError());
}

} // namespace asv
