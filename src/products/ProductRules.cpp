#include "ProductRules.h"

#include "Cp949.h"
#include "modBarCode.h"
#include "modMsgBox.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

bool allDigits(const QString& text)
{
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

bool IsFreeTextProduct(const QString& code)
{
    return code == kFreeTextProduct;
}

int Gs1CheckDigit(const QString& digits)
{
    int sum = 0;
    int weight = 3;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        sum += digits[i].digitValue() * weight;
        weight = 4 - weight;
    }
    return (10 - sum % 10) % 10;
}

std::optional<QString> BarcodeWithCheckDigit(const QString& typed)
{
    const QString barcode = ConvBarCode(typed);
    if (barcode.size() == 13)
        return barcode;
    // Letters have no check digit: such a code is refused like one of the wrong length.
    if (barcode.size() != 12 || !allDigits(barcode))
        return std::nullopt;
    return barcode + QString::number(Gs1CheckDigit(barcode));
}

QString CheckDigitExplanation()
{
    return u"체크 디지트는 바코드 12자리 입력시 자동으로"_s + vbCrLf + u"마지막자리(13번째)에 체크 디지트 값을 입력해 주는 기능입니다."_s
        + vbCrLf + u"(계산방식: 모듈러 10 알고리즘)"_s;
}

bool UnitFits(const QString& unit)
{
    return Cp949::byteLength(unit) <= kUnitBytes;
}

QString UnitTooLongMessage()
{
    return u"단위의 최대길이는 영문10자(한글5자)입니다."_s;
}

int GeneratedBarcodeLength(const QString& option)
{
    return std::max(6, option.trimmed().toInt());
}

QString NameWithNorm(const QString& name, const QString& norm)
{
    return norm.isEmpty() ? name : name + u'(' + norm + u')';
}

QString NameNormTakenWarning(const QString& name, const QString& norm, const QStringList& registeredNorms)
{
    constexpr qsizetype kShownNorms = 10;
    const QString heavy = u"======================================"_s;
    QStringList lines{NameWithNorm(name, norm) + u"는 이미 등록된 상품명(규격)입니다."_s, QString(), heavy,
                      u"       ◇ 동일 상품 규격 리스트 ◇"_s, u"--------------------------------------"_s};
    lines << registeredNorms.mid(0, kShownNorms);
    if (registeredNorms.size() > kShownNorms)
        lines << u"..."_s;
    lines << heavy;
    return lines.join(vbCrLf);
}

QString ClassInUseMessage()
{
    return u"선택된 분류에 속하는 상품이 존재하므로 삭제할 수 없습니다."_s + vbCrLf + vbCrLf + u"상품을 먼저 삭제해 주세요."_s;
}

QString TaxModeText(int taxmode)
{
    return taxmode == 0 ? u"면세"_s : u"과세"_s;
}

} // namespace asv
