#include "MailMessage.h"

using namespace Qt::StringLiterals;

namespace asv {

QString MailMessage::addressProblem() const
{
    if (!toAddress.contains(u'@'))
        return u"받는사람 메일주소가 잘못되었습니다.\n"_s + toAddress;
    for (const QString& cc : ccAddresses)
        if (!cc.contains(u'@'))
            return u"참조 메일주소가 잘못되었습니다.\n"_s + cc;
    return {};
}

QString MailMessage::withoutParentheses(QString text)
{
    return text.replace(u'(', u' ').replace(u')', u' ');
}

} // namespace asv
