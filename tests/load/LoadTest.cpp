#include "LoadFaults.h"
#include "LoadRun.h"
#include "LoadServer.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using namespace asv::test;

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
    DBExecute(u"CREATE TABLE load_weight (n INT)"_s);

    LoadFaults faults(db.name(), server, seed);
    const DeskRun run(db.name(), seed, operations, [](int) { return QString(); },
                      [&faults](qint64 elapsedMs) { faults.runDue(elapsedMs); });
    const Afterwards after(run.journal);
    std::printf("[ load seed %llu: %d operations in %.1f s, %d succeeded, %d failed (error×count: %s); faults: %d "
                "connections killed, %d server restarts, %d rows held past the lock wait, %d deadlocks provoked "
                "(%d counted by the server, %d logged by the desks); differences: %lld documents, %lld half-written, "
                "%lld balances by the repair check, %lld by the formula ]\n",
                static_cast<unsigned long long>(seed), run.journal.operations, double(run.runMs) / 1000.0,
                run.journal.succeeded, run.journal.operations - run.journal.succeeded, qPrintable(run.failures()),
                faults.injected(LoadFaults::KillConnection), faults.injected(LoadFaults::Restart),
                faults.injected(LoadFaults::LockWait), faults.injected(LoadFaults::Deadlock), faults.deadlocksSeen(),
                run.deadlocksLogged, static_cast<long long>(after.documents.size()),
                static_cast<long long>(run.journal.halves.size()), static_cast<long long>(after.corrections.size()),
                static_cast<long long>(after.formula.size()));
    after.expectKept(run.journal, operations);
    for (int kind = 0; kind < LoadFaults::KindCount; ++kind)
        EXPECT_GT(faults.injected(static_cast<LoadFaults::Kind>(kind)), 0) << "fault kind " << kind;
}

