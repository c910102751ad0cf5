#include "SaleLineEdit.h"

#include "ProductRules.h"
#include "modMath.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// The columns written as typed.
const QHash<SaleLineEdit::Field, QString> kTextColumns{
    {SaleLineEdit::Field::Day, u"dealdate"_s},      {SaleLineEdit::Field::ReceiptMemo, u"receiptmemo"_s},
    {SaleLineEdit::Field::Charge, u"charge"_s},     {SaleLineEdit::Field::Receiver, u"receiptname"_s},
    {SaleLineEdit::Field::Serial, u"pserial"_s},    {SaleLineEdit::Field::Memo, u"prnbigo"_s}};

} // namespace

SaleLineEdit::Result SaleLineEdit::apply(Field field, const Cells& line, const QString& oldText, const QString& newText,
                                         const Catalogue& catalogue)
{
    Result r;
    r.after = line;
    SaleChange& change = r.change;
    const double oldValue = oldText.trimmed().toDouble();
    const double newValue = newText.trimmed().toDouble();
    // A product without a price keeps the line's: the operator typed one for a reason.
    const auto takePrice = [&](double salePrice) {
        if (salePrice == 0)
            return;
        change.price = salePrice - line.price;
        r.after.price = salePrice;
    };
    if (const auto column = kTextColumns.constFind(field); column != kTextColumns.cend())
        change.setText(*column, newText);
    switch (field) {
    case Field::Product:
        change.setText(u"pcode"_s, line.pcode);
        change.setText(u"pname"_s, line.pname);
        change.setText(u"pnorm"_s, line.pnorm);
        if (!IsFreeTextProduct(line.pcode)) {
            if (const std::optional<Product> product = catalogue.product(line.pcode))
                takePrice(product->saleprice);
        }
        change.setText(u"charge"_s, line.charge);
        r.repriced = true;
        break;
    case Field::Norm: {
        change.setText(u"pnorm"_s, newText);
        const QString found = catalogue.codeByName(line.pname, newText);
        if (found.isEmpty() || IsFreeTextProduct(found) || found == line.pcode)
            break;
        const std::optional<Product> product = catalogue.product(found);
        if (!product)
            break;
        change.setText(u"pcode"_s, found);
        takePrice(product->saleprice);
        r.unitChanged = product->unit != line.unit;
        r.after.pcode = found;
        r.after.unit = product->unit;
        r.after.bcode = product->bcode;
        r.repriced = true;
        break;
    }
    case Field::Quantity:
        change.qnt = newValue - oldValue;
        r.repriced = true;
        break;
    case Field::Price:
        change.price = newValue - oldValue;
        r.repriced = true;
        break;
    case Field::Amount:
        // Without a unit price the typed amount is what the customer pays, split as the VAT mode says.
        if (line.price == 0) {
            double amount = 0;
            double tax = 0;
            CalcVAT(catalogue.vatType(line.pcode), 1, newValue, amount, tax);
            change.amount = amount - oldValue;
            change.tax = tax - line.tax;
            r.after.amount = amount;
            r.after.tax = tax;
        } else {
            change.amount = newValue - oldValue;
        }
        break;
    case Field::Tax:
        change.tax = newValue - oldValue;
        break;
    default:
        break;
    }
    if (r.repriced) {
        const SaleChange priced = SaleChange::repriced(catalogue.vatType(r.after.pcode), r.after.qnt, r.after.price,
                                                       line.amount, line.tax);
        change.amount = priced.amount;
        change.tax = priced.tax;
        r.after.amount = line.amount + priced.amount;
        r.after.tax = line.tax + priced.tax;
    }
    return r;
}

} // namespace asv
