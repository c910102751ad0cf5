#include "AsJobNames.h"

#include "Cp949.h"
#include "StoreSql.h"
#include "RecordSet.h"

#include <algorithm>
#include <cstring>
#include <numeric>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

using Key = AsJobNames::Key;

// ASCII letters in either case and trailing blanks compare alike; the second byte of a two-byte
// character is never folded.
Key comparable(QByteArrayView code)
{
    qsizetype end = std::min<qsizetype>(code.size(), 16);
    while (end > 0 && code[end - 1] == ' ')
        --end;
    // Shifted in byte by byte: words copied from a byte buffer stalled on every code.
    Key key;
    for (qsizetype i = 0; i < end; ++i) {
        const quint64 byte = static_cast<unsigned char>(code[i]);
        (i < 8 ? key.low : key.high) |= byte << (8 * (i % 8));
    }
    constexpr quint64 kHighBits = 0x8080808080808080ull;
    constexpr quint64 kOnes = 0x0101010101010101ull;
    const auto upper = [](quint64 word) {
        const quint64 fromA = word + (0x80 - 'a') * kOnes;
        const quint64 pastZ = word + (0x80 - 'z' - 1) * kOnes;
        return word - ((fromA & ~pastZ & kHighBits) >> 2);
    };
    if (((key.low | key.high) & kHighBits) == 0) {
        // Codes are nearly always ASCII: eight bytes are folded at once.
        key.low = upper(key.low);
        key.high = upper(key.high);
        return key;
    }
    key = {};
    for (qsizetype i = 0; i < end; ++i) {
        quint64 byte = static_cast<unsigned char>(code[i]);
        if (byte >= 0x81 && i + 1 < end) {
            (i < 8 ? key.low : key.high) |= byte << (8 * (i % 8));
            ++i;
            byte = static_cast<unsigned char>(code[i]);
        } else if (byte >= 'a' && byte <= 'z') {
            byte -= 'a' - 'A';
        }
        (i < 8 ? key.low : key.high) |= byte << (8 * (i % 8));
    }
    return key;
}

// Codes to rows in one flat table probed in line: a year's ledger looks up half a million.
class KeyRows {
public:
    explicit KeyRows(size_t expected)
    {
        size_t capacity = 16;
        while (capacity < expected * 2)
            capacity *= 2;
        m_slots.resize(capacity);
    }

    // The row kept for key: row itself when key is new.
    int insert(const Key& key, int row)
    {
        if ((m_used + 1) * 2 > m_slots.size())
            rehash(m_slots.size() * 2);
        Slot& slot = m_slots[probe(key)];
        if (slot.row < 0) {
            slot = {key, row};
            ++m_used;
        }
        return slot.row;
    }

    // -1 when key has no row.
    int find(const Key& key) const { return m_slots[probe(key)].row; }

private:
    struct Slot {
        Key key;
        int row = -1;
    };

    size_t home(const Key& key) const
    {
        quint64 hash = key.low * 0x9E3779B97F4A7C15ull ^ (key.high + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
        hash ^= hash >> 32;
        return hash & (m_slots.size() - 1);
    }

    size_t probe(const Key& key) const
    {
        const size_t mask = m_slots.size() - 1;
        for (size_t at = home(key);; at = (at + 1) & mask) {
            if (m_slots[at].row < 0 || m_slots[at].key == key)
                return at;
        }
    }

    void rehash(size_t capacity)
    {
        std::vector<Slot> old(capacity);
        old.swap(m_slots);
        for (const Slot& slot : old) {
            if (slot.row >= 0)
                m_slots[probe(slot.key)] = slot;
        }
    }

    std::vector<Slot> m_slots;
    size_t m_used = 0;
};

enum TableIndex : size_t { Customers, Products, ReceptionCodes, Users };

} // namespace

AsJobNames::AsJobNames(bool deliveries, bool period)
{
    const QStringList customerNames = deliveries
        ? QStringList{u"compalias"_s, u"modelname"_s, u"telno1"_s, u"addr1"_s, u"addr2"_s}
        : QStringList{u"compalias"_s};
    m_tables = {
        {u"code, "_s + customerNames.join(u", "_s), u"customer"_s, {}, static_cast<int>(customerNames.size())},
        {u"code, name, norm"_s, u"product"_s, {}, 2},
        {u"code, name"_s, u"ascode"_s, u"part = 0"_s, 1},
        {u"code, name"_s, u"local_user"_s, {}, 1},
    };
    m_links = {
        {u"ccode"_s, Customers, customerNames},
        {u"pcode"_s, Products, {u"pname2"_s, u"pnorm2"_s}},
        {u"typecode0"_s, ReceptionCodes, {u"astypename0"_s}},
        {u"regucode"_s, Users, {u"u1name"_s}},
        {u"charge"_s, Users, {u"u2name"_s}},
    };
    if (!period)
        return;

    QStringList tables;
    for (const Table& table : m_tables)
        tables << StoreSql::quoted(table.from);
    // The server's estimate: near enough to choose how to read.
    const RecordSetPtr sizes = StoreSql(nullptr, u"AsJobNames"_s).read(u"SELECT TABLE_NAME, TABLE_ROWS FROM information_schema.TABLES "
                                                                       "WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME IN ("_s
                                                                           + tables.join(u", "_s) + u')', u"sizes"_s);
    for (Table& table : m_tables) {
        for (int row = 0; row < sizes->rowCount(); ++row) {
            bool known = false;
            const qint64 rows = sizes->value(row, 1).toLongLong(&known);
            if (sizes->value(row, 0).compare(table.from, Qt::CaseInsensitive) == 0 && known && rows <= kWholeTable)
                table.whole = true;
        }
    }
}

QString AsJobNames::wholeStatement(const Table& table) const
{
    return u"SELECT "_s + table.columns + u" FROM "_s + table.from
        + (table.condition.isEmpty() ? QString() : u" WHERE "_s + table.condition);
}

QString AsJobNames::byCodeStatement(const Table& table, const std::vector<QByteArrayView>& codes) const
{
    QStringList quoted;
    quoted.reserve(static_cast<qsizetype>(codes.size()));
    for (const QByteArrayView code : codes)
        quoted << StoreSql::quoted(Cp949::decode(code.data(), code.size()));
    return u"SELECT "_s + table.columns + u" FROM "_s + table.from + u" WHERE "_s
        + (table.condition.isEmpty() ? QString() : table.condition + u" AND "_s) + u"code IN ("_s
        + quoted.join(u',') + u')';
}

std::vector<std::vector<QByteArrayView>> AsJobNames::codesByTable(const RecordSet& jobs) const
{
    std::vector<std::vector<QByteArrayView>> codes(m_tables.size());
    std::vector<KeyRows> seen;
    for (size_t t = 0; t < m_tables.size(); ++t)
        seen.emplace_back(m_tables[t].whole ? 0 : 1024);
    for (const Link& link : m_links) {
        if (m_tables[link.table].whole)
            continue;
        const int field = jobs.fieldIndex(link.field);
        for (int row = 0; row < jobs.rowCount(); ++row) {
            const QByteArrayView code = jobs.bytes(row, field);
            std::vector<QByteArrayView>& distinct = codes[link.table];
            if (seen[link.table].insert(comparable(code), static_cast<int>(distinct.size()))
                == static_cast<int>(distinct.size()))
                distinct.push_back(code);
        }
    }
    return codes;
}

QStringList AsJobNames::statements(const RecordSet& jobs) const
{
    QStringList all;
    const auto codes = codesByTable(jobs);
    for (size_t t = 0; t < m_tables.size(); ++t) {
        if (m_tables[t].whole)
            all << wholeStatement(m_tables[t]);
        else if (!codes[t].empty())
            all << byCodeStatement(m_tables[t], codes[t]);
    }
    return all;
}

RecordSetPtr AsJobNames::attach(const RecordSetPtr& jobs) const
{
    std::vector<RecordSetPtr> names;
    const auto codes = codesByTable(*jobs);
    for (size_t t = 0; t < m_tables.size(); ++t) {
        const Table& table = m_tables[t];
        if (table.whole)
            names.push_back(StoreSql(nullptr, u"AsJobNames"_s).read(wholeStatement(table), u"attach"_s));
        else if (codes[t].empty())
            names.push_back(std::make_shared<RecordSet>());
        else
            names.push_back(StoreSql(nullptr, u"AsJobNames"_s).read(byCodeStatement(table, codes[t]), u"attach"_s));
    }

    std::vector<KeyRows> rowOf;
    for (const RecordSetPtr& table : names) {
        rowOf.emplace_back(static_cast<size_t>(table->rowCount()));
        for (int row = 0; row < table->rowCount(); ++row)
            rowOf.back().insert(comparable(table->bytes(row, 0)), row);
    }

    // Each job's row in each name table, -1 (empty names) where the row is missing.
    const int rows = jobs->rowCount();
    std::vector<std::vector<int>> found(m_links.size());
    for (size_t l = 0; l < m_links.size(); ++l) {
        const int field = jobs->fieldIndex(m_links[l].field);
        const KeyRows& table = rowOf[m_links[l].table];
        found[l].reserve(static_cast<size_t>(rows));
        for (int row = 0; row < rows; ++row)
            found[l].push_back(table.find(comparable(jobs->bytes(row, field))));
    }
    std::vector<int> kept(static_cast<size_t>(rows));
    std::iota(kept.begin(), kept.end(), 0);

    QStringList labels = jobs->fieldNames();
    std::vector<RecordSet::Joined> joined;
    for (size_t l = 0; l < m_links.size(); ++l) {
        const Link& link = m_links[l];
        labels += link.labels;
        std::vector<int> nameFields(static_cast<size_t>(m_tables[link.table].names));
        std::iota(nameFields.begin(), nameFields.end(), 1);
        joined.push_back({names[link.table], std::move(nameFields), std::move(found[l])});
    }
    return RecordSet::join(jobs, std::move(kept), std::move(joined), labels);
}

} // namespace asv
