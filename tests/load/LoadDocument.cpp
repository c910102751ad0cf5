#include "LoadDocument.h"

#include "StoreSql.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace asv::test {

namespace {

const QStringList kKindNames{u"sale"_s, u"payment"_s, u"job"_s, u"line"_s};

struct Table {
    QString columns;
    QString from;
    QString tag;
};

// Lines carry no customer of their own: the job's is theirs.
Table tableOf(LoadDocument::Kind kind)
{
    switch (kind) {
    case LoadDocument::Sale:
        return {u"ccode, code, qnt, amount, tax, total"_s, u"sale"_s, u"receiptmemo"_s};
    case LoadDocument::Payment:
        return {u"ccode, code, amount, dc"_s, u"receive"_s, u"bigo"_s};
    case LoadDocument::Job:
        return {u"ccode, code"_s, u"aslist_m"_s, u"dealbigo"_s};
    case LoadDocument::Line:
        return {u"'', code, seq, amount, isfree"_s, u"aslist_d"_s, u"workbigo"_s};
    }
    return {};
}

} // namespace

QString loadCustomer(int index)
{
    return u"L%1"_s.arg(index + 1, 5, 10, QChar(u'0'));
}

QString loadProduct(int index)
{
    return u"LP%1"_s.arg(index + 1, 4, 10, QChar(u'0'));
}

bool LoadDocument::sameAs(const LoadDocument& other) const
{
    if (exists != other.exists)
        return false;
    if (!exists)
        return true;
    if (ccode != other.ccode || values.size() != other.values.size())
        return false;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const double a = values[i], b = other.values[i];
        if (!std::isnan(a) && !std::isnan(b) && std::fabs(a - b) > 0.00005)
            return false;
    }
    return true;
}

QString LoadDocument::text() const
{
    if (!exists)
        return u"gone"_s;
    QStringList parts{ccode.isEmpty() ? u"-"_s : ccode};
    for (double v : values)
        parts << QString::number(v, 'f', 4);
    return parts.join(u' ');
}

QString LoadDocument::journalLine() const
{
    return u"doc\t%1\t%2\t%3"_s.arg(kKindNames[kind], key, text());
}

std::optional<LoadDocument> LoadDocument::fromJournal(const QString& line)
{
    const QStringList f = line.split(u'\t');
    if (f.size() != 4 || f[0] != u"doc"_s || !kKindNames.contains(f[1]))
        return std::nullopt;
    LoadDocument d;
    d.kind = static_cast<Kind>(kKindNames.indexOf(f[1]));
    d.key = f[2];
    d.exists = f[3] != u"gone"_s;
    if (d.exists) {
        const QStringList parts = f[3].split(u' ');
        d.ccode = parts[0] == u"-"_s ? QString() : parts[0];
        for (qsizetype i = 1; i < parts.size(); ++i)
            d.values << parts[i].toDouble();
    }
    return d;
}

std::optional<QList<LoadDocument>> LoadDocument::stored(Kind kind, const QString& key)
{
    const Table t = tableOf(kind);
    RecordSetPtr rs;
    DBOpenRS(rs, u"SELECT "_s + t.columns + u" FROM "_s + t.from + u" WHERE "_s + t.tag + u" = "_s
                     + StoreSql::quoted(key),
             true);
    if (DBLastFailed())
        return std::nullopt;
    QList<LoadDocument> rows;
    for (int r = 0; rs && r < rs->rowCount(); ++r) {
        LoadDocument d{kind, key, true, rs->value(r, 0), {}};
        for (int c = 1; c < rs->fieldCount(); ++c)
            d.values << rs->value(r, c).toDouble();
        rows << d;
    }
    return rows;
}

int LoadDocument::taggedRows(Kind kind)
{
    const Table t = tableOf(kind);
    return DBGetValue(u"SELECT COUNT(*) FROM "_s + t.from + u" WHERE "_s + t.tag + u" LIKE 'd%-%'"_s).toInt();
}

} // namespace asv::test
