#include "TrigramIndex.h"

#include "modDBMS_comn.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace asv::TrigramIndex {

namespace {

struct Side {
    QString table;
    QString key;
    QStringList columns;

    QString gramTable() const { return table + u"_trigram"_s; }
    // The numbers 1, 2, … the pieces are cut at.
    QString positionTable() const { return table + u"_trigram_pos"_s; }
    QString trigger(const QString& event) const { return table + u"_trigram_"_s + event; }
    // Set in a session that writes its rows' pieces itself, many rows to a statement.
    QString deferVariable() const { return u"@"_s + gramTable() + u"_deferred"_s; }
    // The two-character pieces of an earlier release: a text of two common words found through
    // them took the look-up of one piece for every row holding the other.
    QString earlierTable() const { return table + u"_gram"_s; }
    QString earlierTrigger(const QString& event) const { return table + u"_gram_"_s + event; }
};

const QList<Side> kSides{{u"customer"_s, u"code"_s, {u"compname"_s, u"compalias"_s, u"ceoname"_s}},
                         {u"product"_s, u"code"_s, {u"name"_s, u"norm"_s}}};
// "ai" leaves the pieces to a session that defers them.
const QStringList kTriggerEvents{u"ai"_s, u"au"_s, u"ad"_s};
const QStringList kEarlierTriggerEvents{u"ai"_s, u"ai2"_s, u"au"_s, u"au2"_s, u"ad"_s};
// Characters per piece.
constexpr int kWidth = 3;
// The table comment that says every existing row has its pieces.
const QString kComplete = u"complete"_s;
// Rows per statement of the first filling: each holds its rows' locks for about a second.
constexpr int kPortion = 10000;
// The pieces of a long text weighed against each other: spread over it, more would add little.
constexpr int kMaxPieces = 6;
// Beyond the rarest and the farthest from it, a third in between narrows a long text further.
constexpr int kJoinedPieces = 3;
// Beyond the widest name column, so that a later widening still has its pieces cut.
constexpr int kPositions = 1000;

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

QStringList triggerNames(const Side& side)
{
    return DBFirstColumn(
        u"SELECT TRIGGER_NAME FROM information_schema.TRIGGERS WHERE TRIGGER_SCHEMA = DATABASE() AND EVENT_OBJECT_TABLE = "_s
            + quoted(side.table),
        true);
}

// Every write keeps the pieces, and the triggers read the positions: without them a write to the
// table would fail.
bool complete(const Side& side, const QStringList& triggers)
{
    return std::all_of(kTriggerEvents.begin(), kTriggerEvents.end(),
                       [&](const QString& event) { return triggers.contains(side.trigger(event)); })
        && DBFirstColumn(u"SELECT CONCAT(TABLE_NAME, ' ', TABLE_COMMENT) FROM information_schema.TABLES WHERE "
                         u"TABLE_SCHEMA = DATABASE() AND TABLE_NAME IN ("_s
                             + quoted(side.gramTable()) + u", "_s + quoted(side.positionTable())
                             + u") ORDER BY TABLE_NAME"_s,
                         true)
               == QStringList{side.gramTable() + u' ' + kComplete, side.positionTable() + u' '};
}

// The earlier release's pieces go with their triggers, which would otherwise go on writing them.
QStringList earlierDrops(const Side& side, const QStringList& triggers)
{
    QStringList out;
    for (const QString& event : kEarlierTriggerEvents) {
        if (triggers.contains(side.earlierTrigger(event)))
            out << u"DROP TRIGGER "_s + side.earlierTrigger(event);
    }
    if (!out.isEmpty())
        out << u"DROP TABLE IF EXISTS "_s + side.earlierTable() + u", "_s + side.earlierTable() + u"_pos"_s;
    return out;
}

// The shape of the searched columns in the connected database: older databases differ.
struct Shape {
    QString keyType;
    QString collation;
};

std::optional<Shape> shapeOf(const Side& side)
{
    RecordSetPtr rs;
    DBOpenRS(rs, u"SELECT COLUMN_NAME, COLUMN_TYPE, COLLATION_NAME FROM information_schema.COLUMNS "
                 u"WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = "_s
                     + quoted(side.table),
             true);
    Shape shape;
    QSet<QString> collations;
    int found = 0;
    for (; rs && !rs->eof(); rs->moveNext()) {
        const QString column = rs->field(0).toLower();
        // The key keeps its collation too: codes are joined with the table's own.
        if (column == side.key)
            shape.keyType = rs->field(1) + (rs->field(2).isEmpty() ? QString() : u" COLLATE "_s + rs->field(2));
        if (side.columns.contains(column)) {
            ++found;
            collations << rs->field(2);
        }
    }
    CloseRS(rs);
    // Pieces compared in one collation cannot stand for columns compared in two.
    if (shape.keyType.isEmpty() || found != side.columns.size() || collations.size() != 1)
        return std::nullopt;
    shape.collation = *collations.begin();
    return shape;
}

// The pieces of the searched columns of the table's rows t matching condition (after "AND"), as
// (code, gram): a value of n characters has n − 2. One plain SELECT per column: a derived table
// or a recursive query costs several times more.
QString piecesSelect(const Side& side, const QString& condition)
{
    QStringList parts;
    for (const QString& column : side.columns) {
        const QString value = u"t."_s + column;
        parts << u"SELECT t."_s + side.key + u" AS code, SUBSTRING("_s + value + u", p.i, "_s + QString::number(kWidth)
                + u") AS gram FROM "_s + side.table + u" AS t, "_s + side.positionTable()
                + u" AS p WHERE p.i <= CHAR_LENGTH("_s + value + u") - "_s + QString::number(kWidth - 1) + u" AND "_s
                + condition;
    }
    return parts.join(u" UNION ALL "_s);
}

// The pieces of one row's columns (row: "NEW." or "OLD.") as a trigger cuts them: the positions
// joined with themselves, the first picking the column, the second the place. A UNION of one
// SELECT per column cost a trigger twice as much: its rows pass through a temporary table.
struct RowPieces {
    QString from;  // after FROM
    QString where; // after WHERE
    QString piece; // the piece's expression
};

RowPieces rowPieces(const Side& side, const QStringList& columns, const QString& row)
{
    QStringList values;
    QStringList lengths;
    for (const QString& column : columns) {
        values << row + column;
        lengths << u"IFNULL(CHAR_LENGTH("_s + row + column + u"), 0)"_s;
    }
    const QString last = u" - "_s + QString::number(kWidth - 1);
    const QString positions = side.positionTable();
    if (columns.size() == 1)
        return {positions + u" AS p"_s, u"p.i <= "_s + lengths.first() + last,
                u"SUBSTRING("_s + values.first() + u", p.i, "_s + QString::number(kWidth) + u')'};
    const QString value = u"ELT(c.i, "_s + values.join(u", "_s) + u')';
    // The longest column bounds the places as a range; each column's own length then filters.
    return {positions + u" AS c JOIN "_s + positions + u" AS p"_s,
            u"c.i <= "_s + QString::number(columns.size()) + u" AND p.i <= GREATEST("_s + lengths.join(u", "_s) + u')'
                + last + u" AND p.i <= CHAR_LENGTH("_s + value + u')' + last,
            u"SUBSTRING("_s + value + u", p.i, "_s + QString::number(kWidth) + u')'};
}

// True when no searched column of the row (NEW. or OLD.) holds the piece, compared as the side
// table compares: a piece found there in another case is kept, never one still needed.
QString absentFrom(const Side& side, const QString& row, const QString& piece)
{
    QStringList tests;
    for (const QString& column : side.columns)
        tests << u"IFNULL(LOCATE("_s + piece + u", "_s + row + column + u"), 0) = 0"_s;
    return tests.join(u" AND "_s);
}

QString insertPieces(const Side& side, const QString& select)
{
    return u"INSERT IGNORE INTO "_s + side.gramTable() + u" (code, gram) "_s + select;
}

using PieceCondition = std::function<QString(const QString& piece)>;

// The NEW row's pieces of columns, those matching condition.
QString insertNewPieces(const Side& side, const QStringList& columns, const PieceCondition& condition = {})
{
    const RowPieces pieces = rowPieces(side, columns, u"NEW."_s);
    return insertPieces(side, u"SELECT NEW."_s + side.key + u", "_s + pieces.piece + u" FROM "_s + pieces.from
                                  + u" WHERE "_s + pieces.where
                                  + (condition ? u" AND "_s + condition(pieces.piece) : QString()));
}

// The OLD row's pieces of columns, those matching condition, found by the piece the key leads
// with. The condition reads the piece as cut: a stored one that equals it may differ in case.
QString deleteOldPieces(const Side& side, const QStringList& columns, const PieceCondition& condition = {})
{
    const RowPieces pieces = rowPieces(side, columns, u"OLD."_s);
    return u"DELETE g FROM "_s + pieces.from + u" JOIN "_s + side.gramTable() + u" AS g ON g.gram = "_s + pieces.piece
        + u" AND g.code = OLD."_s + side.key + u" WHERE "_s + pieces.where
        + (condition ? u" AND "_s + condition(pieces.piece) : QString());
}

QStringList triggerStatements(const Side& side)
{
    // binary: a changed case or trailing blank changes the pieces
    const auto same = [](const QString& column) { return u"BINARY NEW."_s + column + u" <=> BINARY OLD."_s + column; };
    QStringList unchanged;
    // A rename of the same code touches only the pieces of the columns it changes, and of those
    // only the pieces the row no longer or newly holds: every written piece costs a row and its
    // lock, and every column a statement.
    QString renamed;
    for (const QString& column : side.columns) {
        unchanged << same(column);
        renamed += u"IF NOT ("_s + same(column) + u") THEN "_s
            + deleteOldPieces(side, {column}, [&](const QString& piece) { return absentFrom(side, u"NEW."_s, piece); })
            + u"; "_s
            + insertNewPieces(side, {column}, [&](const QString& piece) { return absentFrom(side, u"OLD."_s, piece); })
            + u"; END IF; "_s;
    }
    const QString insertNew = insertNewPieces(side, side.columns);
    const QString deleteOld = deleteOldPieces(side, side.columns);
    const QString head = u"CREATE TRIGGER "_s;
    return {head + side.trigger(u"ai"_s) + u" AFTER INSERT ON "_s + side.table + u" FOR EACH ROW IF "_s
                + side.deferVariable() + u" IS NULL THEN "_s + insertNew + u"; END IF"_s,
            head + side.trigger(u"au"_s) + u" AFTER UPDATE ON "_s + side.table + u" FOR EACH ROW IF NOT (NEW."_s
                + side.key + u" <=> OLD."_s + side.key + u" AND "_s + unchanged.join(u" AND "_s) + u") THEN IF NEW."_s
                + side.key + u" <=> OLD."_s + side.key + u" THEN "_s + renamed + u"ELSE "_s + deleteOld + u"; "_s
                + insertNew + u"; END IF; END IF"_s,
            head + side.trigger(u"ad"_s) + u" AFTER DELETE ON "_s + side.table + u" FOR EACH ROW "_s + deleteOld};
}

// The rows there are now, a portion of codes per statement.
QStringList fillStatements(const Side& side)
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
    const QString key = u"t."_s + side.key;
    QStringList out;
    for (qsizetype i = 0; i <= starts.size(); ++i) {
        QStringList range{u"TRUE"_s};
        if (i > 0)
            range << key + u" >= "_s + quoted(starts.at(i - 1));
        if (i < starts.size())
            range << key + u" < "_s + quoted(starts.at(i));
        out << insertPieces(side, piecesSelect(side, range.join(u" AND "_s)));
    }
    return out;
}

QString positionValues()
{
    QStringList values;
    for (int i = 1; i <= kPositions; ++i)
        values << u'(' + QString::number(i) + u')';
    return values.join(u',');
}

QStringList buildStatements(const Side& side, const Shape& shape, const QStringList& triggers)
{
    QStringList out = earlierDrops(side, triggers);
    for (const QString& event : kTriggerEvents) {
        if (triggers.contains(side.trigger(event)))
            out << u"DROP TRIGGER "_s + side.trigger(event);
    }
    out << u"DROP TABLE IF EXISTS "_s + side.gramTable() + u", "_s + side.positionTable();
    out << u"CREATE TABLE "_s + side.positionTable() + u" (i SMALLINT UNSIGNED NOT NULL, PRIMARY KEY (i)) ENGINE=InnoDB"_s;
    out << u"INSERT INTO "_s + side.positionTable() + u" (i) VALUES "_s + positionValues();
    // VARCHAR keeps a piece's trailing blank, which a collation without padding compares.
    out << u"CREATE TABLE "_s + side.gramTable() + u" (code "_s + shape.keyType + u" NOT NULL, gram VARCHAR("_s
            + QString::number(kWidth) + u") COLLATE "_s + shape.collation
            + u" NOT NULL, PRIMARY KEY (gram, code)) ENGINE=InnoDB DEFAULT CHARSET="_s
            + shape.collation.section(u'_', 0, 0) + u" COMMENT='building'"_s;
    out << triggerStatements(side) << fillStatements(side);
    // Fresh statistics before the first search: with those of the empty table the server has
    // been seen to plan the side table's join as a scan of every customer.
    out << u"ANALYZE TABLE "_s + side.gramTable();
    out << u"ALTER TABLE "_s + side.gramTable() + u" COMMENT = '"_s + kComplete + u"'"_s;
    return out;
}

struct Piece {
    QString text;
    qsizetype at = 0;
    qint64 rows = 0;
};

// Pieces spread over the text, so that every character is in one where the cap allows.
QList<Piece> piecesOf(const QString& value)
{
    const qsizetype last = value.size() - kWidth;
    const qsizetype count = std::min<qsizetype>(kMaxPieces, last + 1);
    QList<Piece> out;
    for (qsizetype k = 0; k < count; ++k) {
        const qsizetype at = count == 1 ? 0 : (k * last + (count - 1) / 2) / (count - 1);
        const QString text = value.mid(at, kWidth);
        if (std::none_of(out.begin(), out.end(), [&](const Piece& p) { return p.text == text; }))
            out.append({text, at});
    }
    return out;
}

// The server's estimates of how many codes hold a piece (table and piece -> rows), kept for a
// while: how rare a piece is changes slowly, and an operator typing a name asks about the same
// pieces again and again, each time a round trip that cost as much as the search itself.
struct Estimate {
    qint64 rows = 0;
    qint64 askedAt = 0; // milliseconds of the steady clock
};
QHash<QString, Estimate> g_estimates;
constexpr qint64 kEstimateLifeMs = 10 * 60 * 1000;

qint64 steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// From two dives into the side table's index each: counting them would read every one.
void estimateRows(const Side& side, QList<Piece>& pieces)
{
    const qint64 now = steadyMs();
    QStringList selects;
    QList<qsizetype> asked;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const auto known = g_estimates.constFind(side.table + u'\n' + pieces[i].text);
        if (known != g_estimates.cend() && now - known->askedAt < kEstimateLifeMs) {
            pieces[i].rows = known->rows;
            continue;
        }
        selects << u"SELECT 1 FROM "_s + side.gramTable() + u" WHERE gram = "_s + quoted(pieces[i].text);
        asked << i;
    }
    if (selects.isEmpty())
        return;
    RecordSetPtr rs;
    DBOpenRS(rs, u"EXPLAIN "_s + selects.join(u" UNION ALL "_s), true);
    for (; rs && !rs->eof(); rs->moveNext()) {
        const qsizetype index = rs->field(u"id"_s).toLongLong() - 1;
        if (index < 0 || index >= asked.size())
            continue;
        Piece& piece = pieces[asked[index]];
        piece.rows = rs->field(u"rows"_s).toLongLong();
        g_estimates.insert(side.table + u'\n' + piece.text, {piece.rows, now});
    }
    CloseRS(rs);
}

qsizetype distance(const Piece& piece, const QList<Piece>& chosen)
{
    qsizetype nearest = std::numeric_limits<qsizetype>::max();
    for (const Piece& c : chosen)
        nearest = std::min(nearest, std::abs(piece.at - c.at));
    return nearest;
}

// The pieces to join, in the order the server is to join them. Every piece joined costs a look-up
// per candidate still left, so the rarest leads; neighbouring pieces mostly come together (one
// word), so the next is the one farthest away, and a third only where it shares no character.
QList<Piece> narrowest(const Side& side, QList<Piece> pieces)
{
    estimateRows(side, pieces);
    std::stable_sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) { return a.rows < b.rows; });
    QList<Piece> chosen{pieces.takeFirst()};
    while (!pieces.isEmpty() && chosen.size() < kJoinedPieces) {
        const auto farthest = std::max_element(pieces.begin(), pieces.end(), [&](const Piece& a, const Piece& b) {
            return distance(a, chosen) < distance(b, chosen);
        });
        if (chosen.size() > 1 && distance(*farthest, chosen) < kWidth)
            break;
        chosen.append(*farthest);
        pieces.erase(farthest);
    }
    return chosen;
}

} // namespace

QStringList missingStatements()
{
    QStringList out;
    for (const Side& side : kSides) {
        const QStringList triggers = triggerNames(side);
        if (complete(side, triggers)) {
            out << earlierDrops(side, triggers);
            continue;
        }
        if (const std::optional<Shape> shape = shapeOf(side))
            out << buildStatements(side, *shape, triggers);
    }
    return out;
}

QStringList sideTables()
{
    QStringList out;
    for (const Side& side : kSides)
        out << side.gramTable() << side.positionTable() << side.earlierTable() << side.earlierTable() + u"_pos"_s;
    return out;
}

QString sideTableFor(const QString& table)
{
    const Side* side = sideOf(table);
    return side ? side->gramTable() : QString();
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
        g_estimates.clear();
        for (const Side& side : kSides) {
            if (complete(side, triggerNames(side)))
                g_known->complete << side.table;
        }
    }
    return g_known->complete.contains(table);
}

void forget()
{
    g_known.reset();
    g_estimates.clear();
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
    if (value.size() < kWidth || value.contains(u'%') || value.contains(u'_') || !present(table))
        return {};
    const QList<Piece> pieces = narrowest(*side, piecesOf(value));
    const QString gramTable = side->gramTable();
    QString sql = u"SELECT DISTINCT g0.code FROM "_s + gramTable + u" AS g0"_s;
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const QString g = u"g"_s + QString::number(i);
        sql += u" STRAIGHT_JOIN "_s + gramTable + u" AS "_s + g + u" ON "_s + g + u".code = g0.code AND "_s + g
            + u".gram = "_s + quoted(pieces.at(i).text);
    }
    // DISTINCT keeps the candidates a derived table of their own, found before any row of the
    // table itself is read: joined in between, the server reads the row of every code of the
    // first piece.
    return keyColumn + u" IN (SELECT code FROM ("_s + sql + u" WHERE g0.gram = "_s + quoted(pieces.at(0).text)
        + u") AS pieced)"_s;
}

bool defersPieces(const QString& table)
{
    const Side* side = sideOf(table);
    return side && DBIsOpen()
        && DBGetValue(u"SELECT COUNT(*) FROM information_schema.TRIGGERS WHERE TRIGGER_SCHEMA = DATABASE() AND TRIGGER_NAME = "_s
                      + quoted(side->trigger(u"ai"_s)))
               .toInt()
        == 1;
}

QString deferStatement(const QString& table, bool deferred)
{
    const Side* side = sideOf(table);
    return side ? u"SET "_s + side->deferVariable() + (deferred ? u" = 1"_s : u" = NULL"_s) : QString();
}

QString piecesStatement(const QString& table, const QString& quotedKeys)
{
    const Side* side = sideOf(table);
    if (!side)
        return {};
    return insertPieces(*side, piecesSelect(*side, u"t."_s + side->key + u" IN ("_s + quotedKeys + u')'));
}

QString containsCondition(const QString& table, const QString& keyColumn, const QString& fields, const QString& text)
{
    const QString like = MakeFindWhere(fields, text, u"*s*"_s);
    const QString narrowed = candidates(table, keyColumn, fields, text);
    return narrowed.isEmpty() ? like : u"("_s + narrowed + u" AND "_s + like + u')';
}

} // namespace asv::TrigramIndex
