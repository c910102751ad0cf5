#include "DuplicateQuestion.h"

#include "modMsgBox.h"

using namespace Qt::StringLiterals;

namespace asv {

QString DuplicateQuestion(const QString& value, const QString& label)
{
    return u"『"_s + value + u"』는 이미 등록된 "_s + label + u"입니다."_s + vbCrLf + vbCrLf
        + u"그래도, 등록하시겠습니까?"_s;
}

QString DuplicateTitle(const QString& label)
{
    return u"동일 "_s + label.trimmed() + u" 발견"_s;
}

bool AskRegisterAnyway(const QString& value, const QString& label)
{
    return MsgYesNo(DuplicateQuestion(value, label), DuplicateTitle(label)) == MsgAnswer::Yes;
}

} // namespace asv
