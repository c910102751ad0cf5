#include "GridModel.h"

#include "mdlCommonOstra.h"
#include "RecordSet.h"

#include <QLocale>
#include <QMetaObject>
#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

QString plainNumber(double v)
{
    if (v == 0)
        return u"0"_s;
    return QString::number(v, 'f', QLocale::FloatingPointShortest);
}

} // namespace

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

void GridModel::setColumnCount(int count)
{
    count = std::max(count, 0);
    const int old = static_cast<int>(m_columns.size());
    if (count == old)
        return;
    if (count > old) {
        beginInsertColumns({}, old, count - 1);
        m_columns.resize(count);
        resolveBindings();
        endInsertColumns();
    } else {
        beginRemoveColumns({}, count, old - 1);
        m_columns.resize(count);
        endRemoveColumns();
    }
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

void GridModel::setCaption(int col, const QString& caption)
{
    if (col < 0 || col >= m_columns.size())
        return;
    m_columns[col].caption = caption;
    emit headerDataChanged(Qt::Horizontal, col, col);
}

QString GridModel::caption(int col) const
{
    return col >= 0 && col < m_columns.size() ? m_columns[col].caption : QString();
}

void GridModel::setNumberColumn(int col, const QString& format)
{
    if (col < 0 || col >= m_columns.size())
        return;
    m_columns[col].kind = CellKind::Number;
    m_columns[col].format = format;
}

void GridModel::setCheckColumn(int col)
{
    if (col < 0 || col >= m_columns.size())
        return;
    m_columns[col].kind = CellKind::Check;
}

void GridModel::setFormulaColumn(int col, const QList<FormulaTerm>& terms, const QString& format)
{
    if (col < 0 || col >= m_columns.size())
        return;
    m_columns[col].kind = CellKind::Formula;
    m_columns[col].terms = terms;
    m_columns[col].format = format;
    m_columns[col].editable = false;
}

GridModel::CellKind GridModel::kind(int col) const
{
    return col >= 0 && col < m_columns.size() ? m_columns[col].kind : CellKind::Text;
}

QString GridModel::numberFormat(int col) const
{
    return col >= 0 && col < m_columns.size() ? m_columns[col].format : QString();
}

void GridModel::setEditable(int col, bool editable)
{
    if (col >= 0 && col < m_columns.size() && m_columns[col].kind != CellKind::Formula)
        m_columns[col].editable = editable;
}

bool GridModel::isEditable(int col) const
{
    return col >= 0 && col < m_columns.size() && m_columns[col].editable;
}

void GridModel::setAlignment(int col, Qt::Alignment alignment)
{
    if (col >= 0 && col < m_columns.size())
        m_columns[col].alignment = alignment;
}

Qt::Alignment GridModel::alignment(int col) const
{
    if (col < 0 || col >= m_columns.size())
        return Qt::AlignLeft | Qt::AlignVCenter;
    const Column& c = m_columns[col];
    if (c.alignment)
        return c.alignment;
    switch (c.kind) {
    case CellKind::Number:
    case CellKind::Formula:
        return Qt::AlignRight | Qt::AlignVCenter;
    case CellKind::Check:
        return Qt::AlignCenter;
    case CellKind::Text:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

void GridModel::setInitHidden(int col, bool hidden)
{
    if (col >= 0 && col < m_columns.size())
        m_columns[col].initHidden = hidden;
}

bool GridModel::isInitHidden(int col) const
{
    return col >= 0 && col < m_columns.size() && m_columns[col].initHidden;
}

void GridModel::setPrinted(int col, bool printed)
{
    if (col >= 0 && col < m_columns.size())
        m_columns[col].printed = printed;
}

bool GridModel::isPrinted(int col) const
{
    return col >= 0 && col < m_columns.size() && m_columns[col].printed;
}

void GridModel::bindColumn(int col, const QString& fieldLabel)
{
    if (col < 0 || col >= m_columns.size())
        return;
    m_columns[col].fieldLabel = fieldLabel;
    m_columns[col].value = nullptr;
    resolveBindings();
}

void GridModel::bindColumn(int col, ValueFunction value)
{
    if (col < 0 || col >= m_columns.size())
        return;
    m_columns[col].fieldLabel.clear();
    m_columns[col].value = std::move(value);
}

void GridModel::resolveBindings()
{
    for (int i = 0; i < m_columns.size(); ++i) {
        Column& c = m_columns[i];
        if (!c.fieldLabel.isEmpty())
            c.field = m_rs ? m_rs->fieldIndex(c.fieldLabel) : -1;
        else
            c.field = m_rs && i < m_rs->fieldCount() ? i : -1;
    }
}

void GridModel::setRecordSet(RecordSetPtr rs)
{
    beginResetModel();
    m_rs = std::move(rs);
    m_rsRows = m_rs ? m_rs->rowCount() : 0;
    if (m_columns.isEmpty() && m_rs) {
        m_columns.resize(m_rs->fieldCount());
        for (int i = 0; i < m_columns.size(); ++i)
            m_columns[i].caption = m_rs->fieldName(i);
    }
    resolveBindings();
    m_order.resize(static_cast<size_t>(m_rsRows));
    for (int i = 0; i < m_rsRows; ++i)
        m_order[static_cast<size_t>(i)] = i;
    m_nextId = m_rsRows;
    m_written.clear();
    m_cellColors.clear();
    m_rowColors.clear();
    endResetModel();
}

void GridModel::clearRows()
{
    setRecordSet(nullptr);
}

void GridModel::setRowCount(int count)
{
    const int rows = rowCount();
    if (count > rows)
        insertBlankRows(rows, count - rows);
    else if (count < rows)
        removeRows(std::max(count, 0), rows - std::max(count, 0));
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_order.size());
}

void GridModel::insertBlankRows(int row, int count)
{
    row = std::clamp(row, 0, rowCount());
    if (count <= 0)
        return;
    beginInsertRows({}, row, row + count - 1);
    std::vector<int> ids(static_cast<size_t>(count));
    for (int& id : ids)
        id = m_nextId++;
    m_order.insert(m_order.begin() + row, ids.begin(), ids.end());
    endInsertRows();
}

bool GridModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount())
        return false;
    beginRemoveRows({}, row, row + count - 1);
    for (int i = row; i < row + count; ++i)
        eraseRowData(m_order[static_cast<size_t>(i)]);
    m_order.erase(m_order.begin() + row, m_order.begin() + row + count);
    endRemoveRows();
    return true;
}

void GridModel::eraseRowData(int id)
{
    for (int c = 0; c < m_columns.size(); ++c) {
        m_written.remove(key(id, c));
        m_cellColors.remove(key(id, c));
    }
    m_rowColors.remove(key(id, 0));
}

int GridModel::sourceRow(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    const int id = m_order[static_cast<size_t>(row)];
    return id < m_rsRows ? id : -1;
}

bool GridModel::validCell(int row, int col) const
{
    return row >= 0 && row < rowCount() && col >= 0 && col < m_columns.size();
}

QString GridModel::storedText(int id, int col) const
{
    const auto it = m_written.constFind(key(id, col));
    if (it != m_written.cend())
        return *it;
    if (id >= m_rsRows)
        return {};
    const Column& c = m_columns[col];
    if (c.value)
        return c.value(*m_rs, id);
    return c.field >= 0 ? m_rs->value(id, c.field) : QString();
}

QString GridModel::text(int row, int col) const
{
    if (!validCell(row, col))
        return {};
    const Column& c = m_columns[col];
    if (c.kind == CellKind::Formula)
        return isRowBlank(row) ? QString() : plainNumber(formulaValue(row, c));
    return storedText(m_order[static_cast<size_t>(row)], col);
}

void GridModel::setText(int row, int col, const QString& text)
{
    if (!validCell(row, col) || m_columns[col].kind == CellKind::Formula)
        return;
    m_written.insert(key(m_order[static_cast<size_t>(row)], col), text);
    emitRowChanged(row, col);
}

void GridModel::emitRowChanged(int row, int col)
{
    emit dataChanged(index(row, col), index(row, col));
    for (int c = 0; c < m_columns.size(); ++c) {
        if (m_columns[c].kind == CellKind::Formula)
            emit dataChanged(index(row, c), index(row, c));
    }
}

bool GridModel::parseNumber(const QString& text, double* value)
{
    QString t = text.trimmed();
    t.remove(u',');
    if (t.isEmpty())
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (ok && value)
        *value = v;
    return ok;
}

double GridModel::number(int row, int col) const
{
    if (!validCell(row, col))
        return 0;
    const Column& c = m_columns[col];
    if (c.kind == CellKind::Formula)
        return formulaValue(row, c);
    double v = 0;
    return parseNumber(storedText(m_order[static_cast<size_t>(row)], col), &v) ? v : 0;
}

double GridModel::formulaValue(int row, const Column& c) const
{
    double sum = 0;
    // Terms naming another formula are skipped, so no formula can recurse into itself.
    for (const FormulaTerm& t : c.terms) {
        if (t.column >= 0 && t.column < m_columns.size() && m_columns[t.column].kind != CellKind::Formula)
            sum += t.factor * number(row, t.column);
    }
    return sum;
}

QString GridModel::displayText(int row, int col) const
{
    if (!validCell(row, col))
        return {};
    const Column& c = m_columns[col];
    switch (c.kind) {
    case CellKind::Check:
        return {};
    case CellKind::Formula:
        return isRowBlank(row) ? QString() : FormatNumber(formulaValue(row, c), c.format);
    case CellKind::Number: {
        const QString t = storedText(m_order[static_cast<size_t>(row)], col);
        double v = 0;
        return parseNumber(t, &v) ? FormatNumber(v, c.format) : t;
    }
    case CellKind::Text:
        break;
    }
    return storedText(m_order[static_cast<size_t>(row)], col);
}

bool GridModel::isRowBlank(int row) const
{
    if (row < 0 || row >= rowCount())
        return true;
    const int id = m_order[static_cast<size_t>(row)];
    for (int c = 0; c < m_columns.size(); ++c) {
        if (m_columns[c].kind != CellKind::Formula && !storedText(id, c).isEmpty())
            return false;
    }
    return true;
}

void GridModel::setColors(QHash<quint64, Colors>& map, quint64 k, const QColor& fg, const QColor& bg)
{
    if (!fg.isValid() && !bg.isValid())
        map.remove(k);
    else
        map.insert(k, {fg, bg});
}

void GridModel::setCellColors(int row, int col, const QColor& foreground, const QColor& background)
{
    if (!validCell(row, col))
        return;
    setColors(m_cellColors, key(m_order[static_cast<size_t>(row)], col), foreground, background);
    emit dataChanged(index(row, col), index(row, col), {Qt::ForegroundRole, Qt::BackgroundRole});
}

void GridModel::setRowColors(int row, const QColor& foreground, const QColor& background)
{
    if (row < 0 || row >= rowCount() || m_columns.isEmpty())
        return;
    setColors(m_rowColors, key(m_order[static_cast<size_t>(row)], 0), foreground, background);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::ForegroundRole, Qt::BackgroundRole});
}

void GridModel::clearColors()
{
    m_cellColors.clear();
    m_rowColors.clear();
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::ForegroundRole, Qt::BackgroundRole});
}

void GridModel::setColumnForeground(int col, ColorFunction foreground)
{
    if (col < 0 || col >= m_columns.size())
        return;
    m_columns[col].foreground = std::move(foreground);
    if (rowCount() > 0)
        emit dataChanged(index(0, col), index(rowCount() - 1, col), {Qt::ForegroundRole});
}

QColor GridModel::foreground(int row, int col) const
{
    if (!validCell(row, col))
        return {};
    const int id = m_order[static_cast<size_t>(row)];
    const QColor cell = m_cellColors.value(key(id, col)).foreground;
    if (cell.isValid())
        return cell;
    const QColor ofRow = m_rowColors.value(key(id, 0)).foreground;
    const Column& c = m_columns[col];
    // A written cell no longer shows the record set's value the function colours.
    if (ofRow.isValid() || !c.foreground || id >= m_rsRows || m_written.contains(key(id, col)))
        return ofRow;
    return c.foreground(*m_rs, id);
}

QColor GridModel::background(int row, int col) const
{
    if (!validCell(row, col))
        return {};
    const int id = m_order[static_cast<size_t>(row)];
    const QColor cell = m_cellColors.value(key(id, col)).background;
    return cell.isValid() ? cell : m_rowColors.value(key(id, 0)).background;
}

void GridModel::ownCellColors(int row, int col, QColor* foreground, QColor* background) const
{
    const Colors own = validCell(row, col) ? m_cellColors.value(key(m_order[static_cast<size_t>(row)], col)) : Colors{};
    *foreground = own.foreground;
    *background = own.background;
}

bool GridModel::mayEdit(int row, int col) const
{
    if (!validCell(row, col) || !m_columns[col].editable)
        return false;
    return !m_beforeEdit || m_beforeEdit(row, col);
}

void GridModel::commitEdit(int row, int col, const QString& text, Delivery delivery)
{
    if (!validCell(row, col) || m_columns[col].kind == CellKind::Formula)
        return;
    QString stored = text;
    double v = 0;
    if (m_columns[col].kind == CellKind::Number && parseNumber(text, &v))
        stored = plainNumber(v);
    const QString old = this->text(row, col);
    if (stored == old)
        return;
    setText(row, col, stored);
    if (!m_afterEdit)
        return;
    if (delivery == Delivery::Now) {
        m_afterEdit(row, col, old, stored);
        return;
    }
    // The row may move or vanish before the deferred hook runs; follow its id.
    const int id = m_order[static_cast<size_t>(row)];
    QMetaObject::invokeMethod(
        this,
        [this, id, col, old, stored] {
            const auto it = std::find(m_order.begin(), m_order.end(), id);
            if (it != m_order.end() && m_afterEdit)
                m_afterEdit(static_cast<int>(it - m_order.begin()), col, old, stored);
        },
        Qt::QueuedConnection);
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !validCell(index.row(), index.column()))
        return {};
    const int row = index.row();
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return displayText(row, col);
    case Qt::EditRole:
        return text(row, col);
    case Qt::CheckStateRole:
        if (m_columns[col].kind != CellKind::Check)
            return {};
        return text(row, col) == u"1"_s ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        return alignment(col).toInt();
    case Qt::ForegroundRole: {
        const QColor c = foreground(row, col);
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::BackgroundRole: {
        const QColor c = background(row, col);
        return c.isValid() ? QVariant(c) : QVariant();
    }
    default:
        return {};
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || !validCell(index.row(), index.column()))
        return false;
    if (role == Qt::CheckStateRole) {
        // A tick has no editor: ask and report at once.
        if (m_columns[index.column()].kind != CellKind::Check || !mayEdit(index.row(), index.column()))
            return false;
        const bool ticked = value.toInt() == Qt::Checked;
        commitEdit(index.row(), index.column(), ticked ? u"1"_s : QString(), Delivery::Now);
        return true;
    }
    if (role != Qt::EditRole)
        return false;
    commitEdit(index.row(), index.column(), value.toString(), Delivery::Deferred);
    return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.column() >= m_columns.size())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const Column& c = m_columns[index.column()];
    if (c.kind == CellKind::Check)
        f |= Qt::ItemIsUserCheckable;
    else if (c.editable)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return section + 1;
        return {};
    }
    if (section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[section].caption;
    if (role == Qt::TextAlignmentRole)
        return Qt::Alignment(Qt::AlignCenter).toInt();
    return {};
}

void GridModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= m_columns.size() || rowCount() < 2)
        return;
    const int rows = rowCount();
    const CellKind k = m_columns[column].kind;
    const bool numeric = k == CellKind::Number || k == CellKind::Formula;

    std::vector<int> perm(static_cast<size_t>(rows));
    std::vector<char> blank(static_cast<size_t>(rows));
    std::vector<double> numbers;
    std::vector<QString> texts;
    if (numeric)
        numbers.resize(static_cast<size_t>(rows));
    else
        texts.resize(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        const auto i = static_cast<size_t>(r);
        perm[i] = r;
        blank[i] = isRowBlank(r);
        if (!numeric) {
            texts[i] = text(r, column);
            continue;
        }
        double v = 0;
        if (k == CellKind::Formula)
            numbers[i] = number(r, column);
        else
            numbers[i] = parseNumber(text(r, column), &v) ? v : -std::numeric_limits<double>::infinity();
    }
    const bool asc = order == Qt::AscendingOrder;
    std::stable_sort(perm.begin(), perm.end(), [&](int a, int b) {
        const auto ia = static_cast<size_t>(a);
        const auto ib = static_cast<size_t>(b);
        if (blank[ia] != blank[ib])
            return !blank[ia];
        if (numeric)
            return asc ? numbers[ia] < numbers[ib] : numbers[ib] < numbers[ia];
        const int cmp = QString::compare(texts[ia], texts[ib], Qt::CaseInsensitive);
        return asc ? cmp < 0 : cmp > 0;
    });

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRowOf(static_cast<size_t>(rows));
    std::vector<int> ids(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        newRowOf[static_cast<size_t>(perm[static_cast<size_t>(r)])] = r;
        ids[static_cast<size_t>(r)] = m_order[static_cast<size_t>(perm[static_cast<size_t>(r)])];
    }
    m_order = std::move(ids);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& i : from)
        to.append(index(newRowOf[static_cast<size_t>(i.row())], i.column()));
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace asv
