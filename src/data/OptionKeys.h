#pragma once

#include "OptionKey.h"

#include <QList>

// The shared options that more than one place reads, with their defaults, in one place.
namespace asv::OptionKeys {

// Decimals shown and kept for quantities, unit prices and amounts (0 to 4).
inline const OptionKey QtyDecimals{QStringLiteral("수량소수점수"), QStringLiteral("0")};
inline const OptionKey PriceDecimals{QStringLiteral("단가소수점수"), QStringLiteral("0")};
inline const OptionKey AmountDecimals{QStringLiteral("금액소수점수"), QStringLiteral("0")};
// VAT rounding: 0 truncate, 1 round half up, 2 round up.
inline const OptionKey VatRounding{QStringLiteral("부가세소수처리"), QStringLiteral("0")};
// Changing a slip's unit price changes the product's base price too: purchases, sales.
inline const QList<OptionKey> BasePriceChange{{QStringLiteral("기초단가변경_0"), QStringLiteral("0")},
                                              {QStringLiteral("기초단가변경_1"), QStringLiteral("0")}};
// Stock alerts as bits: 1 outside the proper quantity, 2 out of stock.
inline const OptionKey StockAlert{QStringLiteral("적정재고부족알림"), QStringLiteral("3")};
inline const OptionKey StockShortage{QStringLiteral("재고부족시처리"), QStringLiteral("0")};
inline const OptionKey BarcodeLength{QStringLiteral("바코드자동생성길이"), QStringLiteral("6")};
// The largest quantity a slip line takes without asking.
inline const OptionKey SlipQuantityLimit{QStringLiteral("전표수량한도"), QStringLiteral("999999")};

} // namespace asv::OptionKeys
