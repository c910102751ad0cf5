#include "CallCommands.h"

#include "CallIntake.h"
#include "CallWithoutDesk.h"
#include "Clock.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

namespace asv {

int callCommand(QTextStream& out, const QString& number, bool announceOnly)
{
    // Announced first, as a desk does, so the other desks show the call while it is being stored.
    AnnounceCall(number);
    if (announceOnly)
        return 0;
    return Guarded(u"callCommand"_s, u"Module"_s, u"CallCommands"_s, 1, [&] {
        const CallIntake::Call call = CallIntake(DBMainConnection()).record(number, true, Clock::now());
        if (call.refusal != CallIntake::Refusal::None) {
            MsgWarn(u"잘못된 전화번호가 입력되었습니다."_s);
            return 1;
        }
        out << call.code << '\t' << call.number << '\t' << call.name << '\t'
            << (call.customer ? call.customer->code : QString()) << '\n';
        return 0;
    });
}

} // namespace asv
