#include "SharedOptions.h"

#include "ConfigKeys.h"
#include "modMain_SQL.h"

using namespace Qt::StringLiterals;

namespace asv {

SharedOptions& SharedOptions::current()
{
    static SharedOptions options;
    return options;
}

bool ReadOptions()
{
    // After the first failure the others are not read: one message is enough.
    bool allRead = true;
    auto option = [&](const QString& name, const QString& defaultValue) {
        if (!allRead)
            return 0;
        return GetOption(name, defaultValue, &allRead).trimmed().toInt();
    };

    SharedOptions read;
    read.oneLineSubtotal = ConfigKeys::OneLineSubtotal.get();
    read.qtyDecimals = option(u"수량소수점수"_s, u"0"_s);
    read.priceDecimals = option(u"단가소수점수"_s, u"0"_s);
    read.amountDecimals = option(u"금액소수점수"_s, u"0"_s);
    read.vatRounding = option(u"부가세소수처리"_s, u"0"_s);
    for (int i = 0; i < 2; ++i)
        read.basePriceChange[i] = option(u"기초단가변경_"_s + QString::number(i), u"0"_s) == 1;
    read.stockAlert = option(u"적정재고부족알림"_s, u"3"_s);
    read.stockShortage = option(u"재고부족시처리"_s, u"0"_s) == 1;
    read.showTrailingZeros = ConfigKeys::ShowTrailingZeros.get();
    if (!allRead)
        return false;
    SharedOptions::current() = read;
    return true;
}

} // namespace asv
