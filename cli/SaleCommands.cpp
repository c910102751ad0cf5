#include "SaleCommands.h"

#include "Clock.h"
#include "ProductStore.h"
#include "SaleStore.h"
#include "SharedOptions.h"
#include "modMain_SQL.h"
#include "modMsgBox.h"

#include <QDate>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// The value after name, taken out of args; null when the option is absent.
QString takeOption(QStringList& args, const QString& name, bool* malformed)
{
    const qsizetype i = args.indexOf(name);
    if (i < 0)
        return {};
    if (i + 1 >= args.size()) {
        *malformed = true;
        return {};
    }
    const QString value = args[i + 1];
    args.remove(i, 2);
    return value;
}

} // namespace

int saleCommand(QTextStream& out, const QStringList& arguments)
{
    QStringList args = arguments;
    bool malformed = false;
    const QString price = takeOption(args, u"--price"_s, &malformed);
    const QString date = takeOption(args, u"--date"_s, &malformed);
    if (malformed || args.size() != 4 || args[0] != u"add"_s)
        return 2;

    SaleLine line;
    line.ccode = args[1];
    line.pcode = args[2];
    bool numeric = false;
    line.qnt = args[3].toDouble(&numeric);
    if (!numeric || line.qnt == 0) {
        out << "the quantity must be a number other than 0: " << args[3] << '\n';
        return 1;
    }
    line.dealdate = date.isNull() ? Clock::today().toString(u"yyyy-MM-dd"_s) : date;
    if (!QDate::fromString(line.dealdate, u"yyyy-MM-dd"_s).isValid()) {
        out << "존재하지 않는 날짜입니다.: " << line.dealdate << '\n';
        return 1;
    }
    if (!ReadOptions())
        return 1;
    const QString customer = GetName_Cust(line.ccode);
    if (customer.isEmpty()) {
        out << "no customer " << line.ccode << '\n';
        return 1;
    }
    const std::optional<ProductRecord> product = ProductStore().load(line.pcode);
    if (!product) {
        out << "no product " << line.pcode << '\n';
        return 1;
    }
    line.pname = product->name;
    line.pnorm = product->norm;
    line.price = price.isNull() ? product->saleprice : price.toDouble(&numeric);
    if (!price.isNull() && !numeric) {
        out << "the price must be a number: " << price << '\n';
        return 1;
    }
    line.charge = SaleStore().customerInfo(line.ccode).charge;
    line.dealtime = Clock::now().toString(u"HH:mm"_s);
    SaleStore::priceLine(line);
    if (SaleStore().insert(line) == 0) {
        out << "수정된 내용이 없거나, 자료저장을 실패하였습니다.\n";
        return 1;
    }
    out << "sale " << line.code << '\t' << customer << '\t' << line.pname << '\t' << line.qnt << " x " << line.price
        << '\t' << line.amount << " + " << line.tax << " = " << line.total << '\n';
    return 0;
}

} // namespace asv
