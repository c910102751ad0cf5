// One desk in a process of its own that changes the quantity of a stored line back and forth
// (3 → 5 → 3 …) as often as told, each time from what it last wrote itself, the way a desk's list
// does while another desk edits the same line.
#include "ConsolePrompter.h"
#include "SaleStore.h"
#include "TestDatabase.h"
#include "ProductPrices.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;
using namespace asv;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 5)
        return 2;
    const QString ccode = args[2];
    const int line = args[3].toInt();
    const int edits = args[4].toInt();
    ConsolePrompter prompter(MsgAnswer::No);
    const test::ServerAccount server = test::testServer();
    if (!DBInit(server.host, server.user, server.password, args[1]))
        return 1;
    RecordSetPtr rs;
    if (DBOpenRS(rs, u"SELECT pcode, qnt, price, amount, tax FROM sale WHERE code = "_s + args[3]) != 1)
        return 1;
    const int vatType = ProductPrices().vatMode(ccode, rs->value(0, 0));
    double qty = rs->value(0, 1).toDouble();
    const double price = rs->value(0, 2).toDouble();
    double amount = rs->value(0, 3).toDouble();
    double tax = rs->value(0, 4).toDouble();
    int failed = 0;
    for (int i = 0; i < edits; ++i) {
        const double next = qty == 3 ? 5 : 3;
        SaleChange change = SaleChange::repriced(vatType, next, price, amount, tax);
        change.qnt = next - qty;
        if (!SaleStore().update(line, ccode, change)) {
            ++failed;
            continue;
        }
        qty = next;
        amount += change.amount;
        tax += change.tax;
    }
    DBClose();
    return failed == 0 ? 0 : 3;
}
