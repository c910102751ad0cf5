#pragma once

#include "CodeRows.h"
#include "LedgerStore.h"
#include "RecordSetPtr.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <span>
#include <tuple>
#include <vector>

namespace asv {

// The rows of the customer ledger from what LedgerStore read: per customer the balance carried
// forward, its debit and credit lines in date order with the running balance, and its subtotal;
// a grand total at the end. Money is kept in ten-thousandths, so a balance that goes up and down
// by the same amounts comes back to exactly where it was.
class LedgerMerge {
public:
    enum class Kind { Carried, Sale, AsItem, Credit, Subtotal, Total };
    enum Col { ColCustomer, ColDate, ColItem, ColQty, ColUnit, ColPrice, ColDebit, ColCredit, ColBalance, ColMemo,
               ColCount };

    struct Row {
        Kind kind;
        int customer; // row of the customers; -1 for the grand total
        int list;     // of a line: which list of lines it comes from; -1 for the others
        int source;   // of a line: its row in that list
        qint64 debit;
        qint64 credit;
        qint64 balance;
    };

    static QStringList captions();
    // Ten-thousandths of a decimal text as the server sends it ("-1234.5000").
    static qint64 money(QStringView text);
    static qint64 money(QByteArrayView text);
    // The shortest plain number of ten-thousandths: "4200", "-0.5".
    static QString moneyText(qint64 amount);

    // The date's ten characters in place of the text, four to a number, so that a year of lines is
    // sorted and merged by three comparisons a line instead of ten.
    using DateKey = std::array<quint64, 3>;
    struct Line {
        DateKey date;
        qint64 code;
        qint64 amount;
        int list;
        int source;

        // On one date and document a sale line goes before an AS item, each list in its read order.
        bool operator<(const Line& other) const
        {
            return std::tie(date, code, list, source) < std::tie(other.date, other.code, other.list, other.source);
        }
    };
    // One list's lines as read, and their numbers grouped by customer: a year of lines in ten
    // thousand vectors cost more in allocations than in reading, and moving the lines themselves
    // into customer order cost a third of their making.
    struct LinesByCustomer {
        std::vector<Line> lines;
        std::vector<int> order;
        std::vector<size_t> starts; // customer c's lines are lines[order[i]] for i in [starts[c], starts[c + 1])

        std::span<const int> of(int customer) const
        {
            const auto c = static_cast<size_t>(customer);
            return std::span<const int>(order).subspan(starts[c], starts[c + 1] - starts[c]);
        }
        // The customer's lines added to out, in order.
        void appendSorted(int customer, std::vector<Line>& out) const;
    };
    // The customers and the products the lines name, found by code.
    struct Keys {
        Keys(RecordSetPtr customerList, RecordSetPtr productList);

        RecordSetPtr customers;
        RecordSetPtr products;
        CodeRows customerRows;
        CodeRows productRows;
    };
    using KeysPtr = std::shared_ptr<const Keys>;
    // A list of lines as read (sales in parts, AS items, credits) and its lines in order per customer.
    struct Lines {
        Kind kind;
        RecordSetPtr rows;
        LinesByCustomer byCustomer;
    };

    // The lines of one list, the list-th of those the merge is given. Safe on any thread, so that
    // each list is taken up as soon as its read arrives.
    static Lines collect(Kind kind, int list, RecordSetPtr rows, const Keys& keys);

    // lists: the debit lists, then the credits last.
    LedgerMerge(KeysPtr keys, RecordSetPtr carried, std::vector<Lines> lists);
    // Collects the lists itself, side by side.
    LedgerMerge(RecordSetPtr customers, RecordSetPtr carried, LedgerStore::Debits debits, RecordSetPtr credits);

    // Opening balance plus what was carried, per customer.
    void carryForward();
    // The rows; none without customers. Each customer's lines run by date, then document; a credit
    // line goes before a debit line only when its date is strictly earlier, so on one day the
    // debits come first. Lines of customers not listed, and debit lines naming no product, are
    // left out.
    void mergeLines();

    int rowCount() const { return static_cast<int>(m_rowCount); }
    const Row& row(int r) const { return m_rows[static_cast<size_t>(r)]; }
    QString text(int r, int col) const;
    // The customer's code and name, and the contact heading " (☏<telno1>,F:<fax>)".
    QString customerCode(int customer) const;
    QString customerName(int customer) const;
    QString contactHeading(int customer) const;

private:
    // How many rows the customers [from, to) take.
    size_t rowsOf(int from, int to) const;
    // Writes the rows of the customers [from, to) from out on; their sums in a total row.
    Row merge(int from, int to, Row* out) const;
    QString saleText(const RecordSet& lines, int source, int col) const;
    QString asItemText(const RecordSet& lines, int source, int col) const;
    // The product row of a line's pcode; -1 when there is none.
    int product(const RecordSet& lines, int source) const;
    QString productText(int product, const QString& field) const;

    KeysPtr m_keys;
    RecordSetPtr m_carriedSums;
    std::vector<Lines> m_lists;
    std::vector<qint64> m_carried; // per customer
    // Written in place by the halves that merge side by side, never cleared first.
    std::unique_ptr<Row[]> m_rows;
    size_t m_rowCount = 0;
};

} // namespace asv
