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

} // namespace

int asAdd(QTextStream& out, const QString& ccode, const QString& pcode, const QString& text)
{
    return Guarded(u"asAdd"_s, u"Module"_s, kModule, 1, [&] {
        if (!CustomerStore::codeExists(ccode)) {
            out << "no customer with code " << ccode << '\n';
            return 1;
        }
        if (!ProductStore::load(pcode)) {
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
        const int code = AsJobStore::insert(job);
        if (code == 0)
            return 1;
        out << code << '\n';
        return 0;
    });
}

int asResult(QTextStream& out, const QString& job, const QString& resultCode, const QString& amount, bool isfree)
{
    return Guarded(u"asResult"_s, u"Module"_s, kModule, 1, [&] {
        bool numeric = false;
        AsLineRecord line;
        line.code = job.toInt();
        line.typecode2 = resultCode.toInt();
        line.amount = amount.toDouble(&numeric);
        line.isfree = isfree;
        const std::optional<AsJobRecord> found = AsJobStore::load(line.code);
        if (!found) {
            out << "no AS job with number " << job << '\n';
            return 1;
        }
        if (!numeric) {
            out << "not an amount: " << amount << '\n';
            return 1;
        }
        line.pcode = found->pcode;
        const QString offered = DBGetValue(u"SELECT COUNT(*) FROM ascode WHERE code = "_s + QString::number(line.typecode2)
                                           + u" AND "_s + AsCodeStore::offeredCondition(AsCodeRecord::Result, line.pcode));
        if (offered.toInt() == 0) {
            out << "no result code " << resultCode << " for the job's product\n";
            return 1;
        }
        const int seq = AsJobStore::saveLine(line);
        if (seq == 0)
            return 1;
        out << seq << '\n';
        return 0;
    });
}

} // namespace asv
