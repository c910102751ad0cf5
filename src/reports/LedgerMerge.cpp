#include "LedgerMerge.h"

#include <QHash>
#include <utility>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

constexpr qint64 kUnit = 10000;

// An exhausted list of lines never comes first.
const QString kNoMoreLines = u"9999-99-99"_s;

// Rows of each customer in a list sorted by customer: first row and one past the last.
QHash<QString, std::pair<int, int>> rangesByCustomer(const RecordSet& lines)
{
    QHash<QString, std::pair<int, int>> ranges;
    const int ccode = lines.fieldIndex(u"ccode"_s);
    QString current;
    for (int r = 0; r < lines.rowCount(); ++r) {
        const QString code = lines.value(r, ccode);
        if (r == 0 || code != current) {
            current = code;
            ranges.insert(code, {r, r + 1});
        } else {
            ranges[code].second = r + 1;
        }
    }
    return ranges;
}

QString paymentKind(const QString& type)
{
    return type == u"0"_s ? u"현금"_s : type == u"1"_s ? u"카드"_s : QString();
}

} // namespace

QStringList LedgerMerge::captions()
{
    return {u"거래처"_s, u"일자"_s, u"품명"_s, u"수량"_s, u"단위"_s,
            u"단가"_s,   u"매출"_s, u"입금"_s, u"잔액"_s, u"비고"_s};
}

qint64 LedgerMerge::money(QStringView text)
{
    text = text.trimmed();
    const qsizetype dot = text.indexOf(u'.');
    const qint64 whole = text.left(dot < 0 ? text.size() : dot).toLongLong();
    qint64 fraction = 0;
    if (dot >= 0) {
        const QStringView digits = text.mid(dot + 1, 4);
        fraction = digits.toLongLong();
        for (qsizetype i = digits.size(); i < 4; ++i)
            fraction *= 10;
    }
    return text.startsWith(u'-') ? whole * kUnit - fraction : whole * kUnit + fraction;
}

QString LedgerMerge::moneyText(qint64 amount)
{
    const qint64 magnitude = amount < 0 ? -amount : amount;
    QString text = QString::number(magnitude / kUnit);
    if (const qint64 fraction = magnitude % kUnit) {
        QString digits = QString::number(fraction).rightJustified(4, u'0');
        while (digits.endsWith(u'0'))
            digits.chop(1);
        text += u'.' + digits;
    }
    return amount < 0 ? u'-' + text : text;
}

LedgerMerge::LedgerMerge(RecordSetPtr customers, RecordSetPtr carried, RecordSetPtr debits, RecordSetPtr credits)
    : m_customers(std::move(customers)), m_carriedSums(std::move(carried)), m_debits(std::move(debits)),
      m_credits(std::move(credits))
{
}

void LedgerMerge::carryForward()
{
    QHash<QString, qint64> sums;
    const int ccode = m_carriedSums->fieldIndex(u"ccode"_s);
    const int sumtot = m_carriedSums->fieldIndex(u"sumtot"_s);
    for (int r = 0; r < m_carriedSums->rowCount(); ++r)
        sums[m_carriedSums->value(r, ccode)] += money(m_carriedSums->value(r, sumtot));

    const int code = m_customers->fieldIndex(u"code"_s);
    const int base = m_customers->fieldIndex(u"basebaln"_s);
    m_carried.assign(static_cast<size_t>(m_customers->rowCount()), 0);
    for (int c = 0; c < m_customers->rowCount(); ++c)
        m_carried[static_cast<size_t>(c)] = money(m_customers->value(c, base)) + sums.value(m_customers->value(c, code));
}

void LedgerMerge::mergeLines()
{
    m_rows.clear();
    const int customers = m_customers->rowCount();
    if (customers == 0)
        return;
    m_rows.reserve(static_cast<size_t>(m_debits->rowCount() + m_credits->rowCount() + 2 * customers + 1));
    const QHash<QString, std::pair<int, int>> debitRanges = rangesByCustomer(*m_debits);
    const QHash<QString, std::pair<int, int>> creditRanges = rangesByCustomer(*m_credits);
    const int code = m_customers->fieldIndex(u"code"_s);
    const int debitDate = m_debits->fieldIndex(u"dealdate"_s);
    const int debitTotal = m_debits->fieldIndex(u"total"_s);
    const int creditDate = m_credits->fieldIndex(u"dealdate"_s);
    const int creditAmount = m_credits->fieldIndex(u"amount"_s);
    const auto dateAt = [](const RecordSet& lines, int col, int r, int end) {
        return r < end ? lines.value(r, col) : kNoMoreLines;
    };

    Row total{Kind::Total, -1, -1, 0, 0, 0};
    for (int c = 0; c < customers; ++c) {
        const QString ccode = m_customers->value(c, code);
        qint64 balance = m_carried[static_cast<size_t>(c)];
        m_rows.push_back({Kind::Carried, c, -1, 0, 0, balance});
        Row subtotal{Kind::Subtotal, c, -1, 0, 0, 0};
        auto [d, dEnd] = debitRanges.value(ccode, {0, 0});
        auto [k, kEnd] = creditRanges.value(ccode, {0, 0});
        QString nextDebit = dateAt(*m_debits, debitDate, d, dEnd);
        QString nextCredit = dateAt(*m_credits, creditDate, k, kEnd);
        while (d < dEnd || k < kEnd) {
            if (nextCredit < nextDebit) {
                const qint64 amount = money(m_credits->value(k, creditAmount));
                balance -= amount;
                subtotal.credit += amount;
                m_rows.push_back({Kind::Credit, c, k, 0, amount, balance});
                nextCredit = dateAt(*m_credits, creditDate, ++k, kEnd);
            } else {
                const qint64 amount = money(m_debits->value(d, debitTotal));
                balance += amount;
                subtotal.debit += amount;
                m_rows.push_back({Kind::Debit, c, d, amount, 0, balance});
                nextDebit = dateAt(*m_debits, debitDate, ++d, dEnd);
            }
        }
        subtotal.balance = balance;
        m_rows.push_back(subtotal);
        total.debit += subtotal.debit;
        total.credit += subtotal.credit;
        total.balance += balance;
    }
    m_rows.push_back(total);
}

QString LedgerMerge::customerCode(int customer) const
{
    return m_customers->value(customer, u"code"_s);
}

QString LedgerMerge::customerName(int customer) const
{
    const QString alias = m_customers->value(customer, u"compalias"_s);
    return alias.isEmpty() ? m_customers->value(customer, u"compname"_s) : alias;
}

QString LedgerMerge::contactHeading(int customer) const
{
    return u" (☏%1,F:%2)"_s.arg(m_customers->value(customer, u"telno1"_s), m_customers->value(customer, u"fax"_s));
}

QString LedgerMerge::debitText(int source, int col) const
{
    const RecordSet& lines = *m_debits;
    switch (col) {
    case ColItem: {
        const QString norm = lines.value(source, u"pnorm"_s);
        return lines.value(source, u"pname"_s) + (norm.isEmpty() ? QString() : u'(' + norm + u')');
    }
    case ColQty:
        return moneyText(money(lines.value(source, u"qnt"_s)));
    case ColUnit:
        return lines.value(source, u"punit"_s);
    case ColPrice:
        return moneyText(money(lines.value(source, u"price"_s)));
    case ColMemo:
        return lines.value(source, u"prnbigo"_s);
    default:
        return {};
    }
}

QString LedgerMerge::text(int r, int col) const
{
    const Row& line = row(r);
    if (col == ColBalance)
        return moneyText(line.balance);
    switch (line.kind) {
    case Kind::Carried:
        return col == ColCustomer ? customerName(line.customer) : col == ColItem ? u"[전기이월]"_s : QString();
    case Kind::Debit:
        if (col == ColDate)
            return m_debits->value(line.source, u"dealdate"_s);
        return col == ColDebit ? moneyText(line.debit) : debitText(line.source, col);
    case Kind::Credit:
        switch (col) {
        case ColDate:
            return m_credits->value(line.source, u"dealdate"_s);
        case ColItem:
            return u"입금"_s;
        case ColUnit:
            return paymentKind(m_credits->value(line.source, u"type"_s));
        case ColCredit:
            return moneyText(line.credit);
        case ColMemo:
            return m_credits->value(line.source, u"bigo"_s);
        default:
            return {};
        }
    case Kind::Subtotal:
    case Kind::Total:
        if (col == ColItem)
            return line.kind == Kind::Subtotal ? u"[소 계]"_s : u"[합 계]"_s;
        return col == ColDebit ? moneyText(line.debit) : col == ColCredit ? moneyText(line.credit) : QString();
    }
    return {};
}

} // namespace asv
