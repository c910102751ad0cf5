#include "AppState.h"
#include "TrigramIndex.h"
#include "CanonicalTelNo.h"
#include "ConsultStore.h"
#include "CustomerSearch.h"
#include "ProductSearch.h"
#include "ScriptedPrompter.h"
#include "SearchIndexes.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <QRegularExpression>
#include <random>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

const QStringList kOperators{u"*s*: 검색어를 포함"_s, u"s* : 검색어로 시작"_s, u"*s : 검색어로 끝남"_s, u"=  : 검색어와 일치"_s};

// Few distinct characters, so that pieces repeat across rows; Latin in both cases, the syllable
// outside the older Korean standard, blanks, quotes and backslashes.
const QString kCharacters = u"한빛전자대성상사똠김민준마트aAbBcCxX0123 '\\-()"_s;

struct Office {
    std::mt19937 rng{20261206};
    QStringList values; // every searched name, for texts taken from them
    QStringList numbers;

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    QString text(int length)
    {
        QString out;
        for (int i = 0; i < length; ++i)
            out += kCharacters.at(below(static_cast<int>(kCharacters.size())));
        return out;
    }

    QString name(int longest)
    {
        QString out = text(below(longest + 1));
        values << out;
        return out;
    }

    QString number()
    {
        QString out = u"0"_s + QString::number(below(3) + 2) + u'-';
        for (int i = 0; i < 7; ++i)
            out += QChar(u'1' + below(2)) + QString(i == 2 ? u"-"_s : QString());
        numbers << QString(out).remove(u'-');
        return out;
    }

    void fill(int rows)
    {
        QStringList customers, products;
        for (int i = 1; i <= rows; ++i) {
            const QString code = QString::number(i).rightJustified(6, u'0');
            customers << u"('%1', %2, %3, %4, '%5', '%6', '%7', '%8', '%9', %10, %11, %12)"_s.arg(
                code, quoted(name(14)), quoted(name(8)), quoted(name(5)), number(), below(3) ? number() : QString(),
                below(2) ? number() : QString(), number(), below(5) ? u"01"_s : u"09"_s, quoted(text(below(8))),
                QString::number(below(10) == 0), quoted(name(6)));
            products << u"('%1', %2, %3, %4, %5)"_s.arg(code, quoted(name(16)), quoted(name(10)), quoted(text(6)),
                                                         QString::number(below(10) == 0));
        }
        DBExecute(u"INSERT INTO local_user (code, loginid, name) VALUES ('01', 'KIM', '김담당')"_s);
        DBExecute(u"INSERT INTO customer (code, compname, compalias, ceoname, telno1, telno2, fax, hpno, charge, bigo, hidden, "
                  u"serialnumber) "
                  u"VALUES "_s
                  + customers.join(u','));
        DBExecute(u"INSERT INTO product (code, name, norm, bigo, hidden) VALUES "_s + products.join(u','));
    }

    static QString quoted(const QString& text) { return u"'"_s + SQLQuote(text) + u"'"_s; }

    // A piece of a stored name or number, maybe changed in case or in one character, or any text.
    QString searchText()
    {
        const int kind = below(20);
        if (kind < 14) {
            const QString& from = kind < 12 ? values.at(below(static_cast<int>(values.size())))
                                           : numbers.at(below(static_cast<int>(numbers.size())));
            const int length = std::min<int>(1 + below(10), static_cast<int>(from.size()));
            QString out = from.mid(below(static_cast<int>(from.size()) - length + 1), length);
            if (below(4) == 0)
                out = below(2) ? out.toUpper() : out.toLower();
            if (below(8) == 0 && !out.isEmpty())
                out[below(static_cast<int>(out.size()))] = text(1).at(0);
            return out.isEmpty() ? text(1) : out;
        }
        QString out = text(1 + below(10));
        if (below(15) == 0)
            out[below(static_cast<int>(out.size()))] = below(2) ? u'%' : u'_';
        return out;
    }
};

struct Search {
    QString label;
    QString sql;
};

CustomerSearch::Query customerQuery(const QString& fields, const QString& text, const QString& op)
{
    CustomerSearch::Query q;
    q.fields = fields;
    q.text = text;
    q.opText = op;
    return q;
}

ProductSearch::Query productQuery(const QString& fields, const QString& text, const QString& op)
{
    ProductSearch::Query q;
    q.fields = fields;
    q.text = text;
    q.opText = op;
    return q;
}

// Every key and operator of the customer list and picker and of the product list and picker.
QList<Search> everySearch(const QString& text)
{
    QList<Search> out;
    for (const QString& op : kOperators) {
        for (const FindKey& key : CustomerSearch::listKeys(false))
            out.append({u"customer list "_s + key.label + u' ' + op, CustomerSearch::listSql(customerQuery(key.fields, text, op))});
        for (const FindKey& key : CustomerSearch::pickerKeys())
            out.append({u"customer picker "_s + key.label + u' ' + op, CustomerSearch::pickerSql(customerQuery(key.fields, text, op))});
        for (const FindKey& key : ProductSearch::listKeys())
            out.append({u"product list "_s + key.label + u' ' + op, ProductSearch::listSql(productQuery(key.fields, text, op))});
        for (const FindKey& key : ProductSearch::pickerKeys())
            out.append({u"product picker "_s + key.label + u' ' + op, ProductSearch::pickerSql(productQuery(key.fields, text, op))});
    }
    return out;
}

QStringList codes(const QString& sql)
{
    RecordSetPtr rs;
    DBOpenRS(rs, sql);
    QStringList out;
    for (; rs && !rs->eof(); rs->moveNext())
        out << rs->field(u"code"_s);
    return out;
}

// The program without anything that only speeds the searches up.
void dropSearchIndexes()
{
    DBExecute(u"ALTER TABLE customer_trigram COMMENT = ''"_s);
    DBExecute(u"ALTER TABLE product_trigram COMMENT = ''"_s);
    DBExecute(u"ALTER TABLE customer DROP COLUMN hpno_rev"_s);
    SearchIndexes::forget();
}

// 700 customers and products in the plain edition.
struct FilledOffice {
    test::TestDatabase db;
    test::ScriptedPrompter prompter;
    Office office;

    FilledOffice()
    {
        App().EditionCode.clear();
        office.fill(700);
    }
};

struct Compared {
    QString text;
    Search without;
    QStringList rows;
};

} // namespace

TEST(SearchIndexComparison, ThousandTextsFindTheSameRowsWithAndWithoutTheSearchIndexes)
{
    FilledOffice filled;
    Office& office = filled.office;
    QStringList texts;
    for (int i = 0; i < 1000; ++i)
        texts << office.searchText();

    dropSearchIndexes();
    QList<Compared> compared;
    for (const QString& text : std::as_const(texts)) {
        for (const Search& s : everySearch(text))
            compared.append({text, s, {}});
    }
    ASSERT_TRUE(SearchIndexes::addMissing().isEmpty());
    ASSERT_TRUE(TrigramIndex::present(u"customer"_s) && TrigramIndex::present(u"product"_s));
    // Where the statement is the same it finds the same: only the others are run.
    qsizetype at = 0;
    QList<Compared> differing;
    for (const QString& text : std::as_const(texts)) {
        for (const Search& s : everySearch(text)) {
            if (s.sql != compared.at(at).without.sql)
                differing.append({text, compared.at(at).without, codes(s.sql)});
            ++at;
        }
    }
    compared.clear();

    dropSearchIndexes();
    int found = 0;
    int failures = 0;
    for (const Compared& c : std::as_const(differing)) {
        const QStringList rows = codes(c.without.sql);
        found += rows.isEmpty() ? 0 : 1;
        if (rows != c.rows && ++failures <= 10)
            ADD_FAILURE() << c.without.label.toStdString() << " \"" << c.text.toStdString() << "\": "
                          << rows.join(u' ').toStdString() << " without, " << c.rows.join(u' ').toStdString() << " with";
    }
    EXPECT_EQ(failures, 0);
    // Enough of them ran, and found something, for the comparison to mean anything.
    EXPECT_GT(differing.size(), 5000);
    EXPECT_GT(found, differing.size() / 8);
    EXPECT_EQ(filled.prompter.count(test::ScriptedPrompter::Kind::Error), 0);
}

// The desk's search by its indexes finds what its plain meaning finds: the names holding the
// text, the codes beginning with it, the numbers whose digits end with its digits. What the scan
// found for a name, a code or a number typed whole or by its ending, it finds too.
TEST(SearchIndexComparison, DeskSearchFindsWhatTheScanFoundForNamesCodesAndNumbers)
{
    FilledOffice filled;
    Office& office = filled.office;
    RecordSetPtr rs;
    DBOpenRS(rs, u"SELECT telno1, hpno FROM customer WHERE charge = '01'"_s);
    QStringList stored;
    for (; rs && !rs->eof(); rs->moveNext())
        stored << rs->field(0) << rs->field(1);
    QStringList typed; // as an operator types them
    QStringList digitsTyped; // what the scan never found
    for (int i = 0; i < 150; ++i) {
        const QString number = stored.at(office.below(static_cast<int>(stored.size())));
        const QString digits = QString(number).remove(u'-');
        digitsTyped << digits << digits.right(4 + office.below(4));
        typed << office.values.at(office.below(static_cast<int>(office.values.size()))) << number
              << digitsTyped.last(2) << QString::number(1 + office.below(700)).rightJustified(6, u'0');
    }
    QStringList texts = typed;
    for (int i = 0; i < 300; ++i)
        texts << office.searchText();
    texts.removeIf([](const QString& t) { return t.trimmed().isEmpty(); });

    ASSERT_TRUE(SearchIndexes::addMissing().isEmpty());
    struct Found {
        QString text;
        bool tamber;
        QString sql;
        QStringList rows;
    };
    QList<Found> found;
    for (const QString& text : std::as_const(texts)) {
        for (const bool tamber : {false, true}) {
            const QString sql = ConsultStore::customerSearchSql(text, tamber);
            found.append({text, tamber, sql, codes(sql)});
        }
    }
    dropSearchIndexes();
    int failures = 0;
    int indexed = 0;
    for (const Found& f : std::as_const(found)) {
        const QString scan = ConsultStore::customerSearchSql(f.text, f.tamber);
        const QStringList scanned = codes(scan);
        QString digits = f.text;
        digits.removeIf([](QChar c) { return !c.isDigit(); });
        QString text = f.text;
        const QString like = SQLQuoteLike(text);
        QStringList plain{u"compname LIKE '%"_s + like + u"%'"_s, u"compalias LIKE '%"_s + like + u"%'"_s,
                          u"c.code LIKE '"_s + like + u"%'"_s};
        if (f.tamber)
            plain << u"c.serialnumber LIKE '"_s + like + u"%'"_s;
        if (f.text.contains(QRegularExpression(u"^[0-9 ()./-]+$"_s)) && digits.size() >= 4) {
            for (const QString& column : {u"telno1"_s, u"telno2"_s, u"telno3"_s, u"telno4"_s, u"c.hpno"_s, u"c.serialnumber"_s}) {
                if (f.tamber || column != u"c.serialnumber"_s)
                    plain << u"REGEXP_REPLACE("_s + column + u", '[^0-9]', '') LIKE '%"_s + digits + u"'"_s;
            }
        }
        const QStringList meant = codes(u"SELECT c.code FROM customer AS c, local_user AS u WHERE ("_s
                                        + plain.join(u" OR "_s) + u") AND c.charge = u.code ORDER BY c.code"_s);
        const bool byIndexes = f.sql != scan;
        indexed += byIndexes ? 1 : 0;
        const bool asMeant = !byIndexes || f.rows == meant;
        // A serial number is text: one inside another's is left to the picker.
        const bool allScanned = f.tamber || !typed.contains(f.text)
            || std::all_of(scanned.begin(), scanned.end(), [&](const QString& c) { return f.rows.contains(c); });
        const bool numberFound = !digitsTyped.contains(f.text) || !f.rows.isEmpty();
        if ((!asMeant || !allScanned || !numberFound) && ++failures <= 10)
            ADD_FAILURE() << "\"" << f.text.toStdString() << "\"" << (f.tamber ? " S/N" : "") << ": "
                          << f.rows.join(u' ').toStdString() << " found, " << meant.join(u' ').toStdString()
                          << " meant, " << scanned.join(u' ').toStdString() << " scanned";
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(indexed, found.size() / 2);
    EXPECT_EQ(filled.prompter.count(test::ScriptedPrompter::Kind::Error), 0);
}

// The code-entry box's narrower steps find part of what its "contains" finds; a name reached
// through the pieces is every product whose name holds the text.
TEST(SearchIndexComparison, CodeEntryStepsFindPartOfTheContainsAndEveryNameHoldingTheText)
{
    FilledOffice filled;
    Office& office = filled.office;
    // Barcodes some products share, and texts from their beginnings and from the codes'.
    DBExecute(u"UPDATE product SET bcode = CONCAT('880', LPAD(CAST(code AS UNSIGNED) * 37 % 600, 5, '0'))"_s);
    QStringList texts;
    for (int i = 0; i < 700; ++i) {
        const QString digits = QString::number(office.below(600) * 37 % 600).rightJustified(5, u'0');
        texts << office.searchText() << (u"880"_s + digits).left(1 + office.below(8))
              << QString::number(1 + office.below(700)).rightJustified(6, u'0').left(1 + office.below(6));
    }
    ASSERT_TRUE(SearchIndexes::addMissing().isEmpty());
    const FindKey entry = ProductSearch::entryKey();
    struct Step {
        QString text;
        int rung;
        QStringList rows;
    };
    QList<Step> steps;
    for (const QString& text : std::as_const(texts)) {
        const QStringList rungs = ProductSearch::entryRungs(text);
        for (int r = 0; r < rungs.size(); ++r) {
            ProductSearch::Query q;
            q.extraCondition = rungs.at(r);
            if (const QStringList rows = codes(ProductSearch::pickerSql(q)); !rows.isEmpty()) {
                steps.append({text, r, rows});
                break;
            }
        }
    }

    dropSearchIndexes();
    int failures = 0;
    QList<int> byRung(3);
    for (const Step& s : std::as_const(steps)) {
        ++byRung[s.rung];
        const QStringList all = codes(ProductSearch::pickerSql(productQuery(entry.fields, s.text, entry.op)));
        const bool part = std::all_of(s.rows.begin(), s.rows.end(), [&](const QString& c) { return all.contains(c); });
        const bool names = s.rung < 2 || s.rows == codes(ProductSearch::pickerSql(productQuery(u"p.name"_s, s.text, entry.op)));
        if ((!part || !names) && ++failures <= 10)
            ADD_FAILURE() << "step " << s.rung << " \"" << s.text.toStdString() << "\": " << s.rows.join(u' ').toStdString()
                          << " of " << all.join(u' ').toStdString();
    }
    EXPECT_EQ(failures, 0);
    for (int r = 0; r < byRung.size(); ++r)
        EXPECT_GT(byRung.at(r), 50) << "step " << r;
    EXPECT_EQ(filled.prompter.count(test::ScriptedPrompter::Kind::Error), 0);
}

TEST(SearchIndexComparison, RowsWrittenByPlainSqlAreFoundAndGoneAtOnce)
{
    test::TestDatabase db;
    test::ScriptedPrompter prompter;
    App().EditionCode.clear();
    const auto customers = [](const QString& text) {
        const QString sql = CustomerSearch::pickerSql(customerQuery(u"c.compname"_s, text, kOperators.at(0)));
        EXPECT_TRUE(sql.contains(u"customer_trigram"_s));
        return codes(sql);
    };
    const auto products = [](const QString& text) {
        const QString sql = ProductSearch::pickerSql(productQuery(u"norm"_s, text, kOperators.at(0)));
        EXPECT_TRUE(sql.contains(u"product_trigram"_s));
        return codes(sql);
    };

    // As another program writes them, several at once.
    DBExecute(u"INSERT INTO customer (code, compname) VALUES ('000007', '똠방각하 Shop'), ('000008', '')"_s);
    DBExecute(u"INSERT INTO product (code, name, norm) VALUES ('000007', '토너', 'TN-2450 블랙'), ('000008', '드럼', 'DR-2450')"_s);
    EXPECT_EQ(customers(u"방각하"_s), QStringList{u"000007"_s});
    EXPECT_EQ(customers(u"SHOP"_s), QStringList{u"000007"_s});
    EXPECT_EQ(products(u"-2450"_s), (QStringList{u"000008"_s, u"000007"_s}));

    // Renamed: the new name is found, the old one no longer; a changed case or a trailing blank
    // changes the pieces as well.
    DBExecute(u"UPDATE customer SET compname = '새빛상사 ' WHERE code = '000007'"_s);
    DBExecute(u"UPDATE product SET norm = 'tn-2450x' WHERE code = '000007'"_s);
    EXPECT_TRUE(customers(u"방각하"_s).isEmpty());
    EXPECT_EQ(customers(u"상사 "_s), QStringList{u"000007"_s});
    EXPECT_EQ(products(u"N-2450X"_s), QStringList{u"000007"_s});
    EXPECT_EQ(products(u" 블랙"_s), QStringList());
    DBExecute(u"UPDATE customer SET code = '000009' WHERE code = '000007'"_s);
    EXPECT_EQ(customers(u"새빛상"_s), QStringList{u"000009"_s});

    DBExecute(u"DELETE FROM customer WHERE code IN ('000008', '000009')"_s);
    DBExecute(u"DELETE FROM product WHERE code IN ('000007', '000008')"_s);
    EXPECT_TRUE(customers(u"새빛상"_s).isEmpty());
    EXPECT_TRUE(products(u"2450"_s).isEmpty());
    EXPECT_EQ(DBGetValue(u"SELECT COUNT(*) FROM customer_trigram"_s) + DBGetValue(u"SELECT COUNT(*) FROM product_trigram"_s),
              u"00"_s);
    EXPECT_EQ(prompter.count(test::ScriptedPrompter::Kind::Error), 0);
}
