#pragma once

#include "modDBMS_comn.h"

#include <QList>
#include <QString>

namespace asv {

// The statements that find customers: the management list and the picker, with their search keys
// and sort orders. The list joins the user in charge and so leaves out customers without one; the
// picker joins it loosely and so finds them.
class CustomerSearch {
public:
    static QList<FindKey> listKeys(bool tamber);
    static QList<FindKey> pickerKeys();

    enum Order { ByCode = 0, ByAlias = 1 };
    static QStringList orderLabels();
    static QString orderBy(int order);
    // The order chosen last in a window, kept in its layout file.
    static int savedOrder(const QString& formName);
    static void saveOrder(const QString& formName, int order);

    struct Query {
        QString fields; // of the chosen key
        QString text;
        QString opText;
        int order = ByCode;
        bool showHidden = false;   // the list only; the picker never offers hidden customers
        QString extraCondition;    // the picker only: the asking field's filter
        QString limitClause;       // hclimit's " LIMIT 0, <n>" or ""
        bool tamber = false;       // the customised edition's model and serial number columns
    };
    static QString listSql(const Query& query);
    static QString pickerSql(const Query& query);

    // Customers the list counts beside itself: those not hidden.
    static long shownCount();
};

} // namespace asv
