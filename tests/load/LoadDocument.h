#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace asv::test {

// The customers and products every desk of the load test works on, set up by the test.
inline constexpr int kLoadCustomers = 50;
inline constexpr int kLoadProducts = 8;
QString loadCustomer(int index);
QString loadProduct(int index);

// One document of the load test as a desk expects it stored: gone, or its customer and numbers.
// The key is the tag of the operation that created it, kept in the document's memo column. A
// number the desk cannot know (the code of an insert whose answer was lost) is NaN and matches any.
struct LoadDocument {
    enum Kind { Sale, Payment, Job, Line };

    Kind kind = Sale;
    QString key;
    bool exists = false;
    QString ccode;
    // Sale: code, qnt, amount, tax, total. Payment: code, amount, dc. Job: code. Line: job code,
    // seq, amount, isfree.
    QList<double> values;

    bool sameAs(const LoadDocument& other) const;
    QString text() const;
    QString journalLine() const;
    static std::optional<LoadDocument> fromJournal(const QString& line);
    // The rows tagged key as they are stored; nullopt when the read failed.
    static std::optional<QList<LoadDocument>> stored(Kind kind, const QString& key);
    // How many rows of the kind carry a tag at all.
    static int taggedRows(Kind kind);
};

} // namespace asv::test
