#include "LoadRun.h"

#include "DocumentBalances.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QDir>
#include <algorithm>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <random>

using namespace Qt::StringLiterals;

namespace asv::test {

namespace {

constexpr qint64 kRunLimitMs = 250000;

struct Desk {
    QTemporaryDir home;
    QProcess process;
};

// Each stored document as its desk last expected it, and no tagged row besides.
QStringList documentDifferences(const Journals& journals)
{
    QStringList differences;
    int expected[4] = {};
    for (const LoadDocument& want : journals.documents) {
        const std::optional<QList<LoadDocument>> rows = LoadDocument::stored(want.kind, want.key);
        const auto storedAs = [&rows](const LoadDocument& state) {
            return rows && (state.exists ? rows->size() == 1 && rows->first().sameAs(state) : rows->isEmpty());
        };
        const QList<LoadDocument> doubted = journals.doubts.value(want.key);
        const bool same = storedAs(want) || std::any_of(doubted.begin(), doubted.end(), storedAs);
        expected[want.kind] += doubted.isEmpty() ? want.exists : rows && !rows->isEmpty();
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

quint64 settingOr(const char* name, quint64 fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value.toULongLong();
}

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
}

void Journals::read(const QString& path)
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
        } else if (fields[0] == u"doubt"_s) {
            if (const std::optional<LoadDocument> d = LoadDocument::fromJournal(line.section(u'\t', 1)))
                doubts[d->key].append(*d);
        } else if (const std::optional<LoadDocument> d = LoadDocument::fromJournal(line)) {
            documents.insert(d->key, *d);
            doubts.remove(d->key);
        }
    }
}

DeskRun::DeskRun(const QString& database, quint64 seed, int operations, const std::function<QString(int desk)>& nodesOf,
        const std::function<void(qint64 elapsedMs)>& faultsDue)
{
    // ASV_LOAD_JOURNALS names a folder that keeps the desks' journals, to look into a failed run.
    QTemporaryDir temporary;
    const QString kept = qEnvironmentVariable("ASV_LOAD_JOURNALS");
    const QDir journals(kept.isEmpty() ? temporary.path() : kept);
    journals.mkpath(u"."_s);
    std::unique_ptr<Desk> desks[kDesks];
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The data layer's warning per failed statement would drown the test's output.
    env.insert(u"QT_LOGGING_RULES"_s, u"asv.*=false"_s);
    for (int n = 0; n < kDesks; ++n) {
        desks[n] = std::make_unique<Desk>();
        desks[n]->process.setProcessEnvironment(env);
        desks[n]->process.setProcessChannelMode(QProcess::ForwardedChannels);
        QStringList args{desks[n]->home.path(), database, QString::number(n), QString::number(seed),
                         QString::number(operations / kDesks), journals.filePath(u"desk%1"_s.arg(n))};
        if (const QString nodes = nodesOf(n); !nodes.isEmpty())
            args << nodes;
        desks[n]->process.start(QStringLiteral(ASV_LOAD_DESK), args);
    }
    QElapsedTimer clock;
    clock.start();
    const auto running = [&desks] {
        return std::any_of(std::begin(desks), std::end(desks),
                           [](const auto& d) { return d->process.state() != QProcess::NotRunning; });
    };
    while (running() && clock.elapsed() < kRunLimitMs) {
        faultsDue(clock.elapsed());
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    runMs = clock.elapsed();
    for (auto& d : desks)
        if (d->process.state() != QProcess::NotRunning) {
            d->process.kill();
            d->process.waitForFinished(5000);
        }
    for (int n = 0; n < kDesks; ++n) {
        journal.read(journals.filePath(u"desk%1"_s.arg(n)));
        deadlocksLogged += linesIn(desks[n]->home.filePath(u"log/Deadlock_log.txt"_s));
    }
}

QString DeskRun::failures() const
{
    QStringList list;
    for (auto it = journal.failures.cbegin(); it != journal.failures.cend(); ++it)
        list << u"%1×%2"_s.arg(it.key()).arg(it.value());
    return list.join(u", "_s);
}

Afterwards::Afterwards(const Journals& journal)
    : documents(documentDifferences(journal)), corrections(BalanceRepair::check()),
      // Every customer by one statement of its own, against the running balance.
      formula(balancesOffTheDocuments()), formulaRead(!DBLastFailed())
{
}

void Afterwards::expectKept(const Journals& journal, int operations) const
{
    EXPECT_EQ(journal.finished, kDesks);
    EXPECT_EQ(journal.operations, operations / kDesks * kDesks);
    EXPECT_TRUE(journal.halves.isEmpty()) << journal.halves.mid(0, 10).join(u'\n').toStdString();
    EXPECT_TRUE(documents.isEmpty()) << documents.mid(0, 10).join(u'\n').toStdString();
    EXPECT_TRUE(corrections.isEmpty()) << corrections.first().code.toStdString();
    EXPECT_TRUE(formulaRead);
    EXPECT_TRUE(formula.isEmpty()) << formula.mid(0, 10).join(u'\n').toStdString();
    // Most work gets through the faults; a desk that fails everything is broken, not unlucky.
    EXPECT_GT(journal.succeeded, journal.operations * 8 / 10);
}
} // namespace asv::test
