#include "Grid.h"
#include "GridFixtures.h"
#include "ScriptedPrompter.h"
#include "RecordSet.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::makeRecordSet;
using asv::test::ScriptedPrompter;

namespace {

enum { Name, Qty, Amount, Vat, Total, Tick };

// A slip-like list: name, quantity, amount, VAT, total = amount + VAT, a tick column.
void defineSlip(Grid& grid)
{
    grid.setColumns({u"상품명"_s, u"수량"_s, u"금액"_s, u"부가세"_s, u"합계"_s, u"V"_s});
    GridModel& cells = grid.cells();
    cells.setNumberColumn(Qty, u"#,##0"_s);
    cells.setNumberColumn(Amount, u"#,##0.##"_s);
    cells.setNumberColumn(Vat, u"#,##0.##"_s);
    cells.setFormulaColumn(Total, {{Amount, 1.0}, {Vat, 1.0}}, u"#,##0.##"_s);
    cells.setCheckColumn(Tick);
    for (int c : {Name, Qty, Amount, Vat, Tick})
        cells.setEditable(c, true);
}

QStringList column(const Grid& grid, int col)
{
    QStringList out;
    for (int r = 0; r < grid.rowCount(); ++r)
        out << grid.text(r, col);
    return out;
}

} // namespace

TEST(Grid, ShowsRecordSetFieldsByLabelWithFormatsAndFormula)
{
    Grid grid;
    defineSlip(grid);
    GridModel& cells = grid.cells();
    cells.bindColumn(Name, u"PNAME"_s); // labels match without regard to case
    cells.bindColumn(Qty, u"qnt"_s);
    cells.bindColumn(Amount, u"amount"_s);
    cells.bindColumn(Vat, u"tax"_s);
    cells.bindColumn(Tick, [](const RecordSet& rs, int row) {
        return rs.value(row, u"taxlistno"_s).isEmpty() ? QString() : u"1"_s;
    });
    cells.setRecordSet(makeRecordSet({u"amount"_s, u"pname"_s, u"tax"_s, u"qnt"_s, u"taxlistno"_s},
                                     {{u"1234567"_s, u"똠방각하 세트"_s, u"123456.7"_s, u"3"_s, u""_s},
                                      {u"0"_s, u"무상 점검"_s, u"0"_s, u"1"_s, u"T-9"_s}}));

    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(cells.displayText(0, Name), u"똠방각하 세트"_s);
    EXPECT_EQ(cells.displayText(0, Amount), u"1,234,567"_s);
    EXPECT_EQ(cells.displayText(0, Vat), u"123,456.7"_s);
    EXPECT_EQ(cells.displayText(0, Total), u"1,358,023.7"_s);
    EXPECT_EQ(grid.text(0, Total), u"1358023.7"_s);
    EXPECT_EQ(cells.data(cells.index(0, Amount), Qt::TextAlignmentRole).toInt() & Qt::AlignRight, Qt::AlignRight);
    EXPECT_EQ(cells.data(cells.index(1, Tick), Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(cells.data(cells.index(0, Tick), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(cells.flags(cells.index(0, Total)) & Qt::ItemIsEditable);
}

TEST(Grid, SortsNumbersAsNumbersKeepsCellStateWithItsRowAndForgetsTheSortOnReload)
{
    Grid grid;
    defineSlip(grid);
    grid.cells().setRowCount(5);
    const QStringList names = {u"다"_s, u"가"_s, u"나"_s, u"라"_s};
    const QStringList amounts = {u"100"_s, u"9"_s, u"1500"_s, u""_s};
    for (int r = 0; r < 4; ++r) {
        grid.setText(r, Name, names[r]);
        grid.setText(r, Amount, amounts[r]);
    }
    grid.cells().setCellColors(2, Name, Qt::red, {});
    // Row 4 stays blank, like the empty line at the end of a slip.

    grid.cells().sort(Amount, Qt::AscendingOrder);
    EXPECT_EQ(column(grid, Amount), (QStringList{u""_s, u"9"_s, u"100"_s, u"1500"_s, u""_s}));
    EXPECT_EQ(column(grid, Name), (QStringList{u"라"_s, u"가"_s, u"다"_s, u"나"_s, u""_s}));
    EXPECT_EQ(grid.cells().foreground(3, Name), QColor(Qt::red));

    grid.cells().sort(Total, Qt::DescendingOrder);
    EXPECT_EQ(column(grid, Name), (QStringList{u"나"_s, u"다"_s, u"가"_s, u"라"_s, u""_s}));

    grid.cells().sort(Name, Qt::AscendingOrder);
    EXPECT_EQ(column(grid, Name), (QStringList{u"가"_s, u"나"_s, u"다"_s, u"라"_s, u""_s}));

    // A header click sorts; a reload forgets the sort.
    grid.cells().setRecordSet(makeRecordSet({u"pname"_s, u"qnt"_s}, {{u"a"_s, u"10"_s}, {u"b"_s, u"2"_s}, {u"c"_s, u"33"_s}}));
    grid.resize(600, 300);
    grid.show();
    QHeaderView* h = grid.horizontalHeader();
    const QPoint qtyHeader(h->sectionViewportPosition(Qty) + h->sectionSize(Qty) / 2, h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, qtyHeader);
    const QStringList first = column(grid, Qty);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, qtyHeader);
    const QStringList second = column(grid, Qty);
    // One click sorts one way, the next the other way; either way numerically.
    EXPECT_TRUE((first == QStringList{u"2"_s, u"10"_s, u"33"_s} && second == QStringList{u"33"_s, u"10"_s, u"2"_s})
                || (first == QStringList{u"33"_s, u"10"_s, u"2"_s} && second == QStringList{u"2"_s, u"10"_s, u"33"_s}))
        << first.join(u',').toStdString() << " / " << second.join(u',').toStdString();

    grid.cells().setRecordSet(makeRecordSet({u"pname"_s, u"qnt"_s}, {{u"x"_s, u"5"_s}, {u"y"_s, u"1"_s}}));
    EXPECT_EQ(h->sortIndicatorSection(), -1);
    EXPECT_EQ(column(grid, Qty), (QStringList{u"5"_s, u"1"_s}));
}

TEST(Grid, EditHooksCanRefuseAndHearOldAndNewTextAndAnUnconfirmedChangeIsUndone)
{
    ScriptedPrompter prompter;
    Grid grid;
    defineSlip(grid);
    grid.cells().setRowCount(2);
    grid.setText(0, Amount, u"1000"_s);
    grid.setText(0, Vat, u"100"_s);
    QList<QStringList> heard;
    grid.cells().setBeforeEdit([](int row, int col) { return !(row == 1 && col == Amount); });
    grid.cells().setAfterEdit([&](int row, int col, const QString& oldText, const QString& newText) {
        heard << QStringList{QString::number(row), QString::number(col), oldText, newText};
    });

    EXPECT_FALSE(grid.editCell(1, Amount, u"5"_s));
    EXPECT_EQ(grid.text(1, Amount), u""_s);
    EXPECT_FALSE(grid.editCell(0, Total, u"5"_s)); // a formula is never typed into

    EXPECT_TRUE(grid.editCell(0, Amount, u"2,500"_s));
    EXPECT_EQ(grid.text(0, Amount), u"2500"_s);
    EXPECT_EQ(grid.text(0, Total), u"2600"_s);
    EXPECT_TRUE(grid.editCell(0, Amount, u"2500"_s)); // no change: no hook
    ASSERT_EQ(heard.size(), 1);
    EXPECT_EQ(heard[0], (QStringList{u"0"_s, QString::number(Amount), u"1000"_s, u"2500"_s}));

    // A tick asks and reports at once, through the model as a click would.
    GridModel& cells = grid.cells();
    EXPECT_TRUE(cells.setData(cells.index(0, Tick), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(grid.text(0, Tick), u"1"_s);
    ASSERT_EQ(heard.size(), 2);
    EXPECT_EQ(heard[1], (QStringList{u"0"_s, QString::number(Tick), u""_s, u"1"_s}));

    // A change the operator does not confirm is undone, its colours kept.
    grid.cells().setCellColors(1, Name, Qt::blue, {});
    grid.setText(1, Name, u"새 이름"_s);

    prompter.answer(MsgAnswer::No);
    EXPECT_FALSE(grid.confirmCellChange(1, Name, u"옛 이름"_s));
    EXPECT_EQ(grid.text(1, Name), u"옛 이름"_s);
    ASSERT_EQ(prompter.texts(ScriptedPrompter::Kind::YesNo).size(), 1);
    EXPECT_EQ(prompter.texts().last(), u"정말 수정하시겠습니까?\r\n이전 데이터: 옛 이름"_s);
    EXPECT_EQ(grid.cells().foreground(1, Name), QColor(Qt::blue));
    EXPECT_FALSE(grid.cells().background(1, Name).isValid());

    grid.setText(1, Name, u"새 이름"_s);
    prompter.answer(MsgAnswer::Yes);
    EXPECT_TRUE(grid.confirmCellChange(1, Name, u"옛 이름"_s));
    EXPECT_EQ(grid.text(1, Name), u"새 이름"_s);
}

TEST(Grid, EditorAsksBeforeOpeningAndReportsAfterClosing)
{
    Grid grid;
    defineSlip(grid);
    grid.cells().setRowCount(2);
    grid.setText(0, Name, u"볼펜"_s);
    auto openEditors = [&grid] {
        int n = 0;
        for (const QLineEdit* e : grid.viewport()->findChildren<QLineEdit*>())
            n += e->isVisible() ? 1 : 0;
        return QString::number(n);
    };
    int asked = 0;
    QStringList heard;
    grid.cells().setBeforeEdit([&](int row, int) {
        ++asked;
        return row == 0;
    });
    grid.cells().setAfterEdit([&](int, int, const QString& oldText, const QString& newText) {
        heard << oldText << newText << openEditors();
    });
    grid.resize(600, 300);
    grid.show();

    grid.setCurrentIndex(grid.cells().index(1, Name));
    grid.edit(grid.cells().index(1, Name));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(openEditors(), u"0"_s);

    grid.setCurrentIndex(grid.cells().index(0, Name));
    grid.edit(grid.cells().index(0, Name));
    auto* editor = grid.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(u"만년필"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.size() == 3; }));
    // The hook runs once the editor has closed, so it may ask questions safely.
    EXPECT_EQ(heard, (QStringList{u"볼펜"_s, u"만년필"_s, u"0"_s}));
    EXPECT_EQ(grid.text(0, Name), u"만년필"_s);
}

TEST(Grid, SelectedRowsInEachSelectionKindAndRowsKeepTheirOwnCells)
{
    Grid grid;
    defineSlip(grid);
    grid.cells().setRowCount(6);
    QItemSelectionModel* sel = grid.selectionModel();
    GridModel& cells = grid.cells();

    grid.setSelectionKind(Grid::SelectionKind::Block);
    sel->select(QItemSelection(cells.index(2, Qty), cells.index(4, Amount)), QItemSelectionModel::Select);
    EXPECT_EQ(grid.selectedRows(), (QList<int>{2, 3, 4}));
    EXPECT_FALSE(sel->isSelected(cells.index(3, Name)));

    grid.clearSelection();
    grid.setSelectionKind(Grid::SelectionKind::MultiRow);
    grid.selectRow(5);
    sel->select(cells.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(grid.selectedRows(), (QList<int>{1, 5}));

    grid.setSelectionKind(Grid::SelectionKind::SingleRow);
    grid.selectRow(3);
    EXPECT_EQ(grid.selectedRows(), (QList<int>{3}));

    // Rows added and removed keep their own cells.
    grid.cells().setRecordSet(makeRecordSet({u"pname"_s}, {{u"첫째"_s}, {u"둘째"_s}, {u"셋째"_s}}));
    grid.setText(2, Qty, u"7"_s);
    grid.cells().setRowColors(2, {}, Qt::yellow);
    grid.cells().insertBlankRows(1, 1);
    EXPECT_EQ(column(grid, Name), (QStringList{u"첫째"_s, u""_s, u"둘째"_s, u"셋째"_s}));
    EXPECT_EQ(grid.cells().sourceRow(1), -1);
    EXPECT_TRUE(grid.cells().isRowBlank(1));

    grid.cells().removeRows(0, 2);
    EXPECT_EQ(column(grid, Name), (QStringList{u"둘째"_s, u"셋째"_s}));
    EXPECT_EQ(grid.text(1, Qty), u"7"_s);
    EXPECT_EQ(grid.cells().background(1, Amount), QColor(Qt::yellow));
    EXPECT_FALSE(grid.cells().background(0, Amount).isValid());
}

