#include "Grid.h"

#include "modFormIni.h"
#include "modMsgBox.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

Grid::Grid(QWidget* parent) : QTableView(parent), m_model(new GridModel(this))
{
    setModel(m_model);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setSelectionKind(SelectionKind::SingleRow);
    setWordWrap(false);

    QHeaderView* h = horizontalHeader();
    h->setSectionsMovable(true);
    h->setHighlightSections(false);
    h->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(h, &QWidget::customContextMenuRequested, this,
            [this, h](const QPoint& pos) { showMenu(h->mapToGlobal(pos)); });
    // No column is sorted until the operator clicks one; a reload forgets the last sort.
    h->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
    connect(m_model, &QAbstractItemModel::modelReset, this,
            [h] { h->setSortIndicator(-1, Qt::AscendingOrder); });

    QHeaderView* v = verticalHeader();
    v->setSectionResizeMode(QHeaderView::Fixed);
    v->setMinimumSectionSize(8);
    v->setDefaultSectionSize(fontMetrics().height() + 8);
}

void Grid::setColumns(const QStringList& captions)
{
    m_model->setColumnCount(static_cast<int>(captions.size()));
    for (int c = 0; c < captions.size(); ++c)
        m_model->setCaption(c, captions[c]);
}

void Grid::setColumnInitHidden(int col, bool hidden)
{
    m_model->setInitHidden(col, hidden);
    setColumnHidden(col, hidden);
}

void Grid::setFontSize(int points)
{
    if (points <= 0)
        return;
    QFont f = font();
    f.setPointSize(points);
    setFont(f);
}

int Grid::fontSize() const
{
    return font().pointSize();
}

void Grid::setDefaultRowHeight(int pixels)
{
    if (pixels > 0)
        verticalHeader()->setDefaultSectionSize(pixels);
}

int Grid::defaultRowHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

void Grid::setSelectionKind(SelectionKind kind)
{
    m_selectionKind = kind;
    switch (kind) {
    case SelectionKind::SingleRow:
        setSelectionBehavior(SelectRows);
        setSelectionMode(SingleSelection);
        break;
    case SelectionKind::MultiRow:
        setSelectionBehavior(SelectRows);
        setSelectionMode(ExtendedSelection);
        break;
    case SelectionKind::Block:
        setSelectionBehavior(SelectItems);
        setSelectionMode(ExtendedSelection);
        break;
    }
}

QList<int> Grid::selectedRows() const
{
    std::vector<bool> hit(static_cast<size_t>(rowCount()));
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int r = range.top(); r <= range.bottom(); ++r)
            hit[static_cast<size_t>(r)] = true;
    }
    QList<int> rows;
    for (size_t r = 0; r < hit.size(); ++r) {
        if (hit[r])
            rows.append(static_cast<int>(r));
    }
    return rows;
}

int Grid::activeRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

QList<int> Grid::visibleColumns() const
{
    QList<int> cols;
    const QHeaderView* h = horizontalHeader();
    for (int v = 0; v < h->count(); ++v) {
        const int logical = h->logicalIndex(v);
        if (!isColumnHidden(logical))
            cols.append(logical);
    }
    return cols;
}

QList<int> Grid::printedColumns() const
{
    QList<int> cols = visibleColumns();
    cols.removeIf([this](int c) { return !m_model->isPrinted(c); });
    return cols;
}

Grid::Layout Grid::currentLayout() const
{
    Layout l;
    const QHeaderView* h = horizontalHeader();
    for (int c = 0; c < columnCount(); ++c) {
        l.widths.append(isColumnHidden(c) ? -1 : columnWidth(c));
        l.hidden.append(isColumnHidden(c));
        l.printed.append(m_model->isPrinted(c));
        l.visualOrder.append(h->logicalIndex(c));
    }
    l.fontSize = fontSize();
    l.rowHeight = defaultRowHeight();
    return l;
}

void Grid::applyLayout(const Layout& layout)
{
    const int n = columnCount();
    QHeaderView* h = horizontalHeader();
    for (int c = 0; c < n && c < layout.widths.size(); ++c) {
        if (layout.widths[c] > 0)
            setColumnWidth(c, layout.widths[c]);
    }
    QList<int> sorted = layout.visualOrder;
    std::sort(sorted.begin(), sorted.end());
    bool permutation = sorted.size() == n;
    for (int i = 0; permutation && i < n; ++i)
        permutation = sorted[i] == i;
    if (permutation) {
        for (int v = 0; v < n; ++v)
            h->moveSection(h->visualIndex(layout.visualOrder[v]), v);
    }
    for (int c = 0; c < n && c < layout.hidden.size(); ++c)
        setColumnHidden(c, layout.hidden[c]);
    for (int c = 0; c < n && c < layout.printed.size(); ++c)
        m_model->setPrinted(c, layout.printed[c]);
    setFontSize(layout.fontSize);
    setDefaultRowHeight(layout.rowHeight);
}

void Grid::rememberDesignedLayout()
{
    if (!m_designed)
        m_designed = currentLayout();
}

void Grid::restoreDesignedLayout()
{
    if (m_designed)
        applyLayout(*m_designed);
}

void Grid::resetLayout()
{
    DelFormIni(FormName(FormOf(this)));
    restoreDesignedLayout();
}

bool Grid::editCell(int row, int col, const QString& text)
{
    if (!m_model->mayEdit(row, col))
        return false;
    m_model->commitEdit(row, col, text, GridModel::Delivery::Now);
    return true;
}

bool Grid::confirmCellChange(int row, int col, const QString& oldText)
{
    QColor foreground;
    QColor background;
    m_model->ownCellColors(row, col, &foreground, &background);
    m_model->setCellColors(row, col, Qt::white, QColor(0xC0, 0x00, 0x00));
    scrollTo(m_model->index(row, col));
    const bool yes = MsgYesNo(u"정말 수정하시겠습니까?"_s + vbCrLf + u"이전 데이터: "_s + oldText, {}, true)
        == MsgAnswer::Yes;
    m_model->setCellColors(row, col, foreground, background);
    if (!yes) {
        m_model->setText(row, col, oldText);
        setFocus();
    }
    return yes;
}

bool Grid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // Ticks ask their hook in the model; editors ask here, before they open.
    const bool opensEditor = trigger == AllEditTriggers || (trigger & editTriggers());
    if (index.isValid() && opensEditor && state() != EditingState
        && (m_model->flags(index) & Qt::ItemIsEditable) && !m_model->mayEdit(index.row(), index.column()))
        return false;
    return QTableView::edit(index, trigger, event);
}

void Grid::contextMenuEvent(QContextMenuEvent* event)
{
    showMenu(event->globalPos());
}

void Grid::showMenu(const QPoint& globalPos)
{
    QMenu menu(this);
    QAction* reset = menu.addAction(u"초기화"_s);
    connect(reset, &QAction::triggered, this, &Grid::resetLayout);
    QMenu* shown = menu.addMenu(u"컬럼 보이기"_s);
    QMenu* printed = menu.addMenu(u"인쇄할 컬럼"_s);
    const QHeaderView* h = horizontalHeader();
    for (int v = 0; v < h->count(); ++v) {
        const int c = h->logicalIndex(v);
        const QString caption = m_model->caption(c);
        if (caption.isEmpty())
            continue;
        QAction* show = shown->addAction(caption);
        show->setCheckable(true);
        show->setChecked(!isColumnHidden(c));
        connect(show, &QAction::toggled, this, [this, c](bool on) { setColumnHidden(c, !on); });
        QAction* print = printed->addAction(caption);
        print->setCheckable(true);
        print->setChecked(m_model->isPrinted(c));
        connect(print, &QAction::toggled, this, [this, c](bool on) {
            QList<bool> flags = currentLayout().printed;
            flags[c] = on;
            SetSpreadRPTCol(*this, flags);
        });
    }
    menu.exec(globalPos);
}

} // namespace asv
