#include "CallWithoutDesk.h"

#include "CallIntake.h"
#include "Clock.h"
#include "UdpRelay.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "Prompter.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

constexpr int kNoticeMs = 3000;

} // namespace

void AnnounceCall(const QString& rawNumber)
{
    // Sending needs no bound socket: a desk of this PC may hold the office port.
    UdpRelay relay;
    relay.prepareToSend();
    relay.announceCall(rawNumber);
}

void TakeCallWithoutDesk(const QString& rawNumber)
{
    AnnounceCall(rawNumber);
    Guarded(u"InputCID"_s, u"Module"_s, u"CallWithoutDesk"_s, 0, [&] {
        const CallIntake::Call call = CallIntake(DBMainConnection()).record(rawNumber, true, Clock::now());
        if (call.refusal == CallIntake::Refusal::TooLong)
            Prompter::current().error(u"잘못된 전화번호가 입력되었습니다."_s, u"잘못된 전화번호 입력"_s);
        else if (call.refusal == CallIntake::Refusal::None)
            ShowNotice(u"전화 수신: "_s + call.number + (call.name.isEmpty() ? QString() : u" "_s + call.name), kNoticeMs);
        return 0;
    });
}

} // namespace asv
