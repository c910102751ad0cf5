#include "BigramIndex.h"

#include "modDBMS_comn.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace asv::BigramIndex {

namespace {

struct Side {
    QString table;
    QString key;
    QStringList columns;

    QString gramTable() const { return table + u"_gram"_s; }
    QString trigger(const QString& event) const { return table + u"_gram_"_s + event; }
};

const QList<Side> kSides{{u"customer"_s, u"code"_s, {u"compname"_s, u"compalias"_s, u"ceoname"_s}},
                         {u"product"_s, u"code"_s, {u"name"_s, u"norm"_s}}};
const QStringList kTriggerEvents{u"ai"_s, u"au"_s, u"ad"_s};
// The table comment that says every existing row has its pieces.
const QString kComplete = u"complete"_s;
// Rows per statement of the first filling: each holds its rows' locks for about a second.
constexpr int kPortion = 10000;
// More pieces narrow little further, and each is a join the server has to plan.
constexpr int kMaxPieces = 6;

struct Known {
    QString database;
    QSet<QString> complete;
};
std::optional<Known> g_known;

const Side* sideOf(const QString& table)
{
    const auto it = std::find_if(kSides.begin(), kSides.end(), [&](const Side& s) { return s.table == table; });
    return it == kSides.end() ? nullptr : &*it;
}

QString quoted(const QString& text)
{
    return u"'"_s + SQLQuote(text) + u"'"_s;
}

QStringList firstColumn(const QString& sql)
{
    RecordSetPtr rs;
    DBOpenRS(rs, sql, true);
    QStringList out;
    for (; rs && !rs->eof(); rs->moveNext())
        out << rs->field(0);
    CloseRS(rs);
    return out;
}

bool complete(const Side& side)
{
    const QStringList triggers = firstColumn(
        u"SELECT TRIGGER_NAME FROM information_schema.TRIGGERS WHERE TRIGGER_SCHEMA = DATABASE() AND EVENT_OBJECT_TABLE = "_s
        + quoted(side.table));
    const bool triggered = std::all_of(kTriggerEvents.begin(), kTriggerEvents.end(),
                                       [&](const QString& e) { return triggers.contains(side.trigger(e)); });
    return triggered
        && firstColumn(u"SELECT TABLE_COMMENT FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = "_s
                       + quoted(side.gramTable()))
               == QStringList{kComplete};
}

// The shape of the searched columns in the connected database: older databases differ.
struct Shape {
    QString keyType;
    QString collation;
    int longest = 0;
};

std::optional<Shape> shapeOf(const Side& side)
{
    RecordSetPtr rs;
    DBOpenRS(rs, u"SELECT COLUMN_NAME, COLUMN_TYPE, COLLATION_NAME, CHARACTER_MAXIMUM_LENGTH FROM information_schema.COLUMNS "
                 u"WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = "_s
                     + quoted(side.table),
             true);
    Shape shape;
    QSet<QString> collations;
    int found = 0;
    for (; rs && !rs->eof(); rs->moveNext()) {
        const QString column = rs->field(0).toLower();
        if (column == side.key)
            shape.keyType = rs->field(1);
        if (side.columns.contains(column)) {
            ++found;
            collations << rs->field(2);
            shape.longest = std::max(shape.longest, rs->field(3).toInt());
        }
    }
    CloseRS(rs);
    // Pieces compared in one collation cannot stand for columns compared in two.
    if (shape.keyType.isEmpty() || found != side.columns.size() || collations.size() != 1)
        return std::nullopt;
    shape.collation = *collations.begin();
    return shape;
}

// Inserts the pieces of the rows rowsSql gives as (code, v): one row per column value. A value
// of n characters has n − 1 pieces; positions run up to below bound.
QString insertPieces(const Side& side, const QString& rowsSql, const QString& bound)
{
    return u"INSERT IGNORE INTO "_s + side.gramTable() + u" (code, gram) WITH RECURSIVE p (i) AS (SELECT 1 UNION ALL "_s
        + u"SELECT i + 1 FROM p WHERE i < "_s + bound + u") SELECT t.code, SUBSTRING(t.v, p.i, 2) FROM p JOIN ("_s
        + rowsSql + u") AS t ON p.i < CHAR_LENGTH(t.v)"_s;
}

QString valuesOf(const Side& side, const QString& prefix, const QString& from)
{
    QStringList parts;
    for (const QString& column : side.columns)
        parts << u"SELECT "_s + prefix + side.key + u" AS code, "_s + prefix + column + u" AS v"_s + from;
    return parts.join(u" UNION ALL "_s);
}

QStringList triggerStatements(const Side& side)
{
    QStringList lengths, unchanged;
    for (const QString& column : side.columns) {
        lengths << u"CHAR_LENGTH(NEW."_s + column + u')';
        // Binary: a changed case or trailing blank changes the pieces, not the collation's verdict.
        unchanged << u"BINARY NEW."_s + column + u" <=> BINARY OLD."_s + column;
    }
    const QString insertNew = insertPieces(side, valuesOf(side, u"NEW."_s, {}), u"GREATEST("_s + lengths.join(u", "_s) + u')');
    const QString head = u"CREATE TRIGGER "_s;
    const QString deleteOld = u"DELETE FROM "_s + side.gramTable() + u" WHERE code = OLD."_s + side.key;
    return {head + side.trigger(u"ai"_s) + u" AFTER INSERT ON "_s + side.table + u" FOR EACH ROW "_s + insertNew,
            head + side.trigger(u"au"_s) + u" AFTER UPDATE ON "_s + side.table + u" FOR EACH ROW IF NOT (NEW."_s
                + side.key + u" <=> OLD."_s + side.key + u" AND "_s + unchanged.join(u" AND "_s) + u") THEN "_s
                + deleteOld + u"; "_s + insertNew + u"; END IF"_s,
            head + side.trigger(u"ad"_s) + u" AFTER DELETE ON "_s + side.table + u" FOR EACH ROW "_s + deleteOld};
}

// The rows there are now, a portion of codes per statement.
QStringList fillStatements(const Side& side, const Shape& shape)
{
    QStringList starts;
    for (QString from;;) {
        const QString next = DBGetValue(u"SELECT "_s + side.key + u" FROM "_s + side.table
                                        + (from.isEmpty() ? QString() : u" WHERE "_s + side.key + u" >= "_s + quoted(from))
                                        + u" ORDER BY "_s + side.key + u" LIMIT 1 OFFSET "_s + QString::number(kPortion));
        if (next.isEmpty())
            break;
        starts << next;
        from = next;
    }
    QStringList out;
    for (qsizetype i = 0; i <= starts.size(); ++i) {
        QStringList range;
        if (i > 0)
            range << side.key + u" >= "_s + quoted(starts.at(i - 1));
        if (i < starts.size())
            range << side.key + u" < "_s + quoted(starts.at(i));
        const QString where = range.isEmpty() ? QString() : u" WHERE "_s + range.join(u" AND "_s);
        out << insertPieces(side, valuesOf(side, {}, u" FROM "_s + side.table + where),
                            QString::number(shape.longest));
    }
    return out;
}

QStringList buildStatements(const Side& side, const Shape& shape)
{
    QStringList out;
    const QStringList triggers = firstColumn(
        u"SELECT TRIGGER_NAME FROM information_schema.TRIGGERS WHERE TRIGGER_SCHEMA = DATABASE() AND EVENT_OBJECT_TABLE = "_s
        + quoted(side.table));
    for (const QString& event : kTriggerEvents) {
        if (triggers.contains(side.trigger(event)))
            out << u"DROP TRIGGER "_s + side.trigger(event);
    }
    out << u"DROP TABLE IF EXISTS "_s + side.gramTable();
    out << u"CREATE TABLE "_s + side.gramTable() + u" (code "_s + shape.keyType + u" NOT NULL, gram CHAR(2) COLLATE "_s
            + shape.collation + u" NOT NULL, PRIMARY KEY (code, gram), KEY idx_"_s + side.gramTable()
            + u"_gram (gram, code)) ENGINE=InnoDB DEFAULT CHARSET="_s + shape.collation.section(u'_', 0, 0)
            + u" COMMENT='building'"_s;
    out << triggerStatements(side) << fillStatements(side, shape);
    out << u"ALTER TABLE "_s + side.gramTable() + u" COMMENT = '"_s + kComplete + u"'"_s;
    return out;
}

// Pieces spread over the text, so that every character is in one where the cap allows.
QStringList piecesOf(const QString& value)
{
    const qsizetype last = value.size() - 2;
    const qsizetype count = std::min<qsizetype>(kMaxPieces, last + 1);
    QStringList out;
    for (qsizetype k = 0; k < count; ++k) {
        const QString piece = value.mid(count == 1 ? 0 : (k * last + (count - 1) / 2) / (count - 1), 2);
        if (!out.contains(piece))
            out << piece;
    }
    return out;
}

} // namespace

QStringList missingStatements()
{
    QStringList out;
    for (const Side& side : kSides) {
        if (complete(side))
            continue;
        if (const std::optional<Shape> shape = shapeOf(side))
            out << buildStatements(side, *shape);
    }
    return out;
}

QString sideTableOf(const QString& statement)
{
    for (const Side& side : kSides) {
        if (statement.contains(side.gramTable()))
            return side.gramTable();
    }
    return {};
}

bool present(const QString& table)
{
    if (!DBIsOpen())
        return false;
    if (!g_known || g_known->database != DBName()) {
        g_known = Known{DBName(), {}};
        for (const Side& side : kSides) {
            if (complete(side))
                g_known->complete << side.table;
        }
    }
    return g_known->complete.contains(table);
}

void forget()
{
    g_known.reset();
}

QString candidates(const QString& table, const QString& keyColumn, const QString& fields, const QString& text)
{
    const Side* side = sideOf(table);
    if (!side)
        return {};
    for (const QString& field : fields.split(u',', Qt::SkipEmptyParts)) {
        if (!side->columns.contains(field.trimmed().section(u'.', -1).toLower()))
            return {};
    }
    // As MakeFindWhere takes the text; a wildcard in it matches what no piece holds.
    const QString value = QString(text).remove(vbCrLf);
    if (value.size() < 3 || value.contains(u'%') || value.contains(u'_') || !present(table))
        return {};
    const QStringList pieces = piecesOf(value);
    const QString gramTable = side->gramTable();
    QString sql = keyColumn + u" IN (SELECT g0.code FROM "_s + gramTable + u" AS g0"_s;
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const QString g = u"g"_s + QString::number(i);
        sql += u" JOIN "_s + gramTable + u" AS "_s + g + u" ON "_s + g + u".code = g0.code AND "_s + g + u".gram = "_s
            + quoted(pieces.at(i));
    }
    return sql + u" WHERE g0.gram = "_s + quoted(pieces.at(0)) + u')';
}

QString containsCondition(const QString& table, const QString& keyColumn, const QString& fields, const QString& text)
{
    const QString like = MakeFindWhere(fields, text, u"*s*"_s);
    const QString narrowed = candidates(table, keyColumn, fields, text);
    return narrowed.isEmpty() ? like : u"("_s + narrowed + u" AND "_s + like + u')';
}

} // namespace asv::BigramIndex
