#include "DateText.h"

#include "modMsgBox.h"

using namespace Qt::StringLiterals;

namespace asv {

std::optional<QDate> DateText::parse(const QString& text)
{
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i != 4 && i != 7 && (text[i] < u'0' || text[i] > u'9'))
            return std::nullopt;
    }
    const QDate date(text.left(4).toInt(), text.mid(5, 2).toInt(), text.right(2).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString DateText::format(const QDate& date)
{
    return date.toString(u"yyyy-MM-dd"_s);
}

QString DateText::invalidMessage()
{
    return u"날짜의 입력형식이 잘못 되었거나, "_s + vbCrLf + u"존재하지 않는 날짜입니다."_s;
}

QString DateText::invalidTitle()
{
    return u"날짜입력 확인"_s;
}

} // namespace asv
