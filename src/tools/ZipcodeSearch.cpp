#include "ZipcodeSearch.h"

#include <QRegularExpression>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kColumns = u" SELECT 우편번호, 시도, 시군구, 행정동명, 법정동명, 읍면, 리명, 산여부, 지번본번, 지번부번,"
                         " 도로명, 지하여부, 건물번호본번, 건물번호부번, 다량배달처명, 시군구용건물명 FROM Post WHERE 1=1"_s;

// Every text that starts with the prefix sorts between it and it followed by the last code point.
QString prefixRange(const QString& column, const QString& prefix, QVariantList& values)
{
    values << prefix << QString(prefix + QString::fromUcs4(U"\U0010FFFF"));
    return u"(%1 >= ? AND %1 < ?)"_s.arg(column);
}

QString likeEscaped(QString text)
{
    text.replace(u'\\', u"\\\\"_s);
    text.replace(u'%', u"\\%"_s);
    text.replace(u'_', u"\\_"_s);
    return text;
}

} // namespace

QString ZipcodeSearch::refusal() const
{
    const QString w = word.trimmed();
    if (tab == Tab::Lot) {
        if (w.isEmpty())
            return u"[읍/면/동] 검색어를 입력하세요."_s;
        if (w.size() < 2)
            return u"[읍/면/동]을 2자 이상 검색어를 입력하세요."_s;
        if (!number.trimmed().isEmpty() && !parseNumber(number))
            return u"지번주소는 숫자 형식만 입력 해야 합니다. 확인 해주세요!"_s;
        return {};
    }
    if (w.size() < 2)
        return u"[도로명]을 2자 이상 검색어를 입력하세요."_s;
    if (!number.trimmed().isEmpty() && !parseNumber(number))
        return u"건물번호는 숫자 형식만 입력 해야 합니다. 확인 해주세요!"_s;
    return {};
}

QString ZipcodeSearch::zipcode() const
{
    QString digits;
    for (const QChar c : word) {
        if (c == u'-' || c.isSpace())
            continue;
        // Full-width digits come from a Hangul input method.
        if (!c.isDigit())
            return {};
        digits += QChar(char16_t(u'0' + c.digitValue()));
    }
    return digits;
}

std::optional<ZipcodeSearch::Number> ZipcodeSearch::parseNumber(const QString& text)
{
    static const QRegularExpression form(u"^([0-9]{1,9})(?:-([0-9]{1,9}))?$"_s);
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    Number n{m.captured(1).toInt(), std::nullopt};
    if (m.hasCaptured(2))
        n.sub = m.captured(2).toInt();
    return n;
}

QString ZipcodeSearch::sql(QVariantList& values) const
{
    QString s = kColumns;
    if (!district.isEmpty()) {
        // Only a filter: a word's index finds far fewer rows than a whole district.
        s += u" AND +시군구 = ?"_s;
        values << district;
    }
    const QString w = word.trimmed();
    const bool lot = tab == Tab::Lot;
    if (const QString code = zipcode(); !code.isEmpty()) {
        s += u" AND 우편번호 = ?"_s;
        values << code;
    } else if (lot) {
        QStringList any;
        for (const QString& column : {u"행정동명"_s, u"법정동명"_s, u"읍면"_s, u"리명"_s})
            any << prefixRange(column, w, values);
        s += u" AND ("_s + any.join(u" OR "_s) + u')';
    } else {
        s += u" AND (도로명 = ? OR 도로명 = ?)"_s;
        values << w << QString(w).replace(u'.', u'·');
    }
    if (const auto n = parseNumber(number)) {
        s += lot ? u" AND 지번본번 = ?"_s : u" AND 건물번호본번 = ?"_s;
        values << n->main;
        if (n->sub) {
            s += lot ? u" AND 지번부번 = ?"_s : u" AND 건물번호부번 = ?"_s;
            values << *n->sub;
        }
    }
    if (!buildingName.trimmed().isEmpty()) {
        s += u" AND 시군구용건물명 LIKE ? ESCAPE '\\'"_s;
        values << QString(u'%' + likeEscaped(buildingName.trimmed()) + u'%');
    }
    s += lot ? u" ORDER BY 시도, 시군구, 법정동명, 읍면, 리명, 지번본번, 지번부번, 도로명, 건물번호본번, 건물번호부번"_s
             : u" ORDER BY 우편번호, 시도, 시군구, 도로명, 건물번호본번, 건물번호부번, 읍면, 리명, 법정동명, 지번본번, 지번부번"_s;
    return s;
}

QStringList ZipcodeSearch::notFoundLines() const
{
    QStringList lines{u"해당 주소를 찾을 수 없습니다."_s, u"검색어 : "_s + word.trimmed()};
    if (!number.trimmed().isEmpty())
        lines << (tab == Tab::Lot ? u"지번 : "_s : u"건물번호 : "_s) + number.trimmed();
    return lines;
}

} // namespace asv
