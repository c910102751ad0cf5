#include "AppError.h"
#include "Clock.h"
#include "Grid.h"
#include "GridFixtures.h"
#include "ScriptedPrompter.h"
#include "SpreadsheetReader.h"
#include "modExcel.h"
#include "RecordSet.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TempProgramFolder;

namespace {

struct ExportTest : ::testing::Test {
    ExportTest()
    {
        grid.setColumns({u"코드"_s, u"상호"_s, u"숨김"_s, u"수량"_s, u"금액"_s, u"부가세"_s, u"합계"_s, u"선택"_s});
        GridModel& cells = grid.cells();
        cells.setNumberColumn(3, u"#,##0.##"_s);
        cells.setNumberColumn(4, u"#,###"_s);
        cells.setNumberColumn(5, u"#,###"_s);
        cells.setFormulaColumn(6, {{4, 1.0}, {5, 1.0}}, u"#,###"_s);
        cells.setCheckColumn(7);
        grid.setColumnInitHidden(2, true);
        cells.setRecordSet(asv::test::makeRecordSet(
            {u"code"_s, u"compname"_s, u"hidden"_s, u"qnt"_s, u"amount"_s, u"tax"_s, u"total"_s, u"tick"_s},
            {{u"000123"_s, u"(주)한빛전자"_s, u"x"_s, u"2.5"_s, u"1500000"_s, u"150000"_s, u""_s, u"1"_s},
             {u"000124"_s, u"똠얌 식당, \"본점\""_s, u"y"_s, u"-3"_s, u"0"_s, u""_s, u""_s, u""_s},
             {u"A-01"_s, u""_s, u""_s, u""_s, u"12.75"_s, u"1.25"_s, u""_s, u""_s}}));
        grid.horizontalHeader()->moveSection(1, 0); // 상호 shown first
        options.silent = true;
        options.openAfter = false;
    }
    ~ExportTest() override { SetExportRightCheck(nullptr); }

    QList<QStringList> readBack(const QString& path)
    {
        auto reader = SpreadsheetReader::open(path);
        EXPECT_EQ(reader->sheetNames(), QStringList{options.sheetName});
        return reader->readSheet(0);
    }

    TempProgramFolder home;
    ScriptedPrompter prompter;
    Grid grid;
    ExcelExportOptions options;
};

} // namespace

TEST_F(ExportTest, ReadBackGivesTheCellsOfTheShownColumns)
{
    options.withPeriodRow = true;
    options.fromDate = u"2024-03-01"_s;
    options.toDate = u"2024-03-31"_s;
    options.sheetName = u"거래처"_s;
    const QString path = ExportToExcelFile(grid, options);
    ASSERT_FALSE(path.isEmpty()) << prompter.texts().join(u'|').toStdString();

    const QList<QStringList> rows = readBack(path);
    const QList<int> shown = grid.visibleColumns();
    ASSERT_EQ(rows.size(), 2 + grid.rowCount());
    EXPECT_EQ(rows[0][0], u"일자:2024-03-01~2024-03-31"_s);
    QStringList captions;
    for (int c : shown)
        captions << grid.cells().caption(c);
    EXPECT_EQ(rows[1], captions);
    for (int r = 0; r < grid.rowCount(); ++r) {
        QStringList expected;
        for (int c : shown)
            expected << grid.text(r, c);
        EXPECT_EQ(rows[2 + r], expected) << "row " << r;
    }
    // The list itself is as it was.
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.visibleColumns(), shown);
    EXPECT_EQ(grid.text(0, 0), u"000123"_s);
}

TEST_F(ExportTest, TheNameFollowsTheClockNumbersAreNumbersAndCodesStayText)
{
    options.withColumnHeaders = false;
    Clock::setFixed(QDateTime(QDate(2024, 3, 31), QTime(14, 5, 9)));
    const QString first = ExportToExcelFile(grid, options);
    const QString again = ExportToExcelFile(grid, options);
    Clock::setFixed(QDateTime(QDate(2024, 3, 31), QTime(14, 5, 10)));
    const QString later = ExportToExcelFile(grid, options);
    Clock::clearFixed();

    EXPECT_EQ(first, home.path(u"ExpExcel/Exp240331_140509.xlsx"_s));
    EXPECT_EQ(again, first);
    EXPECT_EQ(later, home.path(u"ExpExcel/Exp240331_140510.xlsx"_s));
    EXPECT_EQ(QDir(home.path(u"ExpExcel"_s)).entryList({u"*.xlsx"_s}).size(), 2);
    EXPECT_TRUE(QFile::exists(home.path(u"ExpExcel/Exp240331_140509LOG.TXT"_s)));

    QString error;
    // Shared strings hold the texts only: the code with its zeros, not the amounts.
    ASSERT_TRUE(asv::test::runPython(
        u"import sys, zipfile\n"
        "z = zipfile.ZipFile(sys.argv[1])\n"
        "s = z.read('xl/sharedStrings.xml').decode()\n"
        "w = z.read('xl/worksheets/sheet1.xml').decode()\n"
        "assert '000123' in s and '1500000' not in s, s\n"
        "assert '<v>1500000</v>' in w and '<v>1650000</v>' in w, w\n"
        "st = z.read('xl/styles.xml').decode()\n"
        "assert 'formatCode=\"#,##0.##\"' in st and 'formatCode=\"#,###\"' in st, st\n"_s,
        {first}, &error))
        << error.toStdString();
}

TEST_F(ExportTest, RefusalsTheQuestionAndAnUnwritablePath)
{
    SetExportRightCheck([] { return false; });
    EXPECT_TRUE(ExportToExcelFile(grid, options).isEmpty());
    EXPECT_EQ(prompter.texts().last(),
              u"[엑셀로 자료 내보내기] 사용권한이 없습니다.\r\n프로그램 관리자에게 사용권한에 대해 문의바랍니다."_s);
    options.checkRight = false;
    EXPECT_FALSE(ExportToExcelFile(grid, options).isEmpty());
    SetExportRightCheck(nullptr);

    Grid empty;
    empty.setColumns({u"코드"_s});
    EXPECT_TRUE(ExportToExcelFile(empty, options).isEmpty());
    EXPECT_EQ(prompter.texts().last(), u"엑셀로 보낼 데이터가 없습니다.\r\n자료 조회 후 엑셀로 보내세요."_s);
    options.skipEmptyCheck = true;
    const QString headersOnly = ExportToExcelFile(empty, options);
    ASSERT_FALSE(headersOnly.isEmpty());
    EXPECT_EQ(readBack(headersOnly), (QList<QStringList>{{u"코드"_s}}));

    options.silent = false;
    options.path = home.path(u"asked.xlsx"_s);
    prompter.answer(MsgAnswer::No);
    EXPECT_TRUE(ExportToExcelFile(grid, options).isEmpty());
    EXPECT_EQ(prompter.texts().last(), u"엑셀로 자료를 내보내기 하시겠습니까?"_s);
    EXPECT_FALSE(QFile::exists(options.path));
    prompter.answer(MsgAnswer::Yes);
    EXPECT_EQ(ExportToExcelFile(grid, options), options.path);
    EXPECT_EQ(prompter.unanswered(), 0);

    // A path that cannot be written warns.
    options.path = home.path(u"no/such/folder/x.xlsx"_s);
    prompter.answer(MsgAnswer::Yes);
    EXPECT_TRUE(ExportToExcelFile(grid, options).isEmpty());
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Warn), QStringList{u"엑셀로 내보내기에 실패했습니다."_s});
}

TEST_F(ExportTest, LargeListIsStreamedAndReadsBack)
{
    Grid big;
    QStringList captions;
    for (int c = 0; c < 20; ++c)
        captions << u"열%1"_s.arg(c + 1);
    big.setColumns(captions);
    big.cells().setNumberColumn(1, u"#,##0"_s);
    const int rows = 12000; // above the streaming threshold of the writer
    big.cells().setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        big.setText(r, 0, u"거래처%1"_s.arg(r));
        big.setText(r, 1, QString::number(r * 3));
    }
    const QString path = ExportToExcelFile(big, options);
    ASSERT_FALSE(path.isEmpty());
    const QList<QStringList> back = readBack(path);
    ASSERT_EQ(back.size(), rows + 1);
    EXPECT_EQ(back[1].mid(0, 2), (QStringList{u"거래처0"_s, u"0"_s}));
    EXPECT_EQ(back[rows].mid(0, 2), (QStringList{u"거래처11999"_s, u"35997"_s}));
}
