#pragma once

#include "Pick.h"

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

// Each returns the found record, or an empty pick when nothing was taken. One match is taken as it
// is; several open the picker for the operator to choose.
Pick FindRecord(const QString& kind, const FindRequest& request, bool silent = false);
// Both offer to register a new record when nothing is found.
Pick FindUser(const FindRequest& request);
Pick FindCust(const FindRequest& request);
// Offers to register the product, or to take the text as a free-text line (code "000000", the
// text as name). designatedProducts: the search was limited to the customer's products, so the
// message names that reason too.
Pick FindProd(const FindRequest& request, bool designatedProducts = false);

} // namespace asv
