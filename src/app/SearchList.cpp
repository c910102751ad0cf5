#include "SearchList.h"

#include "FindBar.h"
#include "Grid.h"
#include "hclimit.h"
#include "modFormIni.h"
#include "modMsgBox.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

SearchList::SearchList(QWidget* host, const QString& name, const QString& title, const QList<FindKey>& keys,
                       int defaultKey)
    : m_host(host), m_findBar(new FindBar(host, keys, defaultKey)), m_grid(new Grid(host)), m_buttons(new QHBoxLayout)
{
    host->setObjectName(name);
    host->setWindowTitle(title);
    m_grid->setObjectName(u"spList"_s);
}

void SearchList::addRecordLimit()
{
    m_limit = new hclimit(m_host);
    m_limit->setObjectName(u"hcLimit"_s);
    // Inside the main window the box's own window would be the main window itself.
    m_limit->setFormName(m_host->objectName());
    m_buttons->insertWidget(0, m_limit);
}

QString SearchList::limitClause() const
{
    return m_limit ? m_limit->LimitClause() : QString();
}

QString SearchList::codeAt(int row) const
{
    return m_grid->text(row, m_codeColumn);
}

QString SearchList::selectedCode(const QString& noSelection) const
{
    const QList<int> rows = m_grid->selectedRows();
    if (rows.isEmpty()) {
        MsgInfo(noSelection);
        return {};
    }
    return codeAt(rows.first());
}

bool SearchList::selectCode(const QString& code)
{
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        if (codeAt(r) == code) {
            m_grid->selectRow(r);
            return true;
        }
    }
    return false;
}

int SearchList::load(const std::function<void()>& fill)
{
    return Guarded(u"Refresh_Sheet"_s, u"Form"_s, m_host->objectName(), 0, [&] {
        fill();
        return m_grid->rowCount();
    });
}

int SearchList::loadOrSay(const std::function<void()>& fill, const QString& nothingFound)
{
    const int rows = load(fill);
    if (rows == 0)
        ShowNotice(nothingFound);
    return rows;
}

void SearchList::layOut(const QList<QPushButton*>& buttons)
{
    m_buttons->addStretch();
    for (QPushButton* b : buttons)
        m_buttons->addWidget(b);
    auto* layout = new QVBoxLayout;
    layout->addWidget(m_findBar);
    layout->addWidget(m_grid, 1);
    layout->addLayout(m_buttons);
    if (m_leftPanel) {
        auto* columns = new QHBoxLayout(m_host);
        columns->addWidget(m_leftPanel);
        columns->addLayout(layout, 1);
    } else {
        m_host->setLayout(layout);
    }
    LoadFormIni(m_host);
}

} // namespace asv
