#include "CommandOutput.h"
#include "ConfigKeys.h"
#include "FindRecord.h"
#include "FrmProd_admin.h"
#include "FrmProd_class.h"
#include "FrmProd_save.h"
#include "FrmProd_sel.h"
#include "Grid.h"
#include "GridDriver.h"
#include "HCText.h"
#include "PickerRegistry.h"
#include "ProductCommands.h"
#include "ProductScreens.h"
#include "RegistryGuard.h"
#include "ScreenRegistry.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "WidgetDriver.h"
#include "modMySQL_Func.h"
#include "ucFindBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::commandOutput;
using asv::test::ScriptedPrompter;
using asv::test::click;
using asv::test::column;
using asv::test::selectCodes;
using Kind = ScriptedPrompter::Kind;

namespace {

// Two classes; a hidden product; a code whose digits stand in another product's name; a barcode
// shared by two products.
struct ProductWindows : ::testing::Test {
    asv::test::TestDatabase db;
    ScriptedPrompter prompter;
    asv::test::RegistryGuard registry{{kFindKindProd}, {u"mnuProduct"_s}};

    ProductWindows()
    {
        ProductScreens::registerAll();
        DBExecute(u"INSERT INTO pclass (code, name) VALUES ('0001', '공구'), ('0002', '가전')"_s);
        DBExecute(u"INSERT INTO product (code, name, norm, bcode, classname, hidden, saleprice, unit, taxmode) VALUES "
                  u"('000001', '볼트', 'M6', '8801', '공구', 0, 100, 'EA', 1), "
                  u"('000002', '너트', 'M6', '8802', '공구', 0, 50, 'EA', 0), "
                  u"('000003', '전구', '60W', '8803', '가전', 0, 3000, 'EA', 1), "
                  u"('000004', '숨김전구', '', '8804', '가전', 1, 0, 'EA', 1), "
                  u"('000123', '코드상품', '', '', '가전', 0, 0, 'EA', 1), "
                  u"('000200', '상품000123', '', '7777', '', 0, 0, 'EA', 1), "
                  u"('000201', '공유바코드', '', '7777', '', 0, 0, 'EA', 1)"_s);
    }
};

const QString kFindProdQuestion =
    u"검색한 상품이 등록되어 있지 않거나,\r\n숨김설정이 되어 있습니다.\r\n\r\n신규 등록하겠습니까?\r\n\r\n"
    u"상품 기초등록을 하고 전표를 등록하려면 [예]를\r\n기초등록을 하지 않고 전표를 등록하려면 [아니오]를\r\n"
    u"등록을 취소하실려면 [취소]를 누르세요."_s;

} // namespace

TEST_F(ProductWindows, ListFiltersByClassAndHiddenStateAndDeletesWhatIsNotInUse)
{
    const ScreenRegistry::Entry* entry = ScreenRegistry::find(u"mnuProduct"_s);
    ASSERT_NE(entry, nullptr);
    std::unique_ptr<QWidget> opened(entry->create(nullptr));
    auto* list = qobject_cast<FrmProd_admin*>(opened.get());
    ASSERT_NE(list, nullptr);
    Grid* grid = list->list();
    // In name order.
    EXPECT_EQ(column(grid, u"코드"_s), (QStringList{u"000201"_s, u"000002"_s, u"000001"_s, u"000200"_s, u"000003"_s,
                                                   u"000123"_s}));
    EXPECT_EQ(column(grid, u"부가세"_s).mid(1, 2), (QStringList{u"면세"_s, u"과세"_s}));

    list->findChild<QCheckBox*>(u"chkShowHidden"_s)->click();
    const int hiddenRow = static_cast<int>(column(grid, u"코드"_s).indexOf(u"000004"_s));
    ASSERT_GE(hiddenRow, 0);
    EXPECT_EQ(grid->cells().foreground(hiddenRow, 0), QColor(Qt::red));
    EXPECT_FALSE(column(grid, u"코드"_s).contains(u"000000"_s));

    auto* classes = list->findChild<QComboBox*>(u"cmbClass"_s);
    classes->setCurrentText(u"가전"_s);
    emit classes->activated(classes->currentIndex());
    EXPECT_EQ(column(grid, u"코드"_s), (QStringList{u"000004"_s, u"000003"_s, u"000123"_s}));
    EXPECT_EQ(list->listPrinter().subtitle(), u"(가전)"_s);

    auto* unit = list->findChild<HCText*>(u"txtBasicUnit"_s);
    unit->SetText(u"BOX"_s);
    emit unit->lostFocus();
    EXPECT_EQ(ConfigKeys::ProductDefaultUnit.get(), u"BOX"_s);
    EXPECT_EQ(FrmProd_save().findChild<QComboBox*>(u"cmbUnit"_s)->currentText(), u"BOX"_s);

    DBExecute(u"INSERT INTO sale (pcode, pname) VALUES ('000003', '전구')"_s);
    selectCodes(grid, {u"000003"_s, u"000123"_s});
    prompter.answer(MsgAnswer::Yes);
    click(*list, u"btnDelete"_s);
    EXPECT_EQ(prompter.texts(), (QStringList{u"선택된 자료를 정말로 삭제 하시겠습니까?"_s,
                                             u"해당 데이터가 「매출전표」에서 사용중이기 때문에 삭제할 수 없습니다."_s,
                                             u"1건의 자료를 삭제하였습니다."_s}));
    EXPECT_EQ(column(grid, u"코드"_s), (QStringList{u"000004"_s, u"000003"_s}));
    EXPECT_EQ(DBRecordCount(u"product"_s, u"code = '000123'"_s), 0);
}

TEST_F(ProductWindows, PickerOpensWithTheFocusInItsListSoArrowsAndEnterChoose)
{
    FrmProd_sel picker;
    picker.FindRecords(u"880"_s, {});
    ASSERT_TRUE(asv::test::showActive(picker));
    EXPECT_EQ(QApplication::focusWidget(), picker.list());
    QTest::keyClick(picker.list(), Qt::Key_Down);
    QTest::keyClick(picker.list(), Qt::Key_Return);
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_FALSE(picker.Result().code.isEmpty());
}

TEST_F(ProductWindows, PickerAndFindBoxSearchCodeBarcodeAndNameTakingAnExactCodeFirst)
{
    FrmProd_sel picker;
    auto* classes = picker.findChild<QListWidget*>(u"lstClass"_s);
    QStringList names;
    for (int i = 0; i < classes->count(); ++i)
        names << classes->item(i)->text();
    EXPECT_EQ(names, (QStringList{QString(), u"가전"_s, u"공구"_s}));

    // The exact code before the product whose name carries the same digits.
    EXPECT_EQ(picker.FindRecords(u"000123"_s, {}), 1);
    EXPECT_EQ(picker.Result(), (Pick{u"000123"_s, u"코드상품"_s}));
    // Then code, barcode and name; the hidden product never.
    EXPECT_EQ(picker.FindRecords(u"880"_s, {}), 3);
    EXPECT_EQ(picker.Result(), Pick());
    EXPECT_EQ(picker.FindRecords(u"전구"_s, {}), 1);
    // A shared barcode is both its products; the beginning of a code is that product, not the
    // name holding the same digits, until the operator asks the search row for more.
    EXPECT_EQ(picker.FindRecords(u"7777"_s, {}), 2);
    EXPECT_EQ(picker.FindRecords(u"00012"_s, {}), 1);
    EXPECT_EQ(picker.Result(), (Pick{u"000123"_s, u"코드상품"_s}));
    QTest::keyClick(picker.findChild<QLineEdit*>(u"txtFind"_s), Qt::Key_Return);
    EXPECT_EQ(column(picker.list(), u"코드"_s), (QStringList{u"000200"_s, u"000123"_s}));
    // Digits inside a code only: the whole search.
    EXPECT_EQ(picker.FindRecords(u"0020"_s, {}), 2);

    picker.findChild<QCheckBox*>(u"chkAllPList"_s)->click();
    classes->setCurrentRow(2);
    auto* txtFind = picker.findChild<QLineEdit*>(u"txtFind"_s);
    txtFind->clear();
    QTest::keyClick(txtFind, Qt::Key_Return);
    EXPECT_EQ(column(picker.list(), u"코드"_s), (QStringList{u"000002"_s, u"000001"_s}));

    ASSERT_TRUE(asv::test::showActive(picker));
    picker.list()->setFocus();
    QTest::keyClick(&picker, Qt::Key_F3);
    EXPECT_TRUE(txtFind->hasFocus());
    txtFind->setText(u"없는상품"_s);
    QTest::keyClick(txtFind, Qt::Key_Return);
    EXPECT_EQ(prompter.texts().last(), u"검색된 자료가 없습니다."_s);
    click(picker, u"btnSel"_s);
    EXPECT_EQ(prompter.texts().last(), u"리스트에서 자료를 선택하세요."_s);

    // The find box takes a code, a barcode or a name that matches once; never a hidden product.
    prompter.clear();
    ucFindBox box;
    box.setFindType(ucFindBox::FindProdKind);
    const QList<std::pair<QString, Pick>> typed{{u"000123"_s, {u"000123"_s, u"코드상품"_s}},
                                                {u"8803"_s, {u"000003"_s, u"전구"_s}},
                                                {u"볼트"_s, {u"000001"_s, u"볼트"_s}}};
    for (const auto& [text, pick] : typed) {
        box.SetText(text);
        EXPECT_TRUE(box.ProcFind()) << text.toStdString();
        EXPECT_EQ((Pick{box.code(), box.Text()}), pick);
    }
    EXPECT_TRUE(prompter.messages().isEmpty());
    box.SetText(u"숨김전구"_s);
    EXPECT_FALSE(box.ProcFind());
    EXPECT_EQ(prompter.count(Kind::YesNoCancel), 1);
}

TEST_F(ProductWindows, UnknownProductIsRegisteredTakenAsFreeTextOrNothing)
{
    const FindRequest request{u"없는상품"_s, {}, {}, {}, nullptr};
    prompter.answer(MsgAnswer::Cancel);
    EXPECT_EQ(FindProd(request), Pick());
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].kind, Kind::YesNoCancel);
    EXPECT_EQ(prompter.messages()[0].text, kFindProdQuestion);
    EXPECT_EQ(prompter.messages()[0].title, u"상품 검색"_s);

    prompter.clear();
    prompter.answer(MsgAnswer::No);
    EXPECT_EQ(FindProd(request, true), (Pick{u"000000"_s, u"없는상품"_s}));
    EXPECT_TRUE(prompter.texts()[0].contains(u"않거나,\r\n해당거래처에 등록되지 않았거나,\r\n숨김설정이"_s));

    // Yes: the editor opens with the typed name, and the saved product is the one taken.
    prompter.answer(MsgAnswer::Yes);
    asv::test::whenModal<FrmProd_save>([](FrmProd_save* editor) {
        EXPECT_EQ(editor->field(u"name"_s)->Text(), u"없는상품"_s);
        click(*editor, u"btnSave"_s);
    });
    EXPECT_EQ(FindProd(request), (Pick{u"000202"_s, u"없는상품"_s}));
    EXPECT_EQ(DBRecordCount(u"product"_s, u"name = '없는상품'"_s), 1);
    // One match is taken without a question.
    prompter.clear();
    EXPECT_EQ(FindProd(request), (Pick{u"000202"_s, u"없는상품"_s}));
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(ProductWindows, ClassEditorAddsRenamesAndKeepsTheLastClass)
{
    FrmProd_class editor;
    Grid* grid = editor.list();
    EXPECT_EQ(column(grid, 1), (QStringList{u"가전"_s, u"공구"_s, QString()}));
    ASSERT_TRUE(grid->editCell(2, 1, u"조명 '똠'"_s));
    EXPECT_EQ(column(grid, 0), (QStringList{u"0002"_s, u"0001"_s, u"0003"_s, QString()}));
    ASSERT_TRUE(grid->editCell(0, 1, u"생활가전"_s));
    EXPECT_EQ(DBRecordCount(u"product"_s, u"classname = '생활가전'"_s), 3);

    // In use: refused after the question.
    grid->selectRow(0);
    prompter.answer(MsgAnswer::Yes);
    click(editor, u"btnDelete"_s);
    EXPECT_EQ(prompter.texts().last(),
              u"선택된 분류에 속하는 상품이 존재하므로 삭제할 수 없습니다.\r\n\r\n상품을 먼저 삭제해 주세요."_s);
    grid->selectRow(2);
    prompter.answer(MsgAnswer::Yes);
    click(editor, u"btnDelete"_s);
    EXPECT_EQ(prompter.texts().last(), u"자료를 삭제하였습니다."_s);
    EXPECT_EQ(DBRecordCount(u"pclass"_s), 2);

    DBExecute(u"DELETE FROM pclass WHERE code = '0001'"_s);
    editor.Refresh_Sheet();
    prompter.clear();
    grid->selectRow(0);
    click(editor, u"btnDelete"_s);
    EXPECT_EQ(prompter.texts(), QStringList{u"삭제불가!\r\n최소 1개의 분류는 있어야 합니다."_s});
    EXPECT_EQ(DBRecordCount(u"pclass"_s), 1);
}

TEST_F(ProductWindows, CommandsFindLookUpBarcodesAndShowProducts)
{
    const QString found = commandOutput(productFind, u"000123"_s, 0) + commandOutput(productFind, u"880"_s, 0);
    EXPECT_EQ(found.split(u'\n').size(), 5) << found.toStdString();
    EXPECT_TRUE(found.startsWith(u"000123\t\t코드상품\t\t0\n"_s)) << found.toStdString();
    EXPECT_EQ(commandOutput(productBarcode, u"&8802"_s, 0), u"000002\n"_s);
    commandOutput(productBarcode, u"8804"_s, 1);
    const QStringList lines = commandOutput(productShow, u"000001"_s, 0).split(u'\n');
    EXPECT_TRUE(lines.contains(u"상품명: 볼트"_s));
    EXPECT_TRUE(lines.contains(u"판매단가: 100"_s));
    commandOutput(productShow, u"000000"_s, 1);
}
