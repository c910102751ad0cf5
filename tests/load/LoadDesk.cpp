// One desk of the load test in a process of its own. It posts, edits and deletes documents of the
// shared customers through the stores as the windows call them, and journals every operation's
// outcome and what it then expects stored. A failed operation is looked at at once: what is stored
// must be the document as it was or as it was meant to be, never something in between.
#include "AsJobStore.h"
#include "Clock.h"
#include "LoadDocument.h"
#include "Paths.h"
#include "ReceiveStore.h"
#include "SaleStore.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "ProductPrices.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <QThread>
#include <cmath>
#include <limits>
#include <random>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::LoadDocument;
using asv::test::ScriptedPrompter;

namespace {

using Doc = LoadDocument;
constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

// The document as the operation found it and as it meant to leave it.
struct Touch {
    Doc before;
    Doc after;
};

Doc gone(Doc::Kind kind, const QString& key)
{
    return Doc{kind, key, false, {}, {}};
}

class Desk {
public:
    Desk(int desk, quint64 seed, QTextStream& journal) : m_desk(desk), m_rng(seed * 1000 + desk), m_out(journal) {}

    void run(int operations)
    {
        for (int n = 0; n < operations; ++n)
            operate(u"d%1-%2"_s.arg(m_desk).arg(n));
    }

private:
    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(m_rng); }
    QString anyCustomer() { return test::loadCustomer(pick(test::kLoadCustomers)); }
    QString otherCustomer(const QString& than)
    {
        QString c;
        do
            c = anyCustomer();
        while (c == than);
        return c;
    }
    QString anyOf(Doc::Kind kind)
    {
        const QStringList keys = m_docs[kind].keys();
        return keys.isEmpty() ? QString() : keys[pick(static_cast<int>(keys.size()))];
    }
    static QString today() { return Clock::now().toString(u"yyyy-MM-dd"_s); }
    static QString now() { return Clock::now().toString(u"HH:mm"_s); }

    void operate(const QString& tag)
    {
        const int roll = pick(100);
        const QString sale = anyOf(Doc::Sale), payment = anyOf(Doc::Payment), job = anyOf(Doc::Job),
                      line = anyOf(Doc::Line);
        if (roll < 20 || (roll < 38 && sale.isEmpty()))
            createSale(tag);
        else if (roll < 32)
            editSale(tag, sale);
        else if (roll < 38)
            deleteDoc(tag, Doc::Sale, sale, u"sale-delete"_s,
                      [](const Doc& d) { return SaleStore().remove(static_cast<int>(d.values[0]), d.ccode); });
        else if (roll < 52 || (roll < 67 && payment.isEmpty()))
            createPayment(tag);
        else if (roll < 62)
            editPayment(tag, payment);
        else if (roll < 67)
            deleteDoc(tag, Doc::Payment, payment, u"payment-delete"_s,
                      [](const Doc& d) { return ReceiveStore().remove(static_cast<int>(d.values[0])); });
        else if (roll < 74 || job.isEmpty())
            createJob(tag);
        else if (roll < 86 || (roll < 96 && line.isEmpty()))
            addLine(tag, job);
        else if (roll < 93)
            editLine(tag, line);
        else if (roll < 96)
            deleteDoc(tag, Doc::Line, line, u"line-delete"_s, [](const Doc& d) {
                return AsJobStore().removeLine(static_cast<int>(d.values[0]), static_cast<int>(d.values[1]));
            });
        else if (roll < 99)
            moveJob(tag, job);
        else
            deleteJob(tag, job);
    }

    // Runs one operation of the stores; a throw counts as a failure.
    template <typename F>
    bool attempt(F&& body)
    {
        m_prompter.clear();
        try {
            return body();
        } catch (const std::exception&) {
            return false;
        }
    }

    // The first error number the operation showed, 0 when it showed none.
    int shownError() const
    {
        static const QRegularExpression number(u"^Error (\\d+) "_s);
        for (const QString& text : m_prompter.texts(ScriptedPrompter::Kind::Error))
            if (const QRegularExpressionMatch m = number.match(text); m.hasMatch())
                return m.captured(1).toInt();
        return 0;
    }

    // The tagged rows, read again until the server answers (it may be restarting).
    QList<Doc> storedNow(Doc::Kind kind, const QString& key)
    {
        for (int attempt = 0; attempt < 600; ++attempt) {
            if (const std::optional<QList<Doc>> rows = Doc::stored(kind, key))
                return *rows;
            QThread::msleep(100);
        }
        const cMySQL* c = DBConnection(0);
        m_out << "half\t" << key << "\tunreadable: " << DBLastErrno() << ' ' << (c ? c->lastError() : QString()) << '\n';
        return {};
    }

    void finish(const QString& tag, const QString& what, bool ok, const QList<Touch>& touched)
    {
        m_out << "op\t" << tag << '\t' << what << '\t' << (ok ? "ok" : "fail") << '\t' << (ok ? 0 : shownError())
              << '\n';
        for (const Touch& t : touched) {
            Doc now = t.after;
            if (!ok) {
                const QList<Doc> rows = storedNow(t.after.kind, t.after.key);
                now = rows.isEmpty() ? gone(t.after.kind, t.after.key) : rows.first();
                if (rows.size() > 1 || !(now.sameAs(t.before) || now.sameAs(t.after)))
                    m_out << "half\t" << tag << '\t' << t.after.key << "\tstored " << rows.size() << "× "
                          << now.text() << " | before " << t.before.text() << " | after " << t.after.text() << '\n';
            }
            keep(now);
            m_out << now.journalLine() << '\n';
            // A COMMIT whose outcome the program could not know (its node lost the cluster, or the
            // answer) may still be stored by the others after this read: either state is right
            // until the desk touches the document again.
            if (!ok && (shownError() == 1180 || shownError() == 2013))
                m_out << "doubt\t" << t.before.journalLine() << "\ndoubt\t" << t.after.journalLine() << '\n';
        }
        m_out.flush();
    }

    void keep(const Doc& d)
    {
        if (!d.exists) {
            m_docs[d.kind].remove(d.key);
            return;
        }
        m_docs[d.kind].insert(d.key, d);
        if (d.kind == Doc::Payment) {
            ReceiveRecord& p = m_payments[d.key];
            p.code = static_cast<int>(d.values[0]);
            p.ccode = d.ccode;
            p.amount = d.values[1];
            p.dc = d.values[2];
        } else if (d.kind == Doc::Line) {
            AsLineRecord& l = m_lines[d.key];
            l.code = static_cast<int>(d.values[0]);
            l.seq = static_cast<int>(d.values[1]);
            l.amount = d.values[2];
            l.isfree = d.values[3] != 0;
        }
    }

    // Sales: a slip's lines one by one, as the slip stores each row.
    void createSale(const QString& tag)
    {
        const int product = pick(test::kLoadProducts);
        SaleLine line;
        line.ccode = anyCustomer();
        line.pcode = test::loadProduct(product);
        line.pname = u"부품 %1"_s.arg(product);
        line.qnt = 1 + pick(5);
        line.dealdate = today();
        const bool ok = attempt([&] {
            line.price = ProductPrices().salePrice(line.pcode);
            SaleStore::priceLine(line);
            line.dealtime = now();
            line.charge = u"01"_s;
            line.regucode = u"01"_s;
            line.receiptmemo = tag;
            return SaleStore().insert(line) != 0;
        });
        m_salePrices.insert(tag, {line.pcode, line.price});
        const Doc after{Doc::Sale, tag, true, line.ccode,
                        {ok ? line.code : kUnknown, line.qnt, line.amount, line.tax, line.total}};
        finish(tag, u"sale"_s, ok, {{gone(Doc::Sale, tag), after}});
    }

    // A new quantity priced again, or an amount typed over.
    void editSale(const QString& tag, const QString& key)
    {
        const Doc before = m_docs[Doc::Sale].value(key);
        const auto [pcode, price] = m_salePrices.value(key);
        SaleChange change;
        const bool quantity = pick(2) == 0;
        const double qnt = quantity ? 1 + pick(6) : before.values[1];
        const bool ok = attempt([&] {
            if (quantity) {
                change = SaleChange::repriced(ProductPrices().vatMode(before.ccode, pcode), qnt, price, before.values[2],
                                              before.values[3]);
                change.qnt = qnt - before.values[1];
            } else {
                change.amount = 100 * (1 + pick(20)) * (pick(2) ? 1 : -1);
            }
            change.setText(u"prnbigo"_s, tag);
            return SaleStore().update(static_cast<int>(before.values[0]), before.ccode, change);
        });
        Doc after = before;
        after.values = {before.values[0], qnt, before.values[2] + change.amount, before.values[3] + change.tax,
                        before.values[4] + change.total()};
        finish(tag, quantity ? u"sale-qnt"_s : u"sale-amount"_s, ok, {{before, after}});
    }

    // Deletes the document of the key as the desk last knew it.
    template <typename F>
    void deleteDoc(const QString& tag, Doc::Kind kind, const QString& key, const QString& what, F&& remove)
    {
        const Doc before = m_docs[kind].value(key);
        const bool ok = attempt([&] { return remove(before); });
        finish(tag, what, ok, {{before, gone(kind, key)}});
    }

    void createPayment(const QString& tag)
    {
        ReceiveRecord p;
        p.dealdate = today();
        p.ccode = anyCustomer();
        p.amount = 1000 * (1 + pick(50));
        p.dc = pick(3) == 0 ? 100 * (1 + pick(5)) : 0;
        p.type = pick(2);
        p.charge = u"01"_s;
        p.bigo = tag;
        p.regucode = u"01"_s;
        p.dealtime = now();
        int code = 0;
        const bool ok = attempt([&] { return (code = ReceiveStore().insert(p)) != 0; });
        p.code = code;
        m_payments.insert(tag, p);
        finish(tag, u"payment"_s, ok,
               {{gone(Doc::Payment, tag), {Doc::Payment, tag, true, p.ccode, {ok ? code : kUnknown, p.amount, p.dc}}}});
    }

    // A new amount or discount, or the payment moved to another customer.
    void editPayment(const QString& tag, const QString& key)
    {
        const Doc before = m_docs[Doc::Payment].value(key);
        const ReceiveRecord loaded = m_payments.value(key);
        ReceiveRecord edited = loaded;
        const bool move = pick(3) == 0;
        if (move)
            edited.ccode = otherCustomer(loaded.ccode);
        else if (pick(2))
            edited.amount = 1000 * (1 + pick(50));
        else
            edited.dc = loaded.dc == 0 ? 300 : 0;
        const bool ok = attempt([&] { return ReceiveStore().update(loaded, edited) == 1; });
        const Doc after{Doc::Payment, key, true, edited.ccode, {before.values[0], edited.amount, edited.dc}};
        finish(tag, move ? u"payment-move"_s : u"payment-amount"_s, ok, {{before, after}});
    }

    void createJob(const QString& tag)
    {
        AsJobRecord job;
        job.ccode = anyCustomer();
        job.pcode = test::loadProduct(pick(test::kLoadProducts));
        job.dealdate = today();
        job.dealtime = now();
        job.regucode = u"01"_s;
        job.charge = u"01"_s;
        job.dealbigo = tag;
        int code = 0;
        const bool ok = attempt([&] { return (code = AsJobStore().insert(job)) != 0; });
        finish(tag, u"job"_s, ok, {{gone(Doc::Job, tag), {Doc::Job, tag, true, job.ccode, {ok ? code : kUnknown}}}});
    }

    // A result line, charged or free of charge.
    void addLine(const QString& tag, const QString& jobKey)
    {
        AsLineRecord line;
        line.code = static_cast<int>(m_docs[Doc::Job].value(jobKey).values[0]);
        line.pcode = test::loadProduct(pick(test::kLoadProducts));
        line.workbigo = tag;
        line.amount = 1000 * (1 + pick(30));
        line.isfree = pick(4) == 0;
        line.senddate = today();
        int seq = 0;
        const bool ok = attempt([&] { return (seq = AsJobStore().saveLine(line)) != 0; });
        m_lines.insert(tag, line);
        const Doc after{Doc::Line, tag, true, {}, {double(line.code), ok ? seq : kUnknown, line.amount, double(line.isfree)}};
        finish(tag, u"line"_s, ok, {{gone(Doc::Line, tag), after}});
    }

    // A new charge, or charged turned free and back.
    void editLine(const QString& tag, const QString& key)
    {
        const Doc before = m_docs[Doc::Line].value(key);
        AsLineRecord line = m_lines.value(key);
        const bool toggle = pick(2) == 0;
        if (toggle)
            line.isfree = !line.isfree;
        else
            line.amount = 1000 * (1 + pick(30));
        const bool ok = attempt([&] { return AsJobStore().saveLine(line) == line.seq; });
        const Doc after{Doc::Line, key, true, {}, {double(line.code), double(line.seq), line.amount, double(line.isfree)}};
        finish(tag, toggle ? u"line-free"_s : u"line-amount"_s, ok, {{before, after}});
    }

    // The job and its charges moved to another customer, as the reception window saves it.
    void moveJob(const QString& tag, const QString& key)
    {
        const Doc before = m_docs[Doc::Job].value(key);
        const QString to = otherCustomer(before.ccode);
        const bool ok = attempt([&] {
            std::optional<AsJobRecord> job = AsJobStore().load(static_cast<int>(before.values[0]));
            if (!job)
                return false;
            job->ccode = to;
            return AsJobStore().update(*job);
        });
        Doc after = before;
        after.ccode = to;
        finish(tag, u"job-move"_s, ok, {{before, after}});
    }

    void deleteJob(const QString& tag, const QString& key)
    {
        const Doc job = m_docs[Doc::Job].value(key);
        QList<Touch> touched{{job, gone(Doc::Job, key)}};
        for (const Doc& line : std::as_const(m_docs[Doc::Line]))
            if (line.values[0] == job.values[0])
                touched.append({line, gone(Doc::Line, line.key)});
        // Cut off halfway, it keeps the lines not yet deleted: each line is whole on its own.
        const bool ok = attempt([&] { return AsJobStore().remove(static_cast<int>(job.values[0])); });
        finish(tag, u"job-delete"_s, ok, touched);
    }

    int m_desk;
    std::mt19937_64 m_rng;
    QTextStream& m_out;
    ScriptedPrompter m_prompter;
    QMap<QString, Doc> m_docs[4];
    QHash<QString, std::pair<QString, double>> m_salePrices;
    QHash<QString, ReceiveRecord> m_payments;
    QHash<QString, AsLineRecord> m_lines;
};

} // namespace

// Arguments: program folder, database, desk number, seed, operations, journal file, and the
// test cluster's nodes to work on (the desk's own first), else the test server.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 7 && args.size() != 8)
        return 2;
    Paths::setProgramFolder(args[1]);
    QFile file(args[6]);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 2;
    QTextStream journal(&file);
    test::ServerAccount server = args.size() == 8 ? test::testCluster() : test::testServer();
    if (args.size() == 8)
        server.host = args[7];
    if (!DBInit(server.host, server.user, server.password, args[2]))
        return 1;
    Desk desk(args[3].toInt(), args[4].toULongLong(), journal);
    desk.run(args[5].toInt());
    journal << "done\n";
    journal.flush();
    DBClose();
    return 0;
}
