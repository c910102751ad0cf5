#include "AsCommands.h"

#include "AsCodeStore.h"
#include "AsJobStore.h"
#include "Clock.h"
#include "CustomerStore.h"
#include "ProductStore.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kModule = u"AsCommands"_s;

// The code given when the line dialog offers it for the product; without one, the first entry of
// the dialog's list, as an operator taking the first choice would save it.
std::optional<int> offeredCode(int part, const QString& pcode, const QString& given)
{
    QString sql = u"SELECT code FROM ascode WHERE "_s + AsCodeStore::offeredCondition(part, pcode);
    if (!given.isEmpty())
        sql += u" AND code = "_s + QString::number(given.toInt());
    const QString code = DBGetValue(sql + u" ORDER BY code, name LIMIT 1"_s);
    if (DBLastFailed() || code.isEmpty())
        return std::nullopt;
    return code.toInt();
}

} // namespace

int asAdd(QTextStream& out, const QString& ccode, const QString& pcode, const QString& text)
{
    return Guarded(u"asAdd"_s, u"Module"_s, kModule, 1, [&] {
        if (!CustomerStore().codeExists(ccode)) {
            out << "no customer with code " << ccode << '\n';
            return 1;
        }
        if (!ProductStore().load(pcode)) {
            out << "no product with code " << pcode << '\n';
            return 1;
        }
        AsJobRecord job;
        job.ccode = ccode;
        job.pcode = pcode;
        job.dealbigo = text;
        const QDateTime now = Clock::now();
        job.dealdate = now.toString(u"yyyy-MM-dd"_s);
        job.dealtime = now.toString(u"HH:mm"_s);
        const int code = AsJobStore().insert(job);
        if (code == 0)
            return 1;
        out << code << '\n';
        return 0;
    });
}

int asResult(QTextStream& out, QStringList args)
{
    const bool isfree = args.removeAll(u"--free"_s) > 0;
    QString cause;
    if (const qsizetype i = args.indexOf(u"--cause"_s); i >= 0) {
        if (i + 1 >= args.size())
            return 2;
        cause = args.takeAt(i + 1);
        args.removeAt(i);
    }
    if (args.size() != 3)
        return 2;
    const QString& job = args[0];
    const QString& resultCode = args[1];
    const QString& amount = args[2];
    return Guarded(u"asResult"_s, u"Module"_s, kModule, 1, [&] {
        bool numeric = false;
        AsLineRecord line;
        line.code = job.toInt();
        line.amount = amount.toDouble(&numeric);
        line.isfree = isfree;
        const std::optional<AsJobRecord> found = AsJobStore().load(line.code);
        if (!found) {
            out << "no AS job with number " << job << '\n';
            return 1;
        }
        if (!numeric) {
            out << "not an amount: " << amount << '\n';
            return 1;
        }
        line.pcode = found->pcode;
        const std::optional<int> result = offeredCode(AsCodeRecord::Result, line.pcode, resultCode);
        if (!result) {
            out << "no result code " << resultCode << " for the job's product\n";
            return 1;
        }
        const std::optional<int> chosenCause = offeredCode(AsCodeRecord::Cause, line.pcode, cause);
        if (!chosenCause) {
            out << (cause.isEmpty() ? u"no cause code for the job's product"_s : u"no cause code "_s + cause
                        + u" for the job's product"_s)
                << '\n';
            return 1;
        }
        line.typecode1 = *chosenCause;
        line.typecode2 = *result;
        const int seq = AsJobStore().saveLine(line);
        if (seq == 0)
            return 1;
        out << seq << '\n';
        return 0;
    });
}

} // namespace asv
