#include "SharedOptions.h"

#include "ConfigKeys.h"
#include "OptionKeys.h"

namespace asv {

SharedOptions& SharedOptions::current()
{
    static SharedOptions options;
    return options;
}

bool ReadOptions()
{
    using namespace OptionKeys;
    // After the first failure the others are not read: one message is enough.
    bool allRead = true;
    auto option = [&allRead](const OptionKey& key) { return allRead ? key.number(&allRead) : 0; };

    SharedOptions read;
    read.oneLineSubtotal = ConfigKeys::OneLineSubtotal.get();
    read.qtyDecimals = option(QtyDecimals);
    read.priceDecimals = option(PriceDecimals);
    read.amountDecimals = option(AmountDecimals);
    read.vatRounding = option(VatRounding);
    for (int i = 0; i < 2; ++i)
        read.basePriceChange[i] = option(BasePriceChange[i]) == 1;
    read.stockAlert = option(StockAlert);
    read.stockShortage = option(StockShortage) == 1;
    read.showTrailingZeros = ConfigKeys::ShowTrailingZeros.get();
    if (!allRead)
        return false;
    SharedOptions::current() = read;
    return true;
}

} // namespace asv
