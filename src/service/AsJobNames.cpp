#include "AsJobNames.h"

#include "Cp949.h"
#include "StoreSql.h"

#include <cstring>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// ASCII letters in either case and trailing blanks compare alike; the second byte of a two-byte
// character is never folded.
AsJobNames::Key comparable(QByteArrayView code)
{
    qsizetype end = std::min<qsizetype>(code.size(), 16);
    while (end > 0 && code[end - 1] == ' ')
        --end;
    unsigned char bytes[16] = {};
    for (qsizetype i = 0; i < end; ++i) {
        const auto byte = static_cast<unsigned char>(code[i]);
        if (byte >= 0x81 && i + 1 < end) {
            bytes[i] = byte;
            ++i;
            bytes[i] = static_cast<unsigned char>(code[i]);
        } else {
            bytes[i] = byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - ('a' - 'A')) : byte;
        }
    }
    AsJobNames::Key key;
    std::memcpy(&key.low, bytes, 8);
    std::memcpy(&key.high, bytes + 8, 8);
    return key;
}

enum TableIndex { Customers, Products, ReceptionCodes, Users };

} // namespace

AsJobNames::AsJobNames(RecordSetPtr jobs, bool deliveries) : m_jobs(std::move(jobs)), m_labels(m_jobs->fieldNames())
{
    const QStringList customerNames = deliveries
        ? QStringList{u"compalias"_s, u"modelname"_s, u"telno1"_s, u"addr1"_s, u"addr2"_s}
        : QStringList{u"compalias"_s};
    m_tables = {
        {u"SELECT code, "_s + customerNames.join(u", "_s) + u" FROM customer WHERE"_s,
         static_cast<int>(customerNames.size()), {}, {}},
        {u"SELECT code, name, norm FROM product WHERE"_s, 2, {}, {}},
        {u"SELECT code, name FROM ascode WHERE part = 0 AND"_s, 1, {}, {}},
        {u"SELECT code, name FROM local_user WHERE"_s, 1, {}, {}},
    };
    const struct {
        QString field;
        TableIndex table;
        QStringList labels;
    } links[] = {
        {u"ccode"_s, Customers, customerNames},
        {u"pcode"_s, Products, {u"pname2"_s, u"pnorm2"_s}},
        {u"typecode0"_s, ReceptionCodes, {u"astypename0"_s}},
        {u"regucode"_s, Users, {u"u1name"_s}},
        {u"charge"_s, Users, {u"u2name"_s}},
    };
    const auto rows = static_cast<size_t>(m_jobs->rowCount());
    for (const auto& link : links) {
        m_links.push_back({m_jobs->fieldIndex(link.field), link.table, std::vector<int>(rows)});
        m_labels += link.labels;
    }
    for (size_t row = 0; row < rows; ++row) {
        for (Link& link : m_links) {
            Table& table = m_tables[static_cast<size_t>(link.table)];
            const QByteArrayView code = m_jobs->bytes(static_cast<int>(row), link.jobField);
            const Key key = comparable(code);
            auto at = table.keys.find(key);
            if (at == table.keys.end()) {
                at = table.keys.insert(key, static_cast<int>(table.codes.size()));
                table.codes.push_back(code);
            }
            link.keyOfRow[row] = *at;
        }
    }
}

QString AsJobNames::statement(const Table& table) const
{
    QStringList quoted;
    quoted.reserve(static_cast<qsizetype>(table.codes.size()));
    for (const QByteArrayView code : table.codes)
        quoted << StoreSql::quoted(Cp949::decode(code.data(), code.size()));
    return table.select + u" code IN ("_s + quoted.join(u',') + u')';
}

QStringList AsJobNames::statements() const
{
    QStringList all;
    for (const Table& table : m_tables) {
        if (!table.codes.empty())
            all << statement(table);
    }
    return all;
}

RecordSetPtr AsJobNames::attach() const
{
    // For each table and distinct code, its names; none where the code names nothing.
    std::vector<RecordSetPtr> names(m_tables.size());
    std::vector<std::vector<std::vector<QByteArrayView>>> namesOfKey(m_tables.size());
    for (size_t t = 0; t < m_tables.size(); ++t) {
        const Table& table = m_tables[t];
        namesOfKey[t].resize(table.codes.size());
        if (table.codes.empty())
            continue;
        names[t] = StoreSql::read(statement(table), u"AsJobNames"_s, u"attach"_s);
        for (int row = 0; row < names[t]->rowCount(); ++row) {
            const auto found = table.keys.constFind(comparable(names[t]->bytes(row, 0)));
            if (found == table.keys.cend())
                continue;
            std::vector<QByteArrayView>& fields = namesOfKey[t][static_cast<size_t>(*found)];
            for (int field = 1; field <= table.names; ++field)
                fields.push_back(names[t]->bytes(row, field));
        }
    }

    auto listed = std::make_shared<RecordSet>();
    listed->setFields(m_labels);
    listed->reserve(m_jobs->rowCount());
    std::vector<const char*> values(static_cast<size_t>(m_labels.size()));
    std::vector<unsigned long> lengths(values.size());
    std::vector<const std::vector<QByteArrayView>*> linked(m_links.size());
    for (int row = 0; row < m_jobs->rowCount(); ++row) {
        bool complete = true;
        for (size_t l = 0; l < m_links.size(); ++l) {
            const Link& link = m_links[l];
            linked[l] = &namesOfKey[static_cast<size_t>(link.table)][static_cast<size_t>(link.keyOfRow[static_cast<size_t>(row)])];
            complete = complete && !linked[l]->empty();
        }
        if (!complete)
            continue;
        size_t at = 0;
        const auto put = [&](QByteArrayView value) {
            values[at] = value.data();
            lengths[at] = static_cast<unsigned long>(value.size());
            ++at;
        };
        for (int field = 0; field < m_jobs->fieldCount(); ++field)
            put(m_jobs->bytes(row, field));
        for (const std::vector<QByteArrayView>* fields : linked) {
            for (const QByteArrayView value : *fields)
                put(value);
        }
        listed->appendRow(values.data(), lengths.data());
    }
    listed->finish();
    return listed;
}

} // namespace asv
