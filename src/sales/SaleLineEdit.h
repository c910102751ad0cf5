#pragma once

#include "SaleStore.h"

#include <QString>
#include <functional>
#include <optional>

namespace asv {

// What one edited cell of a stored sale line changes: the statement's parts and the cells shown
// afterwards. No widgets and no database: the product facts come through the catalogue.
class SaleLineEdit {
public:
    enum class Field { Day, Product, Norm, Quantity, Price, Amount, Tax, ReceiptMemo, Charge, Receiver, Serial, Memo };

    // The line's cells as the slip shows them once the operator's text is in.
    struct Cells {
        QString pcode;
        QString pname;
        QString pnorm;
        QString unit;
        QString bcode;
        QString charge;
        double qnt = 0;
        double price = 0;
        double amount = 0;
        double tax = 0;
    };

    struct Product {
        QString unit;
        QString bcode;
        double saleprice = 0;
    };

    struct Catalogue {
        // The VAT mode of this customer's line of that product.
        std::function<int(const QString& pcode)> vatType;
        std::function<std::optional<Product>(const QString& pcode)> product;
        // The registered product of that name and norm, "000000" when there is none.
        std::function<QString(const QString& name, const QString& norm)> codeByName;
    };

    struct Result {
        SaleChange change;
        Cells after;
        // The norm led to a product sold in another unit: the operator should look.
        bool unitChanged = false;
        bool repriced = false;
    };

    // line holds newText in the edited cell already (for a product edit, the chosen product's
    // cells); oldText is what the cell held before. A day edit's newText is the full date.
    static Result apply(Field field, const Cells& line, const QString& oldText, const QString& newText,
                        const Catalogue& catalogue);
};

} // namespace asv
