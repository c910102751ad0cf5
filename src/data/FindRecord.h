#pragma once

#include <QString>

class QWidget;

namespace asv {

// What a code-entry field hands to the search: the typed text, its extra condition and the state
// of its search box.
struct FindRequest {
    QString text;
    QString extraCondition;
    QString fields;
    QString opText;
    QWidget* parent = nullptr;
};

// Each returns the found record as code + QChar(0) + name, or "" when nothing was taken.
// One match is taken as it is; several open the picker for the operator to choose.
QString FindRecord(const QString& kind, const FindRequest& request, bool silent = false);
// Both offer to register a new record when nothing is found.
QString FindUser(const FindRequest& request);
QString FindCust(const FindRequest& request);
// Offers to register the product, or to take the text as a free-text line ("000000" + QChar(0) +
// the text). designatedProducts: the search was limited to the customer's products, so the
// message names that reason too.
QString FindProd(const FindRequest& request, bool designatedProducts = false);

QString PickCode(const QString& pick);
QString PickName(const QString& pick);

} // namespace asv
