#include "TelSuffixIndex.h"

#include "OnlineAlter.h"
#include "modDBMS_comn.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace asv::TelSuffixIndex {

namespace {

const QStringList kNumberColumns{u"telno1"_s, u"telno2"_s, u"telno3"_s, u"telno4"_s, u"fax"_s, u"hpno"_s};
const QString kSuffix = u"_rev"_s;
// Numbers are stored as typed, hyphens and all, and typed without them: these companions hold
// the digits alone, reversed. The serial number exists from an upgrade step on.
const QStringList kDigitColumns{u"telno1"_s, u"telno2"_s, u"telno3"_s, u"telno4"_s, u"hpno"_s, u"serialnumber"_s};
const QString kDigitSuffix = u"_drev"_s;

struct Known {
    QString database;
    bool present = false;
    QStringList digitIndexes;
};
std::optional<Known> g_known;

QString inList(const QStringList& names)
{
    return u"('"_s + names.join(u"', '"_s) + u"')"_s;
}

QStringList companionColumns()
{
    return QStringList(kNumberColumns).replaceInStrings(QRegularExpression(u"$"_s), kSuffix);
}

QStringList indexNames()
{
    return QStringList(companionColumns()).replaceInStrings(QRegularExpression(u"^"_s), u"idx_customer_"_s);
}

QString digitCompanion(const QString& column)
{
    return column + kDigitSuffix;
}

QString digitIndex(const QString& column)
{
    return u"idx_customer_"_s + digitCompanion(column);
}

QStringList digitIndexNames()
{
    QStringList out;
    for (const QString& column : kDigitColumns)
        out << digitIndex(column);
    return out;
}

// Which of names the current database's customer table has, read from the given catalogue view.
QStringList existing(const QString& view, const QString& nameColumn, const QStringList& names)
{
    return DBFirstColumn(u"SELECT DISTINCT "_s + nameColumn + u" FROM information_schema."_s + view
                         + u" WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = 'customer' AND "_s + nameColumn
                         + u" IN "_s + inList(names));
}

// "c.telno1" → "c.telno1_rev"; "" for a column without a companion.
QString companionOf(const QString& field)
{
    const QString column = field.section(u'.', -1);
    return kNumberColumns.contains(column) ? field + kSuffix : QString();
}

} // namespace

QStringList missingStatements()
{
    // Without IF NOT EXISTS, which MySQL does not know. Wider than the numbers, so that a later
    // widening of a number column cannot overflow the reversed copy. The columns and their indexes
    // go in separate statements: together the server cannot add them without locking the table.
    QStringList wanted = companionColumns() + kDigitColumns;
    for (const QString& column : kDigitColumns)
        wanted << digitCompanion(column);
    const QStringList columns = existing(u"COLUMNS"_s, u"COLUMN_NAME"_s, wanted);
    const QStringList indexes = existing(u"STATISTICS"_s, u"INDEX_NAME"_s, indexNames() + digitIndexNames());
    QStringList added;
    QStringList digitsAdded;
    QStringList indexed;
    for (int i = 0; i < kNumberColumns.size(); ++i) {
        if (!columns.contains(companionColumns().at(i)))
            added << u"ADD COLUMN "_s + companionColumns().at(i) + u" VARCHAR(100) AS (REVERSE("_s
                         + kNumberColumns.at(i) + u")) VIRTUAL INVISIBLE"_s;
        if (!indexes.contains(indexNames().at(i)))
            indexed << indexNames().at(i) + u" ("_s + companionColumns().at(i) + u')';
    }
    for (const QString& column : kDigitColumns) {
        if (!columns.contains(column))
            continue;
        if (!columns.contains(digitCompanion(column)))
            digitsAdded << u"ADD COLUMN "_s + digitCompanion(column) + u" VARCHAR(100) AS (REVERSE(REGEXP_REPLACE("_s
                               + column + u", '[^0-9]', ''))) VIRTUAL INVISIBLE"_s;
        if (!indexes.contains(digitIndex(column)))
            indexed << digitIndex(column) + u" ("_s + digitCompanion(column) + u')';
    }
    QStringList out;
    // Apart, so that a server without REGEXP_REPLACE still gets the reversed numbers.
    for (const QStringList& adds : {added, digitsAdded}) {
        if (!adds.isEmpty())
            out << u"ALTER TABLE customer "_s + adds.join(u", "_s);
    }
    for (const QString& index : std::as_const(indexed))
        out << u"ALTER TABLE customer ADD INDEX "_s + index;
    return out;
}

bool ensure()
{
    forget();
    if (!DBIsOpen() || present())
        return present();
    for (const QString& statement : missingStatements())
        OnlineAlter::run(DBMainConnection(), statement);
    forget();
    return present();
}

namespace {

void known()
{
    if (!g_known || g_known->database != DBName())
        g_known = Known{DBName(),
                        existing(u"STATISTICS"_s, u"INDEX_NAME"_s, indexNames()).size() == kNumberColumns.size(),
                        existing(u"STATISTICS"_s, u"INDEX_NAME"_s, digitIndexNames())};
}

} // namespace

bool present()
{
    if (!DBIsOpen())
        return false;
    known();
    return g_known->present;
}

QStringList endsWithDigits(const QStringList& columns, const QString& digits)
{
    if (!DBIsOpen())
        return {};
    known();
    QString reversed = digits;
    std::reverse(reversed.begin(), reversed.end());
    QStringList out;
    for (const QString& field : columns) {
        const QString column = field.section(u'.', -1);
        if (!g_known->digitIndexes.contains(digitIndex(column)))
            return {};
        out << MakeFindWhere(field + kDigitSuffix, reversed, u"s*"_s);
    }
    return out;
}

void forget()
{
    g_known.reset();
}

QString endsWithCondition(const QString& fields, const QString& text)
{
    QStringList companions;
    for (const QString& field : fields.split(u',', Qt::SkipEmptyParts)) {
        const QString companion = companionOf(field.trimmed());
        if (companion.isEmpty())
            return {};
        companions << companion;
    }
    if (companions.isEmpty() || !present())
        return {};
    QString reversed = QString(text).remove(vbCrLf);
    std::reverse(reversed.begin(), reversed.end());
    return MakeFindWhere(companions.join(u','), reversed, u"s*"_s);
}

} // namespace asv::TelSuffixIndex
