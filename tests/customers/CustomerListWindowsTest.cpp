#include "CustomerListFixture.h"
#include "CustomerScreens.h"
#include "CustomerPickReceiver.h"
#include "CustomerSearch.h"
#include "FrmCust_admin.h"
#include "FrmCust_save.h"
#include "FrmCust_sel.h"
#include "FrmLUser_sel.h"
#include "Grid.h"
#include "GridDriver.h"
#include "HCText.h"
#include "MailDraftCatcher.h"
#include "PickerRegistry.h"
#include "RegistryGuard.h"
#include "ScreenRegistry.h"
#include "SpreadsheetReader.h"
#include "WidgetDriver.h"
#include "ucFindBox.h"
#include "RecordSet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::click;
using asv::test::column;
using asv::test::columnOf;
using asv::test::selectCodes;

namespace {

struct ListWindows : asv::test::CustomerListFixture {
    asv::test::RegistryGuard registry{{kFindKindCust, kFindKindUser}, {u"mnuCustomer"_s}};

    ListWindows()
    {
        CustomerScreens::registerAll();
        FrmLUser_sel::registerPicker();
    }
};

struct Desk : QWidget, CustomerPickReceiver {
    QString shown;
    void ShowPickedCustomer(const QString& code) override { shown = code; }
};

} // namespace

TEST_F(ListWindows, ListShowsCustomersWithUserInChargeCountsThemAndDeletesTheSelectedOnesNotInUse)
{
    const ScreenRegistry::Entry* entry = ScreenRegistry::find(u"mnuCustomer"_s);
    ASSERT_NE(entry, nullptr);
    std::unique_ptr<QWidget> opened(entry->create(nullptr));
    auto* list = qobject_cast<FrmCust_admin*>(opened.get());
    ASSERT_NE(list, nullptr);

    EXPECT_EQ(column(list->list(), u"코드"_s), (QStringList{u"000001"_s, u"000002"_s, u"000006"_s}));
    EXPECT_EQ(column(list->list(), u"담당자"_s), (QStringList{u"김담당"_s, u"김담당"_s, u"김담당"_s}));
    EXPECT_EQ(list->list()->cells().displayText(0, columnOf(list->list(), u"현미수"_s)), u"15,000"_s);
    EXPECT_EQ(list->findChild<QLabel*>(u"lblCount"_s)->text(), u"(총 : 5건)"_s);

    list->findChild<QCheckBox*>(u"chkShowHidden"_s)->click();
    EXPECT_EQ(column(list->list(), u"코드"_s),
              (QStringList{u"000001"_s, u"000002"_s, u"000005"_s, u"000006"_s}));
    EXPECT_EQ(column(list->list(), u"숨김"_s), (QStringList{QString(), QString(), u"1"_s, QString()}));

    DBExecute(u"INSERT INTO sale (ccode, dealdate) VALUES ('000002', '2024-05-01')"_s);
    click(*list, u"btnDelete"_s);
    EXPECT_EQ(prompter.texts(), QStringList{u"먼저 그리드에서 삭제할 자료를 선택하세요."_s});

    selectCodes(list->list(), {u"000002"_s, u"000006"_s});
    prompter.clear();
    prompter.answer(MsgAnswer::No);
    click(*list, u"btnDelete"_s);
    EXPECT_EQ(prompter.texts(), QStringList{u"선택된 자료를 정말로 삭제 하시겠습니까?"_s});
    EXPECT_EQ(DBRecordCount(u"customer"_s), 6);

    prompter.clear();
    prompter.answer(MsgAnswer::Yes);
    click(*list, u"btnDelete"_s);
    EXPECT_EQ(prompter.texts(), (QStringList{u"선택된 자료를 정말로 삭제 하시겠습니까?"_s,
                                             u"해당 데이터가 「매출전표(샘플출고)」에서 사용중이기 때문에 삭제할 수 없습니다."_s,
                                             u"1건의 자료를 삭제하였습니다."_s}));
    EXPECT_EQ(column(list->list(), u"코드"_s), (QStringList{u"000001"_s, u"000002"_s, u"000005"_s}));
    EXPECT_EQ(DBRecordCount(u"customer"_s, u"code = '000006'"_s), 0);
    EXPECT_EQ(list->findChild<QLabel*>(u"lblCount"_s)->text(), u"(총 : 4건)"_s);
}

TEST_F(ListWindows, CustomisedEditionShowsModelAndSerialNumber)
{
    App().EditionCode = u"Tamber"_s;
    FrmCust_admin list;
    list.findChild<QComboBox*>(u"cmbFindKey"_s)->setCurrentText(u"S/N"_s);
    list.findChild<QLineEdit*>(u"txtFind"_s)->setText(u"SN7"_s);
    click(list, u"btnFind"_s);
    EXPECT_EQ(column(list.list(), u"모델명"_s), QStringList{u"TV-7"_s});

    FrmCust_sel picker;
    EXPECT_EQ(picker.FindRecords(u"한빛"_s, {}), 1);
    EXPECT_EQ(column(picker.list(), u"S/N"_s), QStringList{u"SN77"_s});
}

TEST_F(ListWindows, SearchByKeyAndOperatorExportsAndPrintsTheShownRowsAndRemembersTheOrder)
{
    {
        // Export and print give the shown rows.
        FrmCust_admin list;
        list.findChild<QComboBox*>(u"cmbFindKey"_s)->setCurrentText(u"약칭"_s);
        list.findChild<QLineEdit*>(u"txtFind"_s)->setText(u"대한"_s);
        click(list, u"btnFind"_s);
        ExcelExportOptions options;
        options.path = db.programFolder() + u"/list.xlsx"_s;
        options.silent = true;
        options.openAfter = false;
        ASSERT_EQ(list.exportList(options), options.path);
        const QList<QStringList> rows = SpreadsheetReader::open(options.path)->readSheet(0);
        ASSERT_EQ(rows.size(), 2);
        EXPECT_EQ(rows[1].mid(0, 8), (QStringList{u"대한상사"_s, u"대한"_s, u"000001"_s, u"김대한"_s, u"김담당"_s,
                                                  u"02-1234-5678"_s, QString(), u"15000"_s}));
        const QString pdf = db.programFolder() + u"/list.pdf"_s;
        EXPECT_TRUE(list.listPrinter().printToPdf(pdf));
        EXPECT_GT(QFileInfo(pdf).size(), 0);

        list.findChild<QComboBox*>(u"cmbFindKey"_s)->setCurrentText(u"상호"_s);
        list.findChild<QComboBox*>(u"cmbFindOP"_s)->setCurrentIndex(1); // starts with
        auto* txtFind = list.findChild<QLineEdit*>(u"txtFind"_s);
        txtFind->setText(u"대한"_s);
        QTest::keyClick(txtFind, Qt::Key_Return);
        EXPECT_EQ(column(list.list(), u"코드"_s), (QStringList{u"000001"_s, u"000006"_s}));

        list.findChild<QComboBox*>(u"cmbOrderBy"_s)->setCurrentIndex(CustomerSearch::ByAlias);
        EXPECT_EQ(column(list.list(), u"코드"_s), (QStringList{u"000006"_s, u"000001"_s}));

        list.findChild<QComboBox*>(u"cmbFindKey"_s)->setCurrentText(u"Tel,HP"_s);
        list.findChild<QComboBox*>(u"cmbFindOP"_s)->setCurrentIndex(2); // ends with
        txtFind->setText(u"5432"_s);
        click(list, u"btnFind"_s);
        EXPECT_EQ(column(list.list(), u"코드"_s), QStringList{u"000002"_s});
        EXPECT_TRUE(prompter.texts().isEmpty());

        txtFind->setText(u"0000"_s);
        click(list, u"btnFind"_s);
        EXPECT_EQ(list.list()->rowCount(), 0);
        EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Notice), QStringList{u"검색된 결과가 없습니다."_s});
    }
    FrmCust_admin again;
    EXPECT_EQ(again.findChild<QComboBox*>(u"cmbOrderBy"_s)->currentIndex(), CustomerSearch::ByAlias);
    EXPECT_EQ(column(again.list(), u"코드"_s).first(), u"000006"_s);
}

TEST_F(ListWindows, EditorOpensForTheSelectedCustomerAndTheListFollowsItsSave)
{
    FrmCust_admin list;
    click(list, u"btnEdit"_s);
    click(list, u"btnCopy"_s);
    EXPECT_EQ(prompter.texts(), (QStringList{u"먼저 그리드에서 수정할 자료를 선택하세요."_s,
                                             u"먼저 그리드에서 복사할 자료를 선택하세요."_s}));
    EXPECT_EQ(list.findChild<FrmCust_save*>(), nullptr);

    selectCodes(list.list(), {u"000001"_s});
    click(list, u"btnEdit"_s);
    auto* editor = list.findChild<FrmCust_save*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->mode(), FrmCust_save::EditRecord);
    editor->field(u"bigo"_s)->SetText(u"새 메모"_s);
    selectCodes(list.list(), {u"000002"_s});
    prompter.answer(MsgAnswer::Yes); // the hidden customer has the same telephone number
    click(*editor, u"btnSave"_s);
    EXPECT_EQ(prompter.texts().last(), u"자료가 저장되었습니다."_s);
    const int row = static_cast<int>(column(list.list(), u"코드"_s).indexOf(u"000001"_s));
    EXPECT_EQ(list.list()->text(row, columnOf(list.list(), u"메모"_s)), u"새 메모"_s);
    EXPECT_EQ(list.list()->selectedRows(), QList<int>{row});
}

TEST_F(ListWindows, TheListAndTheEditorHandTheirCustomerToTheMailScreen)
{
    DBExecute(u"UPDATE customer SET email = 'daehan@customer.example' WHERE code = '000001'"_s);
    test::MailDraftCatcher mail;
    FrmCust_admin list;
    click(list, u"btnEMail"_s);
    EXPECT_EQ(prompter.texts().last(), u"먼저 그리드에서 메일을 보낼 고객을 선택하세요."_s);
    EXPECT_EQ(mail.opened, 0);
    selectCodes(list.list(), {u"000001"_s});
    click(list, u"btnEMail"_s);
    ASSERT_TRUE(mail.last);
    EXPECT_EQ(mail.last->toName, u"대한상사"_s);
    EXPECT_EQ(mail.last->toAddress, u"daehan@customer.example"_s);

    // The editor sends to what it shows, saved or not.
    FrmCust_save editor;
    editor.field(u"compname"_s)->SetText(u"새상사"_s);
    editor.field(u"email"_s)->SetText(u" new@customer.example "_s);
    click(editor, u"btnEMail"_s);
    EXPECT_EQ(mail.opened, 2);
    EXPECT_EQ(mail.last->toName, u"새상사"_s);
    EXPECT_EQ(mail.last->toAddress, u"new@customer.example"_s);
}

TEST_F(ListWindows, PickerSearchesShowsShortNamesAndReturnsCodeAndName)
{
    FrmCust_sel picker;
    EXPECT_EQ(picker.FindRecords(u"12345678"_s, {}), 1);
    EXPECT_EQ(picker.Result(), (Pick{u"000001"_s, u"대한상사"_s}));
    EXPECT_EQ(picker.FindRecords(u"대한"_s, {}), 2);
    EXPECT_EQ(picker.Result(), Pick());
    EXPECT_EQ(column(picker.list(), u"상호"_s), (QStringList{u"대한상사"_s, u"대한정밀"_s}));
    // The code travels with the pick but is not shown.
    EXPECT_TRUE(picker.list()->isColumnHidden(0));

    // Without company names the short name stands first; a customer without one keeps the name.
    picker.findChild<QCheckBox*>(u"chkViewCName"_s)->click();
    EXPECT_EQ(column(picker.list(), u"상호"_s), (QStringList{u"대한"_s, u"대한정밀"_s}));

    picker.list()->clearSelection();
    click(picker, u"btnSel"_s);
    EXPECT_EQ(prompter.texts(), QStringList{u"리스트에서 자료를 선택하세요."_s});

    auto* txtFind = picker.findChild<QLineEdit*>(u"txtFind"_s);
    txtFind->setText(u"없는고객"_s);
    QTest::keyClick(txtFind, Qt::Key_Return);
    EXPECT_EQ(prompter.texts().last(), u"검색된 자료가 없습니다."_s);

    picker.findChild<QComboBox*>(u"cmbFindKey"_s)->setCurrentText(u"코드"_s);
    EXPECT_EQ(picker.findChild<QComboBox*>(u"cmbFindOP"_s)->currentText().left(2), u"s*"_s);
    txtFind->setText(u"00000"_s);
    QTest::keyClick(txtFind, Qt::Key_Return);
    EXPECT_EQ(picker.list()->rowCount(), 5);
    selectCodes(picker.list(), {u"000004"_s});
    click(picker, u"btnSel"_s);
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(picker.Result(), (Pick{u"000004"_s, u"퇴사담당상사"_s}));

    FrmCust_sel next;
    EXPECT_FALSE(next.findChild<QCheckBox*>(u"chkViewCName"_s)->isChecked());
    // Opened by the operator, the key shown is the key searched: "상호" is the name alone.
    auto* typed = next.findChild<QLineEdit*>(u"txtFind"_s);
    typed->setText(u"가나"_s);
    QTest::keyClick(typed, Qt::Key_Return);
    EXPECT_EQ(next.list()->rowCount(), 0);

    // A desk that asked is handed the pick; nothing is left to return.
    Desk desk;
    next.SetCalledForm(&desk);
    next.FindRecords(u"대한"_s, {});
    selectCodes(next.list(), {u"000006"_s});
    click(next, u"btnSel"_s);
    EXPECT_EQ(desk.shown, u"000006"_s);
    EXPECT_EQ(next.Result(), Pick());
}

TEST_F(ListWindows, FindBoxTakesAnExactCodeThenTheOneMatchAndForgetsTheCodeWhenRetyped)
{
    // The same digits stand in another customer's name.
    DBExecute(u"INSERT INTO customer (code, compname, compalias, charge) VALUES "
              u"('000123', '코드상사', '', '01'), ('000200', '상사000123', '', '01')"_s);
    ucFindBox box;
    QSignalSpy found(&box, &ucFindBox::found);
    QSignalSpy keys(&box, &ucFindBox::keyDown);
    const QList<std::pair<QString, Pick>> typed{{u"000123"_s, {u"000123"_s, u"코드상사"_s}},
                                                {u"가나"_s, {u"000002"_s, u"한빛전자"_s}}, // a short name
                                                {u"한빛"_s, {u"000002"_s, u"한빛전자"_s}}};
    for (const auto& [text, pick] : typed) {
        box.SetText(text);
        QTest::keyClick(box.editor(), Qt::Key_Return);
        EXPECT_EQ((Pick{box.code(), box.Text()}), pick) << text.toStdString();
    }
    EXPECT_EQ(found.count(), 3);
    EXPECT_TRUE(prompter.messages().isEmpty());

    QTest::keyClick(box.editor(), Qt::Key_F3);
    EXPECT_EQ(keys.last().at(0).toInt(), int(Qt::Key_F3));
    QTest::keyClick(box.editor(), Qt::Key_Backspace);
    EXPECT_EQ(box.code(), QString());
    EXPECT_EQ(box.Text(), u"한빛전"_s);

    // A hidden customer's code is no match, and the asking field's condition still applies.
    box.SetText(u"000005"_s);
    EXPECT_FALSE(box.ProcFind());
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::YesNo), 1);
    ucFindBox filtered;
    filtered.setFilterVal(u"c.code <> '000123'"_s);
    filtered.SetText(u"000123"_s);
    EXPECT_TRUE(filtered.ProcFind());
    EXPECT_EQ(filtered.code(), u"000200"_s);

    box.FindName(u"000001"_s);
    EXPECT_EQ(box.Text(), u"대한상사"_s);
    box.setFindType(ucFindBox::FindUserKind);
    box.SetText(u"김담"_s);
    EXPECT_TRUE(box.ProcFind());
    EXPECT_EQ((Pick{box.code(), box.Text()}), (Pick{u"01"_s, u"김담당"_s}));
    prompter.clear();
    box.setFindType(9);
    EXPECT_FALSE(box.ProcFind());
    EXPECT_EQ(prompter.texts(), QStringList{u"fixme"_s});
}

TEST_F(ListWindows, ACustomerSavedThroughThePickerIsListedAndSelected)
{
    FrmCust_sel picker;
    ASSERT_EQ(picker.FindRecords(u"대한"_s, {}), 2);
    click(picker, u"btnNew"_s);
    auto* editor = picker.findChild<FrmCust_save*>();
    ASSERT_NE(editor, nullptr);
    QString savedCode;
    QObject::connect(editor, &FrmCust_save::saved, [&savedCode](int, const QString& code) { savedCode = code; });
    // A name the shown search does not find.
    editor->field(u"compname"_s)->SetText(u"새로운상회"_s);
    click(*editor, u"btnSave"_s);
    ASSERT_FALSE(savedCode.isEmpty());
    EXPECT_EQ(column(picker.list(), u"코드"_s), QStringList{savedCode});
    EXPECT_EQ(picker.list()->selectedRows(), QList<int>{0});
    click(picker, u"btnSel"_s);
    EXPECT_EQ(picker.Result(), (Pick{savedCode, u"새로운상회"_s}));

    // One the search does find keeps the search's other rows.
    FrmCust_sel again;
    again.FindRecords(u"대한"_s, {});
    selectCodes(again.list(), {u"000006"_s});
    click(again, u"btnEdit"_s);
    auto* edit = again.findChild<FrmCust_save*>();
    ASSERT_NE(edit, nullptr);
    edit->field(u"bigo"_s)->SetText(u"메모"_s);
    prompter.answer(MsgAnswer::Yes); // the same number as others
    click(*edit, u"btnSave"_s);
    EXPECT_EQ(column(again.list(), u"코드"_s), (QStringList{u"000001"_s, u"000006"_s}));
    EXPECT_EQ(again.list()->selectedRows(), QList<int>{1});
}

TEST_F(ListWindows, FindBoxLetsTheOperatorPickAmongSeveralOrRegisterTheUnknown)
{
    ucFindBox box;
    box.SetText(u"대한"_s);
    asv::test::whenModal<FrmCust_sel>([](FrmCust_sel* picker) {
        EXPECT_EQ(picker->list()->rowCount(), 2);
        selectCodes(picker->list(), {u"000006"_s});
        click(*picker, u"btnSel"_s);
    });
    EXPECT_TRUE(box.ProcFind());
    EXPECT_EQ((Pick{box.code(), box.Text()}), (Pick{u"000006"_s, u"대한정밀"_s}));

    // Closing the picker takes nothing and offers no registration.
    box.SetText(u"대한"_s);
    box.setCode({});
    asv::test::whenModal<FrmCust_sel>([](FrmCust_sel* picker) { click(*picker, u"btnClose"_s); });
    EXPECT_FALSE(box.ProcFind());
    EXPECT_EQ(box.code(), QString());
    EXPECT_TRUE(prompter.texts().isEmpty());

    // A picker registered after the editor keeps it.
    FrmCust_sel::registerPicker();
    box.SetText(u"(유)새고객"_s);
    prompter.answer(MsgAnswer::No);
    EXPECT_FALSE(box.ProcFind());
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].text, u"검색한 고객가 등록되어 있지 않습니다.\r\n신규 등록하겠습니까?"_s);
    EXPECT_EQ(prompter.messages()[0].title, u"고객 검색"_s);
    // Yes opens the editor on the typed name; closing it takes nothing, saving takes the new one.
    prompter.answer(MsgAnswer::Yes);
    asv::test::whenModal<FrmCust_save>([](FrmCust_save* editor) { editor->reject(); });
    EXPECT_FALSE(box.ProcFind());
    prompter.answer(MsgAnswer::Yes);
    asv::test::whenModal<FrmCust_save>([](FrmCust_save* editor) {
        EXPECT_EQ(editor->field(u"compalias"_s)->Text(), u"새고객"_s);
        click(*editor, u"btnSave"_s);
    });
    EXPECT_TRUE(box.ProcFind());
    EXPECT_EQ((Pick{box.code(), box.Text()}), (Pick{u"000007"_s, u"(유)새고객"_s}));

    // A box that may not register only says so.
    prompter.clear();
    box.setAddNew(false);
    box.SetText(u"없는고객"_s);
    EXPECT_FALSE(box.ProcFind());
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Info), QStringList{u"검색한 고객이(가) 등록되어 있지 않습니다."_s});
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::YesNo), 0);
}

TEST_F(ListWindows, FindBoxWithAutoTabMovesOn)
{
    QWidget host;
    auto* before = new QLineEdit(&host);
    auto* box = new ucFindBox(&host);
    auto* after = new QLineEdit(&host);
    auto* layout = new QVBoxLayout(&host);
    layout->addWidget(before);
    layout->addWidget(box);
    layout->addWidget(after);
    box->setAutoTab(true);
    box->setCodeShow(true);
    host.show();
    QApplication::setActiveWindow(&host);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));

    box->setFocus();
    box->SetText(u"한빛"_s);
    QTest::keyClick(box->editor(), Qt::Key_Return);
    EXPECT_EQ(box->findChild<QLabel*>(u"lblCode"_s)->text(), u"000002"_s);
    EXPECT_EQ(QApplication::focusWidget(), after);

    box->setFocus();
    QTest::keyClick(box->editor(), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), before);
}
