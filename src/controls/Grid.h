#pragma once

#include "GridModel.h"

#include <QList>
#include <QStringList>
#include <QTableView>
#include <optional>

namespace asv {

// The list control of every screen. Its column layout (widths, order, visibility, printed columns,
// font size, row height) is what the form's layout file keeps; the designed layout is remembered
// so that the "초기화" command can bring it back.
class Grid : public QTableView {
    Q_OBJECT
public:
    enum class SelectionKind { SingleRow, MultiRow, Block };

    struct Layout {
        QList<int> widths;      // per column; -1 for a hidden one (its width is kept as it was)
        QList<int> visualOrder; // the column shown at each position
        QList<bool> hidden;
        QList<bool> printed;
        int fontSize = 0;
        int rowHeight = 0;
    };

    explicit Grid(QWidget* parent = nullptr);
    using QTableView::edit;

    GridModel& cells() { return *m_model; }
    const GridModel& cells() const { return *m_model; }

    void setColumns(const QStringList& captions);
    int rowCount() const { return m_model->rowCount(); }
    int columnCount() const { return m_model->columnCount(); }
    QString text(int row, int col) const { return m_model->text(row, col); }
    void setText(int row, int col, const QString& text) { m_model->setText(row, col, text); }

    // The designed visibility: applied now and kept as the column's initial state.
    void setColumnInitHidden(int col, bool hidden);
    void setFontSize(int points);
    int fontSize() const;
    void setDefaultRowHeight(int pixels);
    int defaultRowHeight() const;

    void setSelectionKind(SelectionKind kind);
    SelectionKind selectionKind() const { return m_selectionKind; }
    // Rows touched by the selection, ascending, whatever the selection kind.
    QList<int> selectedRows() const;
    int activeRow() const;

    // Shown columns in screen order; the printed ones among them.
    QList<int> visibleColumns() const;
    QList<int> printedColumns() const;

    Layout currentLayout() const;
    void applyLayout(const Layout& layout);
    // The first call keeps the layout as designed; later calls do nothing.
    void rememberDesignedLayout();
    void restoreDesignedLayout();
    // The "초기화" command: the form's layout file goes and the designed layout comes back.
    void resetLayout();

    // Changes a cell as the operator would: the before-edit hook may refuse (false), the after-edit
    // hook hears old and new text.
    bool editCell(int row, int col, const QString& text);
    // Highlights the cell and asks "정말 수정하시겠습니까?" with the old text; No puts the old text
    // back and returns false.
    bool confirmCellChange(int row, int col, const QString& oldText);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void showMenu(const QPoint& globalPos);

    GridModel* m_model;
    SelectionKind m_selectionKind = SelectionKind::SingleRow;
    std::optional<Layout> m_designed;
};

} // namespace asv
