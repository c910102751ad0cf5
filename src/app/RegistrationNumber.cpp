#include "RegistrationNumber.h"

#include <array>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

QString stripped(const QString& text)
{
    return QString(text).remove(u'-').trimmed();
}

bool allDigits(const QString& s)
{
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return !s.isEmpty();
}

int digit(const QString& s, int i)
{
    return s.at(i).unicode() - u'0';
}

int weightedSum(const QString& digits)
{
    static constexpr std::array<int, 12> weights{2, 3, 4, 5, 6, 7, 8, 9, 2, 3, 4, 5};
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += digit(digits, i) * weights[static_cast<size_t>(i)];
    return sum;
}

} // namespace

// The published rule for foreign registration numbers: the issuing-office number (digits 8-9)
// is even, the registrant kind (digit 12) is 6 to 9, and the check digit is the resident one
// shifted by 2, modulo 10.
bool RegistrationNumber::isForeignResident(const QString& digits)
{
    if ((digit(digits, 7) * 10 + digit(digits, 8)) % 2 != 0)
        return false;
    if (digit(digits, 11) < 6)
        return false;
    int check = 11 - weightedSum(digits) % 11;
    if (check >= 10)
        check -= 10;
    check = (check + 2) % 10;
    return check == digit(digits, 12);
}

bool RegistrationNumber::isResident(const QString& text)
{
    const QString d = stripped(text);
    if (d.size() != 13 || !allDigits(d))
        return false;
    if (d == u"9999999999999"_s)
        return true;
    const int gender = digit(d, 6);
    // Numbers of those born from October 2020 carry no check digit, foreigners' (7, 8) included.
    if (d.left(4).toInt() >= 2010 && (gender == 3 || gender == 4 || gender == 7 || gender == 8))
        return true;
    if (gender >= 5 && gender <= 8)
        return isForeignResident(d);
    const int check = (11 - weightedSum(d) % 11) % 10;
    return check == digit(d, 12);
}

bool RegistrationNumber::isBusiness(const QString& text)
{
    const QString d = stripped(text);
    if (d.size() != 10 || !allDigits(d))
        return false;
    static constexpr std::array<int, 8> weights{1, 3, 7, 1, 3, 7, 1, 3};
    int sum = 0;
    for (int i = 0; i < 8; ++i)
        sum += digit(d, i) * weights[static_cast<size_t>(i)];
    const int ninth = digit(d, 8) * 5;
    sum += ninth + ninth / 10;
    return (sum + digit(d, 9)) % 10 == 0;
}

std::optional<QString> RegistrationNumber::normalized(const QString& text)
{
    if (isResident(text)) {
        const QString d = stripped(text);
        // The placeholder for an unknown number stays as typed.
        if (d == u"9999999999999"_s)
            return text;
        return d.left(6) + u'-' + d.right(7);
    }
    if (isBusiness(text)) {
        const QString d = stripped(text);
        return d.left(3) + u'-' + d.mid(3, 2) + u'-' + d.right(5);
    }
    return std::nullopt;
}

QString RegistrationNumber::invalidMessage()
{
    return u"유효한 주민등록번호 또는 사업자등록 번호가 아닙니다."_s;
}

} // namespace asv
