#pragma once

#include "SaleStore.h"

#include <QString>
#include <functional>
#include <optional>

namespace asv {

// What an edited cell of a sale line changes: for a stored line the statement's parts and the
// cells shown afterwards, for a new row the line its insert writes. No widgets and no database:
// the product facts come through the catalogue.
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
        QString name;
        QString norm;
    };

    struct Catalogue {
        // The VAT mode of this customer's line of that product.
        std::function<int(const QString& pcode)> vatType;
        // Nothing for the free-text product or one that is gone.
        std::function<std::optional<Product>(const QString& pcode)> product;
        // The registered product of that name and norm, "000000" when there is none.
        std::function<QString(const QString& name, const QString& norm)> codeByName;
        VatOptions vat;
        // An edited unit price becomes the product's sale price.
        bool priceSetsProduct = false;
    };

    struct Result {
        SaleChange change;
        Cells after;
        // The norm led to a product sold in another unit: the operator should look.
        bool unitChanged = false;
        bool repriced = false;
        // The product's new sale price, when the edit sets it.
        std::optional<double> productPrice;
    };

    enum class Refusal { None, NoCustomer, NoProduct, NoDate };

    struct NewLine {
        SaleLine line;
        Refusal refusal = Refusal::None;
    };

    // line holds newText in the edited cell already (for a product edit, the chosen product's
    // cells); oldText is what the cell held before. A day edit's newText is the full date.
    static Result apply(Field field, const Cells& line, const QString& oldText, const QString& newText,
                        const Catalogue& catalogue);

    // The row's product cells once pcode was chosen; nothing when that product is gone. A free-text
    // line keeps the picked name alone; a row without a salesperson takes the customer's.
    static std::optional<Cells> chosen(const Cells& row, const QString& pcode, const QString& pickedName,
                                       const QString& customerCharge, const Catalogue& catalogue);

    // The line a new row's insert writes: quantity 1 when none was typed, the product's sale price,
    // the VAT split; or why it cannot be stored yet.
    static NewLine insert(const SaleLine& typed, const Catalogue& catalogue);

    // The slip's month ("yyyy-MM") and a typed day as a date, valid or not.
    static QString dateOfDay(const QString& month, const QString& day);
    static bool isDate(const QString& date);
};

} // namespace asv
