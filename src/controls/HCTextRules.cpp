#include "HCTextRules.h"

#include "Cp949.h"
#include "modMsgBox.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

std::optional<int> twoDigitNumber(QStringView text)
{
    if (text.isEmpty() || text.size() > 2)
        return std::nullopt;
    int n = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

} // namespace

std::optional<QString> FormatTimeText(const QString& text)
{
    QStringView hours;
    QStringView minutes;
    const QStringView t(text);
    switch (t.size()) {
    case 1:
    case 2:
        hours = t;
        minutes = u"00";
        break;
    case 3:
        hours = t.left(1);
        minutes = t.right(2);
        break;
    case 4:
    case 5:
        hours = t.left(2);
        minutes = t.right(2);
        break;
    default:
        return std::nullopt;
    }
    const auto h = twoDigitNumber(hours);
    const auto m = twoDigitNumber(minutes);
    if (!h || !m || *h > 23 || *m > 59)
        return std::nullopt;
    return u"%1:%2"_s.arg(*h, 2, 10, QChar(u'0')).arg(*m, 2, 10, QChar(u'0'));
}

QString TimeFormatMessage(const QString& text)
{
    return u"["_s + text + u"]는 시간형식이 아닙니다.(00:00~23:59)"_s + vbCrLf + u"시:분 방식으로 입력하세요."_s
        + vbCrLf + u"예) 14:25 또는 1425"_s + vbCrLf + u"     01:05 또는 0105"_s;
}

QString FormatPatternNo(const QString& text)
{
    QString digits = text;
    digits.remove(u'-');
    if (digits.isEmpty())
        return text;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return text;
    }
    if (digits.size() < 10)
        digits = digits.rightJustified(10, u'0');
    const qsizetype first = digits.size() - 7;
    return digits.left(first) + u'-' + digits.mid(first, 3) + u'-' + digits.right(4);
}

QString CutToByteLength(const QString& text, qsizetype maxBytes)
{
    qsizetype bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const qsizetype width = Cp949::byteLength(QStringView(text).mid(i, len));
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        i += len;
    }
    return text.left(i);
}

QString MaxLengthMessage(qsizetype currentBytes, qsizetype maxBytes)
{
    return u"최대 입력 길이를 초과하였습니다. 입력된 자료는 길이에 맞게 자동으로 짤립니다."_s + vbCrLf + vbCrLf
        + u"현재 입력된 길이는 "_s + QString::number(currentBytes) + u" 이며, 최대입력 길이는 "_s
        + QString::number(maxBytes) + u" 입니다."_s + vbCrLf + u"(한글은 한 글자당 길이가 2입니다.)"_s;
}

QString MaxLengthTitle()
{
    return u"입력길이 초과"_s;
}

} // namespace asv
