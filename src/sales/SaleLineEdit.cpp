#include "SaleLineEdit.h"

#include "ProductRules.h"
#include "modMath.h"

#include <QDate>
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
        if (catalogue.priceSetsProduct && !IsFreeTextProduct(line.pcode))
            r.productPrice = line.price;
        break;
    case Field::Amount:
        // Without a unit price the typed amount is what the customer pays, split as the VAT mode says.
        if (line.price == 0) {
            double amount = 0;
            double tax = 0;
            CalcVAT(catalogue.vatType(line.pcode), 1, newValue, amount, tax, catalogue.vat);
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
                                                       line.amount, line.tax, catalogue.vat);
        change.amount = priced.amount;
        change.tax = priced.tax;
        r.after.amount = line.amount + priced.amount;
        r.after.tax = line.tax + priced.tax;
    }
    return r;
}

std::optional<SaleLineEdit::Cells> SaleLineEdit::chosen(const Cells& row, const QString& pcode,
                                                        const QString& pickedName, const QString& customerCharge,
                                                        const Catalogue& catalogue)
{
    Cells cells = row;
    cells.pcode = pcode;
    cells.pname = pickedName;
    cells.pnorm.clear();
    cells.unit.clear();
    cells.bcode.clear();
    if (!IsFreeTextProduct(pcode)) {
        const std::optional<Product> product = catalogue.product(pcode);
        if (!product)
            return std::nullopt;
        cells.pname = product->name;
        cells.pnorm = product->norm;
        cells.unit = product->unit;
        cells.bcode = product->bcode;
    }
    if (cells.charge.isEmpty())
        cells.charge = customerCharge;
    return cells;
}

SaleLineEdit::NewLine SaleLineEdit::insert(const SaleLine& typed, const Catalogue& catalogue)
{
    NewLine r{typed, Refusal::None};
    SaleLine& line = r.line;
    if (line.ccode.isEmpty())
        r.refusal = Refusal::NoCustomer;
    else if (line.pcode.isEmpty())
        r.refusal = Refusal::NoProduct;
    else if (!isDate(line.dealdate))
        r.refusal = Refusal::NoDate;
    if (r.refusal != Refusal::None)
        return r;
    if (line.qnt == 0)
        line.qnt = 1;
    const std::optional<Product> product = catalogue.product(line.pcode);
    line.price = product ? product->saleprice : 0;
    line.priceAs(catalogue.vatType(line.pcode), catalogue.vat);
    return r;
}

QString SaleLineEdit::dateOfDay(const QString& month, const QString& day)
{
    return month + u'-' + day.trimmed().rightJustified(2, u'0');
}

bool SaleLineEdit::isDate(const QString& date)
{
    return QDate::fromString(date, u"yyyy-MM-dd"_s).isValid();
}

} // namespace asv
