#include "PeriodListWindow.h"

#include "Grid.h"
#include "GridPrinter.h"
#include "HCTerm.h"
#include "WidgetHelpers.h"
#include "modExcel.h"
#include "modFormIni.h"
#include "ucFindBox.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace asv {

PeriodListWindow::PeriodListWindow(QWidget* parent, const QString& name, const QString& title,
                                   const QString& printTitle, const QString& periodName)
    : QWidget(parent), m_list(new Grid(this)), m_period(new HCTerm(this)), m_periodCaption(new QLabel(this)),
      m_printTitle(printTitle), m_periodName(periodName), m_top(new QVBoxLayout), m_filters(new QHBoxLayout),
      m_footer(new QHBoxLayout),
      m_buttons(new QHBoxLayout)
{
    setObjectName(name);
    setWindowTitle(title);
    m_list->setObjectName(u"spList"_s);
    m_period->setObjectName(u"hmDate"_s);
    m_filters->addWidget(m_periodCaption);
    m_filters->addWidget(m_period);
    m_top->addLayout(m_filters);

    QPushButton* query = NamedButton(this, u"btnQuery"_s, u"조회(F5)"_s);
    QPushButton* print = NamedButton(this, u"btnPrint"_s, u"인쇄(F7)"_s);
    QPushButton* excel = NamedButton(this, u"btnExcel"_s, u"엑셀(F8)"_s);
    QPushButton* close = NamedButton(this, u"btnClose"_s, u"닫기"_s);
    m_filters->addStretch();
    m_filters->addWidget(query);
    m_buttons->addWidget(print);
    m_buttons->addWidget(excel);
    m_buttons->addWidget(close);
    connect(query, &QPushButton::clicked, this, &PeriodListWindow::query);
    connect(print, &QPushButton::clicked, this, &PeriodListWindow::printList);
    connect(excel, &QPushButton::clicked, this, &PeriodListWindow::exportList);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

QHBoxLayout* PeriodListWindow::addFilterRow()
{
    auto* row = new QHBoxLayout;
    m_top->addLayout(row);
    return row;
}

QHBoxLayout* PeriodListWindow::addCustomerFilterRow(ucFindBox* customer)
{
    customer->setObjectName(u"fbCust"_s);
    customer->setFindType(ucFindBox::FindCustKind);
    QHBoxLayout* row = addFilterRow();
    row->addWidget(new QLabel(u"거래처:"_s, this));
    row->addWidget(customer);
    return row;
}

void PeriodListWindow::addButtons(const QList<QPushButton*>& buttons)
{
    for (int i = 0; i < buttons.size(); ++i)
        m_buttons->insertWidget(i, buttons[i]);
}

void PeriodListWindow::setPeriodCaption(const QString& caption)
{
    m_periodCaption->setText(caption);
}

void PeriodListWindow::finishLayout(QWidget* panel, Qt::Orientation panelPlace)
{
    auto* middle = new QBoxLayout(panelPlace == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    middle->addWidget(m_list, 1);
    if (panel)
        middle->addWidget(panel, panelPlace == Qt::Horizontal ? 0 : 1);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(m_footer, 1);
    bottom->addLayout(m_buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_top);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);
    m_list->rememberDesignedLayout();
    LoadFormIni(this);
}

QList<QPushButton*> PeriodListWindow::recordButtons(QWidget* records, std::function<void()> add,
                                                    std::function<void()> edit, std::function<void()> remove)
{
    m_recordActions = {records, std::move(add), std::move(edit), std::move(remove)};
    QPushButton* addButton = NamedButton(this, u"btnRecAdd"_s, u"신규(F2)"_s);
    QPushButton* editButton = NamedButton(this, u"btnRecEdit"_s, u"수정"_s);
    QPushButton* removeButton = NamedButton(this, u"btnRecDel"_s, u"삭제(F4)"_s);
    connect(addButton, &QPushButton::clicked, this, [this] { m_recordActions.add(); });
    connect(editButton, &QPushButton::clicked, this, [this] { m_recordActions.edit(); });
    connect(removeButton, &QPushButton::clicked, this, [this] { m_recordActions.remove(); });
    return {addButton, editButton, removeButton};
}

bool PeriodListWindow::recordKey(int key)
{
    const RecordActions& actions = m_recordActions;
    if (!actions.records)
        return false;
    switch (key) {
    case Qt::Key_F2:
        actions.add();
        return true;
    case Qt::Key_F4:
        actions.remove();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!actions.records->hasFocus())
            return false;
        actions.edit();
        return true;
    default:
        return false;
    }
}

QString PeriodListWindow::printSubtitle() const
{
    return u"( %1 %2 ~ %3 )"_s.arg(m_periodName, m_period->Text1(), m_period->Text2());
}

void PeriodListWindow::printList()
{
    GridPrinter(*m_list, m_printTitle, printSubtitle()).preview(this);
}

QString PeriodListWindow::exportList()
{
    return ExportToExcelFile(*m_list, {});
}

void PeriodListWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_F3:
        m_period->setFocus();
        break;
    case Qt::Key_F5:
        query();
        break;
    case Qt::Key_F7:
        printList();
        break;
    case Qt::Key_F8:
        exportList();
        break;
    default:
        if (!recordKey(event->key()))
            QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void PeriodListWindow::closeEvent(QCloseEvent* event)
{
    SaveFormIni(this);
    event->accept();
}

} // namespace asv
