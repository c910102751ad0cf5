#pragma once

#include "RecordSetPtr.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <vector>

namespace asv {

// The cells behind a Grid. Rows loaded from a record set stay in the record set and are decoded
// only when shown, sorted or exported; what the program or the operator writes into a cell is kept
// beside it, so a 100,000-row list costs little more than its record set.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class CellKind { Text, Number, Check, Formula };
    // One term of a formula column: the value of column times factor.
    struct FormulaTerm {
        int column;
        double factor = 1.0;
    };
    using ValueFunction = std::function<QString(const RecordSet& rs, int sourceRow)>;
    using ColorFunction = std::function<QColor(const RecordSet& rs, int sourceRow)>;
    using BeforeEdit = std::function<bool(int row, int col)>;
    using AfterEdit = std::function<void(int row, int col, const QString& oldText, const QString& newText)>;

    explicit GridModel(QObject* parent = nullptr);

    // Columns. Defining them resets nothing but the header; define them before loading rows.
    void setColumnCount(int count);
    int columnCount(const QModelIndex& parent = {}) const override;
    void setCaption(int col, const QString& caption);
    QString caption(int col) const;
    // format as made by GetDecFormat; an empty format shows the plain number.
    void setNumberColumn(int col, const QString& format);
    // Ticked = "1", not ticked = "".
    void setCheckColumn(int col);
    // Sum of the terms, shown with format, never editable.
    void setFormulaColumn(int col, const QList<FormulaTerm>& terms, const QString& format);
    CellKind kind(int col) const;
    QString numberFormat(int col) const;
    void setEditable(int col, bool editable);
    bool isEditable(int col) const;
    void setAlignment(int col, Qt::Alignment alignment);
    Qt::Alignment alignment(int col) const;
    // Designed visibility and printing, kept with the column so that layouts can refer to them.
    void setInitHidden(int col, bool hidden);
    bool isInitHidden(int col) const;
    void setPrinted(int col, bool printed);
    bool isPrinted(int col) const;

    // Where a column takes its value in the record set: by field label, or computed from the row.
    // Without a binding column n shows field n.
    void bindColumn(int col, const QString& fieldLabel);
    void bindColumn(int col, ValueFunction value);

    // Rows.
    void setRecordSet(RecordSetPtr rs);
    RecordSetPtr recordSet() const { return m_rs; }
    void clearRows();
    void setRowCount(int count);
    int rowCount(const QModelIndex& parent = {}) const override;
    void insertBlankRows(int row, int count);
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;
    // The record-set row a row came from, -1 for a row added here.
    int sourceRow(int row) const;

    // Cell values as stored: numbers without grouping, a formula's result as a plain number.
    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    // What the operator sees: numbers in their format, an empty text for a check cell.
    QString displayText(int row, int col) const;
    // Numeric value of a cell; 0 when empty or not a number.
    double number(int row, int col) const;
    bool isRowBlank(int row) const;
    // Parses the way a number cell stores an operator's input ("1,500" -> 1500).
    static bool parseNumber(const QString& text, double* value);

    // Colours; a cell's own colours win over its row's. Invalid colours clear.
    void setCellColors(int row, int col, const QColor& foreground, const QColor& background);
    void setRowColors(int row, const QColor& foreground, const QColor& background);
    void clearColors();
    // A column's text colour for cells showing the record set's value, where neither the cell nor
    // its row has one: colouring 100,000 rows one cell at a time cost more than reading them.
    void setColumnForeground(int col, ColorFunction foreground);
    // The colours shown, and the cell's own ones (invalid where the row's or none apply).
    QColor foreground(int row, int col) const;
    QColor background(int row, int col) const;
    void ownCellColors(int row, int col, QColor* foreground, QColor* background) const;

    void setBeforeEdit(BeforeEdit hook) { m_beforeEdit = std::move(hook); }
    void setAfterEdit(AfterEdit hook) { m_afterEdit = std::move(hook); }
    // Whether the operator may change the cell now: editable column and the before-edit hook agrees.
    bool mayEdit(int row, int col) const;
    // Stores an operator's change and calls the after-edit hook when the text changed. Deferred
    // delivery lets an open editor close before the hook asks questions.
    enum class Delivery { Now, Deferred };
    void commitEdit(int row, int col, const QString& text, Delivery delivery);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Numbers sort as numbers; rows without any text stay at the end in either order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    struct Column {
        QString caption;
        CellKind kind = CellKind::Text;
        QString format;
        QList<FormulaTerm> terms;
        bool editable = false;
        Qt::Alignment alignment;
        bool initHidden = false;
        bool printed = true;
        QString fieldLabel;
        int field = -1;
        ValueFunction value;
        ColorFunction foreground;
    };
    struct Colors {
        QColor foreground;
        QColor background;
    };

    static quint64 key(int id, int col) { return (quint64(quint32(id)) << 32) | quint32(col); }
    bool validCell(int row, int col) const;
    void resolveBindings();
    QString storedText(int id, int col) const;
    double formulaValue(int row, const Column& c) const;
    void emitRowChanged(int row, int col);
    void eraseRowData(int id);
    static void setColors(QHash<quint64, Colors>& map, quint64 k, const QColor& fg, const QColor& bg);

    QList<Column> m_columns;
    RecordSetPtr m_rs;
    int m_rsRows = 0;
    // Row ids in display order: below m_rsRows a record-set row, from there on a row added here.
    std::vector<int> m_order;
    int m_nextId = 0;
    QHash<quint64, QString> m_written;
    QHash<quint64, Colors> m_cellColors;
    QHash<quint64, Colors> m_rowColors;
    BeforeEdit m_beforeEdit;
    AfterEdit m_afterEdit;
};

} // namespace asv
