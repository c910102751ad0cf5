#include "Clock.h"
#include "CustomerImport.h"
#include "FrmTool_ImpData.h"
#include "Grid.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "UserSettings.h"
#include "WidgetDriver.h"
#include "WorkbookBytes.h"
#include "modExcel.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;
using asv::test::click;
using Kind = ScriptedPrompter::Kind;

namespace {

const QString kStop = u"-> 코드는 필수 입력사항입니다. 자료 수정 후 다시 시도 하세요."_s;
const QString kSeparator = u"------------------------------------"_s;
const QString kLongName = QString(41, u'가');

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The sheet as each kind of file the operator may bring; the first row holds the captions.
void writeSheet(const QString& path, const QList<QStringList>& rows)
{
    if (path.endsWith(u".xls"_s)) {
        using namespace asv::test::xls;
        writeFile(path, compoundFile({{u"Workbook"_s, biff8Workbook({{u"고객"_s, rows}})}}).bytes);
    } else if (path.endsWith(u".csv"_s)) {
        QStringList lines;
        for (const QStringList& row : rows)
            lines << row.join(u',');
        writeFile(path, lines.join(u"\r\n"_s).toUtf8());
    } else {
        Grid grid;
        grid.setColumns(rows.first());
        grid.cells().setRowCount(static_cast<int>(rows.size() - 1));
        for (int r = 1; r < rows.size(); ++r) {
            for (int c = 0; c < rows[r].size(); ++c)
                grid.setText(r - 1, c, rows[r][c]);
        }
        ExcelExportOptions options;
        options.path = path;
        options.silent = true;
        options.openAfter = false;
        options.checkRight = false;
        ASSERT_EQ(ExportToExcelFile(grid, options), path);
    }
}

struct ImportFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;

    ImportFixture() { Clock::setFixed(QDateTime(QDate(2024, 3, 31), QTime(9, 30))); }
    ~ImportFixture() override { Clock::clearFixed(); }

    QString file(const QString& name) const { return db.programFolder() + u'/' + name; }

    // Opens the window on the file (the last one used) with code, name, telephone and address chosen.
    std::unique_ptr<FrmTool_ImpData> openOn(const QString& path)
    {
        UserSettings::set(u"DataImp"_s, u"ExcelFilePath"_s, path);
        auto w = std::make_unique<FrmTool_ImpData>();
        const int chosen[][2] = {{0, 0}, {1, 1}, {4, 2}, {8, 3}};
        for (const auto& [field, column] : chosen)
            w->findChild<QComboBox*>(u"cmbColumn"_s + QString::number(field))->setCurrentIndex(column);
        return w;
    }
    static QStringList logLines(const QWidget& w)
    {
        return w.findChild<QPlainTextEdit*>(u"txtLog"_s)->toPlainText().split(u'\n');
    }
    static QStringList codes()
    {
        RecordSetPtr rs;
        QStringList list;
        for (int r = 0, n = DBOpenRS(rs, u"SELECT code FROM customer ORDER BY code"_s); r < n; ++r)
            list << rs->value(r, 0);
        return list;
    }
};

TEST_F(ImportFixture, GoodAndBadRowsOfEachKindOfFileGiveTheLogAndEveryGoodRowGoesIn)
{
    const QList<QStringList> rows{
        {u"코드"_s, u"상호"_s, u"전화"_s, u"주소"_s},
        {u"000001"_s, u"한빛전자"_s, u"02-123-4567"_s, u"서울 중구"_s},
        {u" 000002 "_s, kLongName, u""_s, u""_s},
        {u"000001"_s, u"시트 안의 중복"_s, u""_s, u""_s},
        {u"a00009"_s, u"이미 있는 코드"_s, u""_s, u""_s},
        {u"000003"_s, u"it's \\ ok"_s, u""_s, u""_s},
        {u""_s, u"코드 없음"_s, u""_s, u""_s},
        {u"000004"_s, u"빠진 행 뒤"_s, u""_s, u""_s},
        {u"000005"_s, u""_s, u""_s, u""_s},
    };
    const QStringList problems{
        u"3행의 상호, 고객명 길이가 너무 깁니다.(최대 40자) 길이만큼 자동으로 짤립니다. -> "_s + kLongName.left(40),
        u"[000001]과(와) 일치하는 코드가 있습니다."_s,
        u"[a00009]과(와) 일치하는 코드가 있습니다."_s,
        u"7행의 코드가 없습니다. "_s + kStop,
        u"9행의 상호, 고객명이 없습니다. -> 상호, 고객명은 필수 입력사항입니다. 자료 수정 후 다시 시도 하세요."_s,
    };
    for (const QString& name : {u"list.xls"_s, u"list.xlsx"_s, u"list.csv"_s}) {
        SCOPED_TRACE(name.toStdString());
        DBExecute(u"DELETE FROM customer"_s);
        DBExecute(u"INSERT INTO customer (code, compname) VALUES ('A00009', '기존 고객')"_s);
        prompter.clear();
        writeSheet(file(name), rows);
        auto w = openOn(file(name));
        prompter.answer(MsgAnswer::Yes); // backup warning
        prompter.answer(MsgAnswer::Yes); // import despite the problems
        click(*w, u"btnImport"_s);

        const QStringList expected = QStringList{u"자료검사중..."_s} + problems
            + QStringList{kSeparator, u"가져오기작업 시작 2024-03-31 09:30:00"_s} + problems
            + QStringList{u"4건의 자료를 가져오기 하였습니다."_s, u"4건은 위의 문제로 가져오지 않았습니다."_s, kSeparator,
                          u"가져오기작업 종료 2024-03-31 09:30:00"_s, kSeparator};
        EXPECT_EQ(logLines(*w), expected);
        EXPECT_EQ(prompter.texts(Kind::Info).value(0), u"가져오기가 완료되었습니다."_s);
        EXPECT_EQ(codes(), (QStringList{u"000001"_s, u"000002"_s, u"000003"_s, u"000004"_s, u"A00009"_s}));
        EXPECT_EQ(DBGetValue(u"SELECT compname FROM customer WHERE code = '000002'"_s), kLongName.left(40));
        EXPECT_EQ(DBGetValue(u"SELECT CONCAT(telno1, '|', addr1, '|', nowmoney = 0 AND basemoney = 0, '|', taxmode) FROM customer "
                             "WHERE code = '000001'"_s),
                  u"02-123-4567|서울 중구|1|0"_s);
        EXPECT_EQ(DBGetValue(u"SELECT compname FROM customer WHERE code = '000003'"_s), u"it's \\ ok"_s);
        EXPECT_EQ(w->findChild<QLabel*>(u"lblDataCount"_s)->text(), u"4"_s);
    }
}

TEST_F(ImportFixture, AnEmptyEndRowTakesUpToTheLastRowWithTextAndTheWindowRemembersTheFile)
{
    writeFile(file(u"two.csv"_s), u"코드,상호\r\n100001,첫째\r\n100002,둘째\r\n ,  \r\n"_s.toUtf8());
    auto w = openOn(file(u"two.csv"_s));
    prompter.answer(MsgAnswer::Yes);
    click(*w, u"btnImport"_s);
    EXPECT_EQ(codes(), (QStringList{u"100001"_s, u"100002"_s}));
    EXPECT_TRUE(logLines(*w).contains(u"2건의 자료를 가져오기 하였습니다."_s));
    EXPECT_EQ(prompter.texts(Kind::Info), QStringList{u"가져오기가 완료되었습니다."_s});

    // Reopened, the window reads the same file and sheet by itself.
    FrmTool_ImpData again;
    EXPECT_EQ(again.findChild<QLineEdit*>(u"txtPathExcel"_s)->text(), file(u"two.csv"_s));
    EXPECT_EQ(again.findChild<Grid*>(u"spList"_s)->rowCount(), 4);
}

TEST_F(ImportFixture, ARowTheDatabaseCannotHoldIsLoggedBeforeAnythingIsWrittenAndTheOthersGoIn)
{
    writeFile(file(u"bad.csv"_s), u"코드,상호\r\n200001,첫째\r\n200002,웃음 😀\r\n200003,셋째\r\n"_s.toUtf8());
    auto w = openOn(file(u"bad.csv"_s));
    prompter.answer(MsgAnswer::Yes);
    prompter.answer(MsgAnswer::Yes);
    click(*w, u"btnImport"_s);
    EXPECT_EQ(codes(), (QStringList{u"200001"_s, u"200003"_s})) << prompter.texts().join(u"|"_s).toStdString();
    EXPECT_EQ(prompter.count(Kind::Error), 0);
    EXPECT_EQ(prompter.count(Kind::YesNo), 2);
    EXPECT_TRUE(logLines(*w).value(1).startsWith(u"3행의 상호, 고객명: "_s)) << logLines(*w).value(1).toStdString();
    EXPECT_EQ(prompter.texts(Kind::Info).last(), u"가져오기가 완료되었습니다."_s);
}

TEST_F(ImportFixture, WithoutACodeColumnRowsGetTheEditorsNextCodesAndTheRepresentativeAndMailAreMapped)
{
    DBExecute(u"INSERT INTO customer (code, compname) VALUES ('000007', '기존'), ('A00009', '문자 코드')"_s);
    writeFile(file(u"nocode.csv"_s), u"상호,대표자,메일\r\n첫째상사,김대표,a@b.kr\r\n,이름없음,\r\n둘째상사,,\r\n셋째상사,박대표,c@d.kr\r\n"_s.toUtf8());
    UserSettings::set(u"DataImp"_s, u"ExcelFilePath"_s, file(u"nocode.csv"_s));
    FrmTool_ImpData w;
    const int chosen[][2] = {{1, 0}, {11, 1}, {12, 2}};
    for (const auto& [field, column] : chosen)
        w.findChild<QComboBox*>(u"cmbColumn"_s + QString::number(field))->setCurrentIndex(column);
    w.findChild<QLineEdit*>(u"txtStartRow"_s)->setText(u"2"_s);
    prompter.answer(MsgAnswer::Yes);
    prompter.answer(MsgAnswer::Yes);
    click(w, u"btnImport"_s);
    EXPECT_TRUE(logLines(w).contains(u"3건의 자료를 가져오기 하였습니다."_s)) << logLines(w).join(u'\n').toStdString();
    EXPECT_EQ(DBGetValue(u"SELECT GROUP_CONCAT(CONCAT_WS('/', code, compname, ceoname, email) ORDER BY code SEPARATOR '|') "
                         "FROM customer WHERE code <> 'A00009'"_s),
              u"000007/기존//|000008/첫째상사/김대표/a@b.kr|000009/둘째상사//|000010/셋째상사/박대표/c@d.kr"_s);

    // Batches continue the numbering where the last one ended.
    const QList<QStringList> cells{{u"넷째"_s}, {u"다섯째"_s}, {u"여섯째"_s}};
    CustomerImport import(cells, {-1, 0}, 2);
    EXPECT_TRUE(import.check(1, 3).isEmpty());
    EXPECT_EQ(import.run(1, 3, {[](const QString&) {}, [](int) {}, [](int) {}}).imported, 3);
    EXPECT_EQ(codes().mid(4), (QStringList{u"000011"_s, u"000012"_s, u"000013"_s, u"A00009"_s}));
}

TEST_F(ImportFixture, NoNameColumnOrNoToTheProblemsImportsNothing)
{
    writeFile(file(u"dup.csv"_s), u"코드,상호\r\n300001,첫째\r\n300001,둘째\r\n"_s.toUtf8());
    auto w = openOn(file(u"dup.csv"_s));
    auto* nameColumn = w->findChild<QComboBox*>(u"cmbColumn1"_s);
    nameColumn->setCurrentIndex(-1);
    click(*w, u"btnImport"_s);
    EXPECT_EQ(prompter.texts(), QStringList{u"고객명은 필수입니다. 필드를 지정하세요."_s});

    nameColumn->setCurrentIndex(1);
    prompter.answer(MsgAnswer::Yes);
    prompter.answer(MsgAnswer::No);
    click(*w, u"btnImport"_s);
    EXPECT_EQ(logLines(*w),
              (QStringList{u"자료검사중..."_s, u"[300001]과(와) 일치하는 코드가 있습니다."_s, u"작업중단!"_s}));
    EXPECT_TRUE(codes().isEmpty());
}

TEST_F(ImportFixture, FilesTheReaderRefusesGiveTheLoadMessages)
{
    writeFile(file(u"page.xls"_s), "<html><table><tr><td>1</td></tr></table></html>");
    openOn(file(u"page.xls"_s));
    EXPECT_TRUE(prompter.texts(Kind::Info).value(0).startsWith(
        u"엑셀파일이 아니거나, 지원되지 않는 버전입니다.\r\n만약 엑셀파일이 맞다면"_s));

    using namespace asv::test::xls;
    prompter.clear();
    writeFile(file(u"locked.xls"_s),
              compoundFile({{u"Workbook"_s, bof(0x0600, 5) + record(0x002F, QByteArray(54, '\0')) + eof()}}).bytes);
    openOn(file(u"locked.xls"_s));
    EXPECT_TRUE(prompter.texts(Kind::Info).value(0).startsWith(u"파일을 열수 없습니다. 열려있는 엑셀파일을 닫아 주세요."_s));
    EXPECT_TRUE(prompter.texts(Kind::Info).value(0).contains(u"암호"_s)) << prompter.texts().join(u"|"_s).toStdString();

    prompter.clear();
    writeFile(file(u"cut.xls"_s), compoundFile({{u"Workbook"_s, QByteArray(6000, 'x')}}).bytes.left(3000));
    openOn(file(u"cut.xls"_s));
    EXPECT_TRUE(prompter.texts(Kind::Info).value(0).startsWith(u"엑셀파일의 정보를 알수 없습니다."_s));
}

} // namespace

TEST_F(ImportFixture, ImportedRowsHaveTheNamePiecesAnInsertWouldGiveThemAndOthersKeepTheTrigger)
{
    QList<QStringList> cells{{u"코드"_s, u"상호"_s, u"약칭"_s}};
    for (int i = 1; i <= 7; ++i)
        cells.append({u"00000"_s + QString::number(i), u"(주)한빛전자 "_s + QString::number(i), i % 2 ? u"한빛Net"_s : QString()});
    CustomerImport import(cells, {0, 1, 2}, 3);
    ASSERT_TRUE(import.check(2, 8).isEmpty());
    EXPECT_EQ(import.run(2, 8, {[](const QString&) {}, [](int) {}, [](int) {}}).imported, 7);
    EXPECT_EQ(DBGetValue(u"SELECT @customer_trigram_deferred IS NULL"_s), u"1"_s);

    // The same names written by plain SQL, as another program would, get their pieces from the trigger.
    DBExecute(u"INSERT INTO customer (code, compname, compalias) SELECT CONCAT('T', SUBSTRING(code, 2)), compname, "
              "compalias FROM customer"_s);
    const auto pieces = [](const QString& firstLetter) {
        return DBGetValue(u"SELECT GROUP_CONCAT(CONCAT(SUBSTRING(code, 2), gram) ORDER BY code, gram SEPARATOR '|') "
                          "FROM customer_trigram WHERE code LIKE '"_s
                          + firstLetter + u"%'"_s);
    };
    EXPECT_EQ(pieces(u"0"_s), pieces(u"T"_s));
    EXPECT_TRUE(pieces(u"0"_s).contains(u"00007빛N"_s));
}

TEST_F(ImportFixture, ACodeAnotherDeskTakesAfterTheCheckIsSkippedWithItsLogLine)
{
    const QList<QStringList> cells{{u"코드"_s, u"상호"_s}, {u"400001"_s, u"첫째"_s}, {u"400002"_s, u"둘째"_s}, {u"400003"_s, u"셋째"_s}};
    CustomerImport import(cells, {0, 1});
    ASSERT_TRUE(import.check(2, 4).isEmpty());
    DBExecute(u"INSERT INTO customer (code, compname) VALUES ('400002', '다른 자리')"_s);
    QStringList log;
    const CustomerImport::Result result =
        import.run(2, 4, {[&](const QString& line) { log << line; }, [](int) {}, [](int) {}});
    EXPECT_EQ(result.imported, 2);
    EXPECT_EQ(log, QStringList{u"[400002]과(와) 일치하는 코드가 있습니다."_s});
    EXPECT_EQ(codes(), (QStringList{u"400001"_s, u"400002"_s, u"400003"_s}));
    EXPECT_EQ(DBGetValue(u"SELECT compname FROM customer WHERE code = '400002'"_s), u"다른 자리"_s);
}
