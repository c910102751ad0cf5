#include "BalanceRepair.h"
#include "DocumentBalances.h"
#include "LoadDocument.h"
#include "LoadFaults.h"
#include "LoadServer.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <random>

using namespace Qt::StringLiterals;
using namespace asv;
using namespace asv::test;

namespace {

constexpr int kDesks = 10;
constexpr qint64 kRunLimitMs = 250000;

quint64 settingOr(const char* name, quint64 fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value.toULongLong();
}

// What the desks wrote down, merged.
struct Journals {
    int operations = 0;
    int succeeded = 0;
    int finished = 0;
    QMap<int, int> failures; // by the error number shown, 0 when none was shown
    QStringList halves;
    QMap<QString, LoadDocument> documents; // the last expectation per key

    void read(const QString& path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return;
        for (const QByteArray& raw : f.readAll().split('\n')) {
            const QString line = QString::fromUtf8(raw);
            const QStringList fields = line.split(u'\t');
            if (fields[0] == u"op"_s && fields.size() == 5) {
                ++operations;
                if (fields[3] == u"ok"_s)
                    ++succeeded;
                else
                    ++failures[fields[4].toInt()];
            } else if (fields[0] == u"half"_s) {
                halves << line;
            } else if (fields[0] == u"done"_s) {
                ++finished;
            } else if (const std::optional<LoadDocument> d = LoadDocument::fromJournal(line)) {
                documents.insert(d->key, *d);
            }
        }
    }
};

struct Desk {
    QTemporaryDir home;
    QProcess process;
};

void setUpCustomersAndProducts(quint64 seed)
{
    std::mt19937_64 rng(seed);
    DBExecute(u"INSERT INTO local_user (code, name) VALUES ('01', '김영업')"_s);
    QStringList rows;
    for (int i = 0; i < kLoadProducts; ++i)
        rows << u"('%1', '부품 %2', %3, %4)"_s.arg(loadProduct(i)).arg(i).arg(i % 3 == 0 ? 0 : 1).arg(1005 + 250 * i);
    DBExecute(u"INSERT INTO product (code, name, taxmode, saleprice) VALUES "_s + rows.join(u','));
    rows.clear();
    for (int i = 0; i < kLoadCustomers; ++i) {
        const qint64 opening = static_cast<qint64>(rng() % 100) * 1000;
        rows << u"('%1', '거래처 %2', %3, %4, %4, '01')"_s.arg(loadCustomer(i)).arg(i).arg(rng() % 3).arg(opening);
    }
    DBExecute(u"INSERT INTO customer (code, compname, taxmode, basemoney, nowmoney, charge) VALUES "_s
              + rows.join(u','));
    DBExecute(u"CREATE TABLE load_weight (n INT)"_s);
}

// Each stored document as its desk last expected it, and no tagged row besides.
QStringList documentDifferences(const Journals& journals)
{
    QStringList differences;
    int expected[4] = {};
    for (const LoadDocument& want : journals.documents) {
        const std::optional<QList<LoadDocument>> rows = LoadDocument::stored(want.kind, want.key);
        expected[want.kind] += want.exists;
        const bool same = rows && (want.exists ? rows->size() == 1 && rows->first().sameAs(want) : rows->isEmpty());
        if (!same)
            differences << u"%1: expected %2, stored %3"_s.arg(want.key, want.text(),
                                                              rows && !rows->isEmpty() ? rows->first().text()
                                                                                       : u"nothing"_s);
    }
    for (int kind = 0; kind < 4; ++kind) {
        const int tagged = LoadDocument::taggedRows(static_cast<LoadDocument::Kind>(kind));
        if (tagged != expected[kind])
            differences << u"kind %1: %2 tagged rows, %3 expected"_s.arg(kind).arg(tagged).arg(expected[kind]);
    }
    return differences;
}

int linesIn(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? static_cast<int>(f.readAll().count('\n')) : 0;
}

} // namespace

// Ten desks post, edit and delete documents of the same fifty customers while connections are
// killed, the server dies and comes back, rows are held past the lock wait and deadlocks strike.
// ASV_LOAD_SEED replays a run; ASV_LOAD_OPS changes its size.
TEST(Load, TenDesksUnderFaultsLoseNothingAndCountNothingTwice)
{
    const quint64 seed = settingOr("ASV_LOAD_SEED", 20261206);
    const int operations = static_cast<int>(settingOr("ASV_LOAD_OPS", 10000));
    LoadServer server(u"--innodb-lock-wait-timeout=2"_s);
    TestDatabase db;
    setUpCustomersAndProducts(seed);

    QTemporaryDir journals;
    std::unique_ptr<Desk> desks[kDesks];
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The data layer's warning per failed statement would drown the test's output.
    env.insert(u"QT_LOGGING_RULES"_s, u"asv.*=false"_s);
    for (int n = 0; n < kDesks; ++n) {
        desks[n] = std::make_unique<Desk>();
        desks[n]->process.setProcessEnvironment(env);
        desks[n]->process.setProcessChannelMode(QProcess::ForwardedChannels);
        desks[n]->process.start(QStringLiteral(ASV_LOAD_DESK),
                                {desks[n]->home.path(), db.name(), QString::number(n), QString::number(seed),
                                 QString::number(operations / kDesks), journals.filePath(u"desk%1"_s.arg(n))});
    }

    LoadFaults faults(db.name(), server, seed);
    QElapsedTimer clock;
    clock.start();
    const auto running = [&desks] {
        return std::any_of(std::begin(desks), std::end(desks),
                           [](const auto& d) { return d->process.state() != QProcess::NotRunning; });
    };
    while (running() && clock.elapsed() < kRunLimitMs) {
        faults.runDue(clock.elapsed());
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    const qint64 runMs = clock.elapsed();
    for (auto& d : desks)
        if (d->process.state() != QProcess::NotRunning) {
            d->process.kill();
            d->process.waitForFinished(5000);
        }

    Journals journal;
    int deadlocksLogged = 0;
    for (int n = 0; n < kDesks; ++n) {
        journal.read(journals.filePath(u"desk%1"_s.arg(n)));
        deadlocksLogged += linesIn(desks[n]->home.filePath(u"log/Deadlock_log.txt"_s));
    }
    const QStringList documents = documentDifferences(journal);
    const QList<BalanceRepair::Correction> corrections = BalanceRepair::check();
    // Every customer by one statement of its own, against the running balance.
    const QStringList formula = balancesOffTheDocuments();
    const bool formulaRead = !DBLastFailed();

    QStringList failures;
    for (auto it = journal.failures.cbegin(); it != journal.failures.cend(); ++it)
        failures << u"%1×%2"_s.arg(it.key()).arg(it.value());
    std::printf("[ load seed %llu: %d operations in %.1f s, %d succeeded, %d failed (error×count: %s); faults: %d "
                "connections killed, %d server restarts, %d rows held past the lock wait, %d deadlocks provoked "
                "(%d counted by the server, %d logged by the desks); differences: %lld documents, %lld half-written, "
                "%lld balances by the repair check, %lld by the formula ]\n",
                static_cast<unsigned long long>(seed), journal.operations, double(runMs) / 1000.0, journal.succeeded,
                journal.operations - journal.succeeded, qPrintable(failures.join(u", "_s)),
                faults.injected(LoadFaults::KillConnection), faults.injected(LoadFaults::Restart),
                faults.injected(LoadFaults::LockWait), faults.injected(LoadFaults::Deadlock), faults.deadlocksSeen(),
                deadlocksLogged, static_cast<long long>(documents.size()), static_cast<long long>(journal.halves.size()),
                static_cast<long long>(corrections.size()), static_cast<long long>(formula.size()));

    EXPECT_EQ(journal.finished, kDesks);
    EXPECT_EQ(journal.operations, operations / kDesks * kDesks);
    EXPECT_TRUE(journal.halves.isEmpty()) << journal.halves.mid(0, 10).join(u'\n').toStdString();
    EXPECT_TRUE(documents.isEmpty()) << documents.mid(0, 10).join(u'\n').toStdString();
    EXPECT_TRUE(corrections.isEmpty()) << corrections.first().code.toStdString();
    EXPECT_TRUE(formulaRead);
    EXPECT_TRUE(formula.isEmpty()) << formula.mid(0, 10).join(u'\n').toStdString();
    for (int kind = 0; kind < LoadFaults::KindCount; ++kind)
        EXPECT_GT(faults.injected(static_cast<LoadFaults::Kind>(kind)), 0) << "fault kind " << kind;
    // Most work gets through the faults; a desk that fails everything is broken, not unlucky.
    EXPECT_GT(journal.succeeded, journal.operations * 8 / 10);
}
