#pragma once

#include "CustomerSearch.h"

#include <QComboBox>

namespace asv {

class FindBar;

// The sort order box (`cmbOrderBy`) of the customer list and picker: by code, or by short name
// then name. Each window keeps its last choice in its layout file.
class CustomerOrderBox : public QComboBox {
    Q_OBJECT
public:
    // window must be named already: its name keys the stored choice.
    CustomerOrderBox(QWidget* window, const FindBar* findBar);

    // The search row's text and key as a query, in the chosen order.
    CustomerSearch::Query query() const;

signals:
    // The operator chose another order; it is stored already.
    void orderChosen();

private:
    const FindBar* m_findBar;
};

} // namespace asv
