#pragma once

#include "StoreSql.h"

#include <QString>

namespace asv {

// A product's sale price and the VAT mode of a customer's line of it: the one place the slip, the
// sales store and the load harness ask. A failed statement has been shown by the data layer and
// answers 0 (false for the price change).
class ProductPrices : private StoreSql {
public:
    explicit ProductPrices(cMySQL* db = nullptr);

    double salePrice(const QString& pcode) const;
    // 0 (no VAT) when the product is tax-free, otherwise the customer's mode; a line without a
    // registered product, or an unknown product, takes the customer's.
    int vatMode(const QString& ccode, const QString& pcode) const;
    bool setSalePrice(const QString& pcode, double price) const;
};

} // namespace asv
