#include "CustomerOrderBox.h"

#include "FindBar.h"

using namespace Qt::StringLiterals;

namespace asv {

CustomerOrderBox::CustomerOrderBox(QWidget* window, const FindBar* findBar) : QComboBox(window), m_findBar(findBar)
{
    setObjectName(u"cmbOrderBy"_s);
    addItems(CustomerSearch::orderLabels());
    setCurrentIndex(CustomerSearch::savedOrder(window->objectName()));
    connect(this, &QComboBox::currentIndexChanged, this, [this, window](int order) {
        CustomerSearch::saveOrder(window->objectName(), order);
        emit orderChosen();
    });
}

CustomerSearch::Query CustomerOrderBox::query() const
{
    CustomerSearch::Query query;
    query.fields = m_findBar->fields();
    query.text = m_findBar->text();
    query.opText = m_findBar->opText();
    query.order = currentIndex();
    return query;
}

} // namespace asv
