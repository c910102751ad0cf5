#include "SmsList.h"

#include "Cp949.h"
#include "modMsgBox.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace asv {

QString SmsList::cleanName(QString name, bool fromGrid)
{
    name.remove(u';').remove(u':');
    if (fromGrid)
        name.remove(u',');
    return name;
}

QStringList SmsList::splitNumbers(const QString& cell)
{
    QStringList numbers;
    QString rest = cell;
    while (!rest.isEmpty()) {
        const qsizetype comma = rest.indexOf(u',');
        if (comma <= 0) {
            numbers.append(rest);
            break;
        }
        numbers.append(rest.left(comma).trimmed());
        rest = rest.mid(comma + 1).trimmed();
    }
    return numbers;
}

std::optional<QString> SmsList::refusal(const QStringList& texts)
{
    for (const QString& text : texts) {
        if (const qsizetype i = Cp949::firstUnencodable(text); i >= 0)
            return Cp949::unencodableMessage(text, i);
    }
    return std::nullopt;
}

std::optional<QString> SmsList::refusal(const QList<SmsRecipient>& recipients)
{
    QStringList texts;
    for (const SmsRecipient& r : recipients)
        texts << r.numbers << r.name;
    return refusal(texts);
}

SmsList::Lines SmsList::lines(const QList<SmsRecipient>& recipients)
{
    enum class Repeats { Undecided, Drop, Send };
    Repeats repeats = Repeats::Undecided;
    QSet<QString> written;
    Lines out;
    for (const SmsRecipient& r : recipients) {
        const QString name = cleanName(r.name, true);
        for (const QString& number : splitNumbers(r.numbers)) {
            const bool fresh = !written.contains(number.trimmed());
            if (fresh)
                written.insert(number.trimmed());
            if (!fresh && repeats == Repeats::Undecided) {
                const MsgAnswer a = MsgYesNoCancel(
                    u"선택한 고객중에 핸드폰 번호가 중복 되어 있는 고객이 있습니다.  "_s + vbCrLf
                    + u"  - 중복 제거 하시겠으면 [예]"_s + vbCrLf + u"  - 중복 전송 하시겠으면 [아니요]"_s + vbCrLf
                    + u"  - 전송 취소 하시겠으면 [취소]"_s + vbCrLf + u"를 선택 하세요."_s);
                if (a == MsgAnswer::Cancel) {
                    out.complete = false;
                    return out;
                }
                repeats = a == MsgAnswer::Yes ? Repeats::Drop : Repeats::Send;
            }
            if (fresh || repeats == Repeats::Send)
                out.lines.append(number + u',' + name);
        }
    }
    return out;
}

QByteArray SmsList::encode(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += Cp949::encode(line) + "\r\n";
    return bytes;
}

} // namespace asv
