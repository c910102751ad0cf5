#include "LedgerMerge.h"

#include "Cp949.h"
#include "RecordSet.h"

#include <algorithm>
#include <future>
#include <numeric>
#include <optional>
#include <tuple>
#include <type_traits>
#include <utility>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

constexpr qint64 kUnit = 10000;

const QString kAsMemo = u"AS                       "_s;

// Dates are kept as text of at most ten characters; a shorter one sorts first, as its text does.
LedgerMerge::DateKey dateKey(QByteArrayView date)
{
    std::array<char16_t, 10> chars{};
    if (std::any_of(date.begin(), date.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
        const QString text = Cp949::decode(date.data(), date.size());
        std::copy_n(text.utf16(), std::min<qsizetype>(text.size(), chars.size()), chars.begin());
    } else {
        std::transform(date.begin(), date.begin() + std::min<qsizetype>(date.size(), chars.size()), chars.begin(),
                       [](char c) { return static_cast<char16_t>(c); });
    }
    LedgerMerge::DateKey key{};
    for (size_t i = 0; i < chars.size(); ++i)
        key[i / 4] |= static_cast<quint64>(chars[i]) << (16 * (3 - i % 4));
    return key;
}

// The value of plain decimal digits; none for any other text. The server's own numbers are plain, and
// a year of lines has millions of them: they are spared the general conversion.
std::optional<qint64> digits(QByteArrayView text)
{
    if (text.size() > 18)
        return std::nullopt;
    qint64 value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Decimal text as the server sends it, in either form of text.
template <typename View>
qint64 tenThousandths(View text)
{
    using Char = std::remove_const_t<typename View::value_type>;
    text = text.trimmed();
    const qsizetype dot = text.indexOf(Char(u'.'));
    const qint64 whole = (dot < 0 ? text : text.first(dot)).toLongLong();
    qint64 fraction = 0;
    if (dot >= 0) {
        const View places = text.sliced(dot + 1, std::min<qsizetype>(4, text.size() - dot - 1));
        fraction = places.toLongLong();
        for (qsizetype i = places.size(); i < 4; ++i)
            fraction *= 10;
    }
    return text.startsWith(Char(u'-')) ? whole * kUnit - fraction : whole * kUnit + fraction;
}

qint64 number(QByteArrayView text)
{
    if (const std::optional<qint64> value = digits(text))
        return *value;
    return text.toLongLong();
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
    return tenThousandths(text);
}

qint64 LedgerMerge::money(QByteArrayView text)
{
    const bool negative = text.startsWith('-');
    const QByteArrayView magnitude = negative ? text.sliced(1) : text;
    const qsizetype dot = magnitude.indexOf('.');
    const QByteArrayView fraction = dot < 0 ? QByteArrayView() : magnitude.sliced(dot + 1);
    const std::optional<qint64> whole = digits(dot < 0 ? magnitude : magnitude.first(dot));
    std::optional<qint64> part = digits(fraction.first(std::min<qsizetype>(4, fraction.size())));
    if (!whole || !part)
        return tenThousandths(text);
    for (qsizetype i = std::min<qsizetype>(4, fraction.size()); i < 4; ++i)
        *part *= 10;
    const qint64 units = *whole * kUnit + *part;
    return negative ? -units : units;
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

LedgerMerge::Keys::Keys(RecordSetPtr customerList, RecordSetPtr productList)
    : customers(std::move(customerList)), products(std::move(productList)),
      customerRows(*customers, u"code"_s), productRows(*products, u"code"_s)
{
}

LedgerMerge::LedgerMerge(KeysPtr keys, RecordSetPtr carried, std::vector<Lines> lists)
    : m_keys(std::move(keys)), m_carriedSums(std::move(carried)), m_lists(std::move(lists))
{
}

LedgerMerge::LedgerMerge(RecordSetPtr customers, RecordSetPtr carried, LedgerStore::Debits debits,
                         RecordSetPtr credits)
    : m_keys(std::make_shared<const Keys>(std::move(customers), std::move(debits.products))),
      m_carriedSums(std::move(carried))
{
    std::vector<std::pair<Kind, RecordSetPtr>> read;
    for (RecordSetPtr& sales : debits.sales)
        read.emplace_back(Kind::Sale, std::move(sales));
    read.emplace_back(Kind::AsItem, std::move(debits.asItems));
    read.emplace_back(Kind::Credit, std::move(credits));
    std::vector<std::future<Lines>> collecting;
    for (size_t list = 1; list < read.size(); ++list) {
        collecting.push_back(std::async(std::launch::async, [this, list, &read] {
            return collect(read[list].first, static_cast<int>(list), read[list].second, *m_keys);
        }));
    }
    m_lists.push_back(collect(read[0].first, 0, read[0].second, *m_keys));
    for (std::future<Lines>& list : collecting)
        m_lists.push_back(list.get());
}

void LedgerMerge::carryForward()
{
    const RecordSet& customers = *m_keys->customers;
    const int base = customers.fieldIndex(u"basebaln"_s);
    m_carried.assign(static_cast<size_t>(customers.rowCount()), 0);
    for (int c = 0; c < customers.rowCount(); ++c)
        m_carried[static_cast<size_t>(c)] = money(customers.bytes(c, base));
    const int ccode = m_carriedSums->fieldIndex(u"ccode"_s);
    const int sumtot = m_carriedSums->fieldIndex(u"sumtot"_s);
    for (int r = 0; r < m_carriedSums->rowCount(); ++r) {
        if (const int c = m_keys->customerRows.row(m_carriedSums->bytes(r, ccode)); c >= 0)
            m_carried[static_cast<size_t>(c)] += money(m_carriedSums->bytes(r, sumtot));
    }
}

int LedgerMerge::product(const RecordSet& lines, int source) const
{
    return m_keys->productRows.row(lines.bytes(source, lines.fieldIndex(u"pcode"_s)));
}

LedgerMerge::Lines LedgerMerge::collect(Kind kind, int list, RecordSetPtr read, const Keys& keys)
{
    const RecordSet& rows = *read;
    const int ccode = rows.fieldIndex(u"ccode"_s);
    const int date = rows.fieldIndex(u"dealdate"_s);
    const int code = rows.fieldIndex(u"code"_s);
    const int amount = rows.fieldIndex(kind == Kind::Sale ? u"total"_s : u"amount"_s);
    const int pcode = kind == Kind::Credit ? -1 : rows.fieldIndex(u"pcode"_s);
    // The lines are made in read order and only their numbers are put in customer order: ten
    // thousand places written at random cost more than the making.
    LinesByCustomer grouped;
    grouped.lines.reserve(static_cast<size_t>(rows.rowCount()));
    std::vector<int> owners;
    owners.reserve(static_cast<size_t>(rows.rowCount()));
    grouped.starts.assign(static_cast<size_t>(keys.customers->rowCount()) + 1, 0);
    for (int r = 0; r < rows.rowCount(); ++r) {
        const int customer = keys.customerRows.row(rows.bytes(r, ccode));
        if (customer < 0 || (pcode >= 0 && keys.productRows.row(rows.bytes(r, pcode)) < 0))
            continue;
        grouped.lines.push_back(
            {dateKey(rows.bytes(r, date)), number(rows.bytes(r, code)), money(rows.bytes(r, amount)), list, r});
        owners.push_back(customer);
        ++grouped.starts[static_cast<size_t>(customer) + 1];
    }
    std::partial_sum(grouped.starts.begin(), grouped.starts.end(), grouped.starts.begin());
    grouped.order.resize(grouped.lines.size());
    std::vector<size_t> next(grouped.starts.begin(), grouped.starts.end() - 1);
    for (size_t i = 0; i < owners.size(); ++i)
        grouped.order[next[static_cast<size_t>(owners[i])]++] = static_cast<int>(i);
    return {kind, std::move(read), std::move(grouped)};
}

void LedgerMerge::LinesByCustomer::appendSorted(int customer, std::vector<Line>& out) const
{
    const auto first = static_cast<std::ptrdiff_t>(out.size());
    for (const int i : of(customer))
        out.push_back(lines[static_cast<size_t>(i)]);
    // Read in document order, a customer's lines mostly are in order already.
    if (!std::is_sorted(out.begin() + first, out.end()))
        std::sort(out.begin() + first, out.end());
}

void LedgerMerge::mergeLines()
{
    const int customers = m_keys->customers->rowCount();
    if (customers == 0) {
        m_rows.reset();
        m_rowCount = 0;
        return;
    }
    // The first half of the customers is merged beside the second, each into its own part.
    const int middle = customers / 2;
    const size_t firstRows = rowsOf(0, middle);
    m_rowCount = firstRows + rowsOf(middle, customers) + 1;
    m_rows = std::make_unique_for_overwrite<Row[]>(m_rowCount);
    auto secondHalf = std::async(std::launch::async, [this, middle, customers, firstRows] {
        return merge(middle, customers, m_rows.get() + firstRows);
    });
    const Row first = merge(0, middle, m_rows.get());
    const Row second = secondHalf.get();
    m_rows[m_rowCount - 1] = {Kind::Total, -1, -1, -1, first.debit + second.debit, first.credit + second.credit,
                              first.balance + second.balance};
}

size_t LedgerMerge::rowsOf(int from, int to) const
{
    size_t rows = 2 * static_cast<size_t>(to - from); // carried and subtotal
    for (const Lines& list : m_lists)
        rows += list.byCustomer.starts[static_cast<size_t>(to)] - list.byCustomer.starts[static_cast<size_t>(from)];
    return rows;
}

LedgerMerge::Row LedgerMerge::merge(int from, int to, Row* out) const
{
    Row total{Kind::Total, -1, -1, -1, 0, 0, 0};
    std::vector<Line> debitLines;
    std::vector<Line> creditLines;
    for (int c = from; c < to; ++c) {
        debitLines.clear();
        for (size_t list = 0; list + 1 < m_lists.size(); ++list) {
            const auto sorted = static_cast<std::ptrdiff_t>(debitLines.size());
            m_lists[list].byCustomer.appendSorted(c, debitLines);
            std::inplace_merge(debitLines.begin(), debitLines.begin() + sorted, debitLines.end());
        }
        creditLines.clear();
        m_lists.back().byCustomer.appendSorted(c, creditLines);
        qint64 balance = m_carried[static_cast<size_t>(c)];
        *out++ = {Kind::Carried, c, -1, -1, 0, 0, balance};
        Row subtotal{Kind::Subtotal, c, -1, -1, 0, 0, 0};
        auto debit = debitLines.cbegin();
        auto credit = creditLines.begin();
        while (debit != debitLines.cend() || credit != creditLines.end()) {
            // An exhausted list never comes first.
            if (credit != creditLines.end() && (debit == debitLines.cend() || credit->date < debit->date)) {
                balance -= credit->amount;
                subtotal.credit += credit->amount;
                *out++ = {Kind::Credit, c, credit->list, credit->source, 0, credit->amount, balance};
                ++credit;
            } else {
                balance += debit->amount;
                subtotal.debit += debit->amount;
                *out++ = {m_lists[static_cast<size_t>(debit->list)].kind, c, debit->list, debit->source, debit->amount,
                          0, balance};
                ++debit;
            }
        }
        subtotal.balance = balance;
        *out++ = subtotal;
        total.debit += subtotal.debit;
        total.credit += subtotal.credit;
        total.balance += balance;
    }
    return total;
}

QString LedgerMerge::customerCode(int customer) const
{
    return m_keys->customers->value(customer, u"code"_s);
}

QString LedgerMerge::customerName(int customer) const
{
    const RecordSet& customers = *m_keys->customers;
    const QString alias = customers.value(customer, u"compalias"_s);
    return alias.isEmpty() ? customers.value(customer, u"compname"_s) : alias;
}

QString LedgerMerge::contactHeading(int customer) const
{
    const RecordSet& customers = *m_keys->customers;
    return u" (☏%1,F:%2)"_s.arg(customers.value(customer, u"telno1"_s), customers.value(customer, u"fax"_s));
}

QString LedgerMerge::productText(int product, const QString& field) const
{
    return product < 0 ? QString() : m_keys->products->value(product, field);
}

QString LedgerMerge::saleText(const RecordSet& lines, int source, int col) const
{
    switch (col) {
    case ColItem: {
        const QString norm = lines.value(source, u"pnorm"_s);
        return lines.value(source, u"pname"_s) + (norm.isEmpty() ? QString() : u'(' + norm + u')');
    }
    case ColQty:
        return moneyText(money(lines.value(source, u"qnt"_s)));
    case ColUnit:
        return productText(product(lines, source), u"unit"_s);
    case ColPrice:
        return moneyText(money(lines.value(source, u"price"_s)));
    case ColMemo:
        return lines.value(source, u"prnbigo"_s);
    default:
        return {};
    }
}

QString LedgerMerge::asItemText(const RecordSet& lines, int source, int col) const
{
    switch (col) {
    case ColItem: {
        const int item = product(lines, source);
        const QString norm = productText(item, u"norm"_s);
        return productText(item, u"name"_s) + (norm.isEmpty() ? QString() : u'(' + norm + u')');
    }
    case ColQty:
        return u"1"_s;
    case ColUnit:
        return productText(product(lines, source), u"unit"_s);
    case ColPrice:
        return moneyText(money(lines.value(source, u"amount"_s)));
    case ColMemo:
        return kAsMemo;
    default:
        return {};
    }
}

QString LedgerMerge::text(int r, int col) const
{
    const Row& line = row(r);
    if (col == ColBalance)
        return moneyText(line.balance);
    const RecordSet* lines = line.list < 0 ? nullptr : m_lists[static_cast<size_t>(line.list)].rows.get();
    switch (line.kind) {
    case Kind::Carried:
        return col == ColCustomer ? customerName(line.customer) : col == ColItem ? u"[전기이월]"_s : QString();
    case Kind::Sale:
    case Kind::AsItem:
        if (col == ColDate)
            return lines->value(line.source, u"dealdate"_s);
        if (col == ColDebit)
            return moneyText(line.debit);
        return line.kind == Kind::Sale ? saleText(*lines, line.source, col) : asItemText(*lines, line.source, col);
    case Kind::Credit:
        switch (col) {
        case ColDate:
            return lines->value(line.source, u"dealdate"_s);
        case ColItem:
            return u"입금"_s;
        case ColUnit:
            return paymentKind(lines->value(line.source, u"type"_s));
        case ColCredit:
            return moneyText(line.credit);
        case ColMemo:
            return lines->value(line.source, u"bigo"_s);
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
