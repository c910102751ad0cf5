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
        const unsigned int err = done ? 0 : db.lastErrno();
        db.setRetryingTransaction(false);
        if (done) {
            db.query(u"COMMIT"_s, false);
            return db.lastErrno() == 0;
        }
        const bool deadlock = err == ER_LOCK_DEADLOCK;
        const bool lost = cMySQL::isLostConnection(err);
        const bool again = deadlock ? deadlocks++ < cMySQL::kDeadlockRetries : lost && !reconnected;
        reconnected = reconnected || lost;
        if (!again && (deadlock || lost) && !thrown)
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
    return run(*DBConnection(0), body);
}

} // namespace asv
