#include "DbTransaction.h"

#include "cMySQL.h"
#include "modMySQL_Func.h"

#include <QThread>
#include <exception>
#include <mysqld_error.h>

using namespace Qt::StringLiterals;

namespace asv {

bool DbTransaction::run(cMySQL& db, const std::function<bool()>& body)
{
    int deadlocks = 0;
    bool reconnected = false;
    for (;;) {
        db.setRetryingTransaction(true);
        db.query(u"START TRANSACTION"_s, false);
        bool done = false;
        std::exception_ptr thrown;
        try {
            done = db.lastErrno() == 0 && body();
        } catch (...) {
            thrown = std::current_exception();
        }
        // A cluster refuses a COMMIT that conflicts with another node's as a deadlock: nothing of it
        // was stored, so it runs again whole. A COMMIT whose answer was lost may have been stored.
        if (done)
            db.query(u"COMMIT"_s, false);
        const bool committed = done && db.lastErrno() == 0;
        const unsigned int err = committed ? 0 : db.lastErrno();
        db.setRetryingTransaction(false);
        if (committed)
            return true;
        const bool deadlock = err == ER_LOCK_DEADLOCK;
        const bool lost = cMySQL::isLostConnection(err) && (!done || db.transactionLost());
        const bool again = deadlock ? deadlocks++ < cMySQL::kDeadlockRetries : lost && !reconnected;
        reconnected = reconnected || lost;
        if (!again && (deadlock || cMySQL::isLostConnection(err)) && !thrown)
            db.reportLastFailure();
        // Never left open: the next document would otherwise join this one.
        db.query(u"ROLLBACK"_s, true);
        if (!again && thrown)
            std::rethrow_exception(thrown);
        if (!again)
            return false;
        if (deadlock)
            QThread::msleep(cMySQL::kDeadlockWaitMs);
    }
}

bool DbTransaction::run(const std::function<bool()>& body)
{
    return run(DBMainConnection(), body);
}

} // namespace asv
