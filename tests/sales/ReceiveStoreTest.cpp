#include "PaymentCommands.h"
#include "ReceiveFixture.h"
#include "ReceiveStore.h"
#include "cMySQL.h"

#include <QTextStream>
#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

struct ReceiveStoreTest : test::ReceiveFixture {
    static ReceiveRecord payment(const QString& ccode, double amount, double dc)
    {
        ReceiveRecord p;
        p.dealdate = u"2026-03-31"_s;
        p.ccode = ccode;
        p.amount = amount;
        p.dc = dc;
        p.dealtime = u"10:00"_s;
        return p;
    }
};

} // namespace

TEST_F(ReceiveStoreTest, AnEditAfterAnotherDeskMovedThePaymentFollowsTheMoney)
{
    ReceiveStore store;
    const int code = store.insert(payment(kA, 10000, 500));
    ASSERT_GT(code, 0);
    const ReceiveRecord loaded = *store.load(code);

    // The other desk moves it to the second customer while this one still shows the first.
    ReceiveRecord moved = loaded;
    moved.ccode = kB;
    ASSERT_EQ(store.update(loaded, moved), 1);

    ReceiveRecord edited = loaded;
    edited.amount = 8000;
    ASSERT_EQ(store.update(loaded, edited), 1);
    EXPECT_EQ(store.load(code)->ccode, kA);
    EXPECT_DOUBLE_EQ(balance(kA), 50000 - 8500);
    EXPECT_DOUBLE_EQ(balance(kB), 20000);

    // Deleted elsewhere: this desk's edit and delete change nothing and move nothing.
    ASSERT_TRUE(store.remove(code));
    EXPECT_DOUBLE_EQ(balance(kA), 50000);
    EXPECT_EQ(store.update(loaded, edited), 0);
    EXPECT_FALSE(store.remove(code));
    EXPECT_DOUBLE_EQ(balance(kA), 50000);
    EXPECT_EQ(test::balancesOffTheDocuments(), QStringList());
}

TEST_F(ReceiveStoreTest, TwoDesksEditingOnePaymentAtOnceLoseNothing)
{
    ReceiveStore store;
    const int code = store.insert(payment(kA, 10000, 500));
    ASSERT_GT(code, 0);
    constexpr int kEdits = 1000;
    std::atomic<int> written{0};

    // One desk raises the amount; the other raises the discount and moves the payment to and fro.
    auto desk = [&](bool movesIt) {
        std::unique_ptr<cMySQL> own = DBConnection(0)->connectAnother();
        ReceiveStore mine(own.get());
        for (int i = 0; i < kEdits; ++i) {
            const ReceiveRecord loaded = *mine.load(code);
            ReceiveRecord edited = loaded;
            if (movesIt) {
                edited.dc += 2;
                edited.ccode = loaded.ccode == kA ? kB : kA;
            } else {
                edited.amount += 1;
            }
            written += mine.update(loaded, edited);
        }
    };
    std::thread first(desk, false);
    std::thread second(desk, true);
    first.join();
    second.join();

    EXPECT_EQ(written, 2 * kEdits);
    const ReceiveRecord last = *store.load(code);
    EXPECT_DOUBLE_EQ(last.amount, 10000 + kEdits);
    EXPECT_DOUBLE_EQ(last.dc, 500 + 2 * kEdits);
    EXPECT_DOUBLE_EQ(balance(kA) + balance(kB), 70000 - last.total());
    EXPECT_EQ(test::balancesOffTheDocuments(), QStringList());
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}

TEST_F(ReceiveStoreTest, TheCommandLineEntersAPaymentAsTheScreenDoes)
{
    QString text;
    QTextStream out(&text);
    EXPECT_EQ(paymentAdd(out, {kA, u"10000"_s, u"--dc"_s, u"500"_s, u"--card"_s}), 0);
    EXPECT_DOUBLE_EQ(balance(kA), 50000 - 10500);
    const std::optional<ReceiveRecord> p = ReceiveStore().load(DBGetValue(u"SELECT MAX(code) FROM receive"_s).toInt());
    ASSERT_TRUE(p);
    EXPECT_EQ(p->type, 1);

    EXPECT_EQ(paymentAdd(out, {u"999999"_s, u"10000"_s}), 1);
    EXPECT_EQ(paymentAdd(out, {kA, u"0"_s}), 1);
    EXPECT_EQ(paymentAdd(out, {kA, u"만원"_s}), 2);
    EXPECT_EQ(paymentAdd(out, {kA, u"100"_s, u"--dc"_s}), 2);
    EXPECT_EQ(DBRecordCount(u"receive"_s), 1);
    EXPECT_EQ(test::balancesOffTheDocuments(), QStringList());
}
