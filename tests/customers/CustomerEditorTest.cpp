#include "AppState.h"
#include "Clock.h"
#include "CustomerStore.h"
#include "FrmCust_addTel.h"
#include "FrmCust_save.h"
#include "FrmLUser_sel.h"
#include "HCText.h"
#include "RegistryGuard.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "UserSettings.h"
#include "WidgetDriver.h"
#include "ZipcodeLookup.h"
#include "modMySQL_Func.h"
#include "ucFindBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;
using Kind = ScriptedPrompter::Kind;

namespace {

const QString kNotSaved = u"수정된 내용이 없거나, 자료저장을 실패하였습니다."_s;
const QString kSaved = u"자료가 저장되었습니다."_s;

struct EditorFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;
    asv::test::RegistryGuard registry{{kFindKindUser}};

    EditorFixture() { App().EditionCode.clear(); }
    ~EditorFixture() override { App().EditionCode.clear(); }

    static void click(const QWidget& w, const QString& name) { w.findChild<QAbstractButton*>(name)->click(); }
    static QCheckBox* box(const QWidget& w, const QString& name) { return w.findChild<QCheckBox*>(name); }
    static void leave(QWidget* field)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(field, &out);
    }
    static QString value(const QString& column, const QString& code = u"000001"_s)
    {
        return DBGetValue(u"SELECT "_s + column + u" FROM customer WHERE code = '"_s + code + u'\'');
    }
    static void addCustomer(const QString& code, const QString& name, const QString& alias, const QString& tel = {})
    {
        CustomerRecord c;
        c.code = code;
        c.compname = name;
        c.compalias = alias;
        c.telno1 = tel;
        ASSERT_EQ(CustomerStore().insert(c, false), 1);
    }
};

} // namespace

TEST_F(EditorFixture, NewCustomerIsSavedWithEveryFieldAndReadBackUnchanged)
{
    FrmLUser_sel::registerPicker();
    Clock::setFixed(QDateTime(QDate(2024, 3, 31), QTime(9, 0)));
    FrmCust_save editor;
    editor.show();
    QStringList synced;
    QObject::connect(&editor, &FrmCust_save::saved, [&](int, const QString& code) { synced << code; });
    EXPECT_EQ(editor.windowTitle(), u"고객 - 『신규입력』"_s);
    EXPECT_TRUE(editor.field(u"code"_s)->isReadOnly());
    EXPECT_FALSE(editor.field(u"modelname"_s)->isVisibleTo(&editor));
    // A new customer starts as the operator's.
    App().UserCode = u"00"_s;
    FrmCust_save fresh;
    fresh.SetFormMode(FrmCust_save::NewRecord);
    EXPECT_EQ(fresh.findChild<ucFindBox*>(u"fbUser"_s)->code(), u"00"_s);

    const QList<std::pair<QString, QString>> texts{
        {u"compname"_s, u"O'Neil \\ 똠방각하"_s}, {u"compalias"_s, u"'\\'"_s},  {u"ceoname"_s, u"뷁'"_s},
        {u"telno1"_s, u"02-123-4567"_s},          {u"fax"_s, u"02-123-4568"_s},   {u"hpno"_s, u"010-1234-5678"_s},
        {u"compsn"_s, u"123-45-67891"_s},        {u"status"_s, u"도\\소매"_s},    {u"item"_s, u"가'전"_s},
        {u"zipcode"_s, u"06236"_s},              {u"addr1"_s, u"서울 \"강남\""_s}, {u"addr2"_s, u"1'2\\3"_s},
        {u"bigo"_s, u"메모 '%_' \\n 햏"_s},       {u"email"_s, u"a'b@c.kr"_s},    {u"telno2"_s, u"031-111-2222"_s},
        {u"telno3"_s, u"\\'"_s},                 {u"telno4"_s, u"010-9999-0000"_s}, {u"basemoney"_s, u"5000"_s},
    };
    for (const auto& [column, text] : texts)
        editor.field(column)->SetText(text);
    // Not this edition's: left alone.
    editor.field(u"agency"_s)->SetText(u"대리점"_s);
    auto* user = editor.findChild<ucFindBox*>(u"fbUser"_s);
    asv::test::typeText(user->editor(), u"관리"_s);
    QTest::keyClick(user->editor(), Qt::Key_Return);
    auto* vat = editor.findChild<QComboBox*>(u"cmbVATType"_s);
    vat->setCurrentIndex(vat->findData(2));
    box(editor, u"chkHidden"_s)->setChecked(true);

    click(editor, u"btnSave"_s);
    Clock::clearFixed();
    EXPECT_EQ(prompter.texts(), QStringList{kSaved}) << prompter.texts().join(u'\n').toStdString();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(editor.AddedRec(), (Pick{u"000001"_s, u"O'Neil \\ 똠방각하"_s}));
    EXPECT_EQ(synced, QStringList{u"000001"_s});
    EXPECT_EQ(QStringList({value(u"charge"_s), value(u"taxmode"_s), value(u"hidden"_s), value(u"regdate"_s),
                           value(u"agency"_s)}),
              QStringList({u"00"_s, u"2"_s, u"1"_s, u"2024-03-31"_s, QString()}));
    EXPECT_EQ(value(u"nowmoney"_s).toDouble(), 5000);

    FrmCust_save edit;
    edit.show();
    edit.SetFormMode(FrmCust_save::EditRecord, u"000001"_s);
    EXPECT_EQ(edit.windowTitle(), u"고객 - 『수정』"_s);
    EXPECT_TRUE(edit.field(u"code"_s)->isReadOnly());
    EXPECT_FALSE(box(edit, u"chkAutoCode"_s)->isEnabled());
    for (const auto& [column, text] : texts)
        EXPECT_EQ(edit.field(column)->Text(), text) << column.toStdString();
    EXPECT_EQ(edit.findChild<ucFindBox*>(u"fbUser"_s)->Text(), u"관리자"_s);
    EXPECT_EQ(edit.findChild<QComboBox*>(u"cmbVATType"_s)->currentData().toInt(), 2);
    EXPECT_TRUE(box(edit, u"chkHidden"_s)->isChecked());

    QTest::keyClicks(edit.field(u"code"_s), u"9"_s);
    EXPECT_EQ(prompter.texts().last(), u"코드는 수정할 수 없습니다."_s);
    EXPECT_EQ(edit.field(u"code"_s)->Text(), u"000001"_s);
    // The database reports no changed row.
    prompter.clear();
    click(edit, u"btnSave"_s);
    EXPECT_EQ(prompter.texts(), QStringList{kNotSaved});
    EXPECT_TRUE(edit.isVisible());
}

TEST_F(EditorFixture, OpeningBalanceMovesTheCurrentBalanceAndACopyStartsWithoutEither)
{
    CustomerRecord c;
    c.code = u"000001"_s;
    c.compname = u"한빛"_s;
    c.addr1 = u"서울"_s;
    c.basemoney = 100000;
    ASSERT_EQ(CustomerStore().insert(c, false), 1);
    DBExecute(u"UPDATE customer SET nowmoney = 300000"_s);

    FrmCust_save editor;
    editor.show();
    editor.SetFormMode(FrmCust_save::EditRecord, c.code);
    EXPECT_EQ(editor.field(u"basemoney"_s)->Text(), u"100000"_s);
    editor.field(u"basemoney"_s)->SetText(u"150000"_s);
    click(editor, u"btnSave"_s);
    EXPECT_EQ(prompter.texts(), QStringList{kSaved});
    EXPECT_EQ(value(u"nowmoney"_s).toDouble(), 350000);
    EXPECT_EQ(value(u"basemoney"_s).toDouble(), 150000);
    EXPECT_EQ(editor.field(u"nowmoney"_s)->Text(), u"350000"_s);
    EXPECT_TRUE(editor.AddedRec().isEmpty());

    FrmCust_save copy;
    copy.show();
    copy.SetFormMode(FrmCust_save::CopyRecord, c.code);
    copy.field(u"compname"_s)->SetText(u"한빛2"_s);
    copy.field(u"compalias"_s)->SetText(u"한빛2"_s);
    click(copy, u"btnSave"_s);
    EXPECT_EQ(QStringList({value(u"addr1"_s, u"000002"_s), value(u"nowmoney"_s, u"000002"_s)}),
              QStringList({u"서울"_s, u"0.0000"_s}));
}

TEST_F(EditorFixture, NoNameAUserTypedWithoutEnterOrTextTheCodePageCannotHoldStopTheSave)
{
    FrmCust_save editor;
    editor.show();
    click(editor, u"btnSave"_s);
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].text, u"[상호명]은(는) 필수 입력 사항입니다."_s);
    EXPECT_EQ(prompter.messages()[0].title, u"필수입력"_s);

    editor.field(u"compname"_s)->SetText(u"한빛"_s);
    asv::test::typeText(editor.findChild<ucFindBox*>(u"fbUser"_s)->editor(), u"김"_s);
    click(editor, u"btnSave"_s);
    EXPECT_EQ(prompter.texts().last(),
              u"담당자 입력후 엔터를 치지 않아 코드를 알수 없습니다.\r\n담당자에서 엔터를 치세요."_s);

    editor.findChild<ucFindBox*>(u"fbUser"_s)->clear();
    editor.field(u"bigo"_s)->SetText(u"가격 ₩1000"_s);
    click(editor, u"btnSave"_s);
    ASSERT_EQ(prompter.count(Kind::Warn), 1);
    EXPECT_TRUE(prompter.texts(Kind::Warn)[0].contains(u"20A9"_s));
    EXPECT_EQ(editor.field(u"bigo"_s)->Text(), u"가격 ₩1000"_s);
    editor.field(u"bigo"_s)->SetText(u"가격 ￦1000"_s);
    editor.addTel()->telNo(3)->SetText(u"02\u2013123"_s);
    click(editor, u"btnSave"_s);
    EXPECT_EQ(prompter.count(Kind::Warn), 2);
    EXPECT_EQ(DBRecordCount(u"customer"_s), 0);
    // The refused number is shown where it can be corrected, and goes away with the editor.
    EXPECT_TRUE(editor.addTel()->isVisible());
    prompter.answer(MsgAnswer::Yes);
    editor.reject();
    EXPECT_FALSE(editor.addTel()->isVisible());
}

TEST_F(EditorFixture, DuplicateNameShortNameAndTelephoneAskAndNoStops)
{
    addCustomer(u"000001"_s, u"한빛상사"_s, u"한빛"_s, u"02-123-4567"_s);
    addCustomer(u"000002"_s, u"대성"_s, u"대성"_s, u"0212345678"_s);
    FrmCust_save editor;
    editor.show();
    editor.field(u"compname"_s)->SetText(u"한빛상사"_s);
    editor.field(u"compalias"_s)->SetText(u"한빛"_s);
    editor.field(u"telno1"_s)->SetText(u"02-123-4567"_s);

    const QString then = u"\r\n\r\n그래도, 등록하시겠습니까?"_s;
    const QStringList questions{u"『한빛상사』는 이미 등록된 상호명입니다."_s + then,
                                u"『한빛』는 이미 등록된 약칭입니다."_s + then,
                                u"『02-123-4567』는 이미 등록된 전화번호 입니다."_s + then};
    // No to the n-th question stops there.
    for (int n = 1; n <= 3; ++n) {
        prompter.clear();
        for (int yes = 1; yes < n; ++yes)
            prompter.answer(MsgAnswer::Yes);
        prompter.answer(MsgAnswer::No);
        click(editor, u"btnSave"_s);
        EXPECT_EQ(prompter.texts(), questions.mid(0, n));
        EXPECT_EQ(DBRecordCount(u"customer"_s), 2);
    }
    QStringList titles;
    for (const auto& question : prompter.messages())
        titles << question.title;
    EXPECT_EQ(titles, (QStringList{u"동일 상호명 발견"_s, u"동일 약칭 발견"_s, u"동일 전화번호 발견"_s}));
    EXPECT_TRUE(editor.isVisible());

    prompter.clear();
    for (int i = 0; i < 3; ++i)
        prompter.answer(MsgAnswer::Yes);
    click(editor, u"btnSave"_s);
    EXPECT_EQ(value(u"compname"_s, u"000003"_s), u"한빛상사"_s);

    // Its own values do not count for the customer being edited, and the hyphenated number does
    // not match 000002's bare digits.
    prompter.clear();
    FrmCust_save edit;
    edit.show();
    edit.SetFormMode(FrmCust_save::EditRecord, u"000002"_s);
    edit.field(u"telno1"_s)->SetText(u"02-1234-5678"_s);
    click(edit, u"btnSave"_s);
    EXPECT_EQ(prompter.texts(), QStringList{kSaved});
}

TEST_F(EditorFixture, AutomaticCodesSkipLetterCodesAndStopAfter999999AndTypedCodesAreCompletedOrRefused)
{
    addCustomer(u"000009"_s, u"가"_s, u"가"_s);
    addCustomer(u"A00001"_s, u"나"_s, u"나"_s);
    addCustomer(u"12345A"_s, u"나나"_s, u"나나"_s);
    addCustomer(u"AB0041"_s, u"마"_s, u"마"_s);
    UserSettings::set(u"Config"_s, u"거래처등록부가세기본값"_s, u"2"_s);
    FrmCust_save editor;
    editor.show();
    box(editor, u"chkContinueAdd"_s)->setChecked(true);
    auto* user = editor.findChild<ucFindBox*>(u"fbUser"_s);
    user->FindName(u"00"_s);
    editor.field(u"compname"_s)->SetText(u"다"_s);
    editor.field(u"basemoney"_s)->SetText(u"700"_s);
    click(editor, u"btnSave"_s);
    EXPECT_EQ(editor.AddedRec(), (Pick{u"000010"_s, u"다"_s}));
    // Continued entry: cleared fields with the VAT default, still a new customer.
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(QStringList({editor.field(u"compname"_s)->Text(), editor.field(u"basemoney"_s)->Text()}),
              QStringList({QString(), u"0"_s}));
    EXPECT_EQ(editor.findChild<QComboBox*>(u"cmbVATType"_s)->currentData().toInt(), 2);
    EXPECT_EQ(user->code(), u"00"_s);

    addCustomer(u"999999"_s, u"끝"_s, u"끝"_s);
    prompter.clear();
    editor.field(u"compname"_s)->SetText(u"라"_s);
    click(editor, u"btnSave"_s);
    EXPECT_EQ(prompter.texts(), QStringList({u"해당 순번이 최대값을 넘어 자동으로 값을 구할 수가 없습니다."_s,
                                             u"[코드]은(는) 필수 입력 사항입니다."_s}));
    EXPECT_EQ(DBRecordCount(u"customer"_s), 6);
    EXPECT_EQ(editor.field(u"compname"_s)->Text(), u"라"_s);

    // Typed codes are completed or refused when the field is left; the choice is remembered.
    prompter.clear();
    click(editor, u"chkAutoCode"_s);
    HCText* code = editor.field(u"code"_s);
    code->SetText(u"AB"_s);
    prompter.answer(MsgAnswer::Yes);
    leave(code);
    EXPECT_EQ(prompter.texts(), QStringList{u"코드는 6자리를 사용하길 권장합니다. 나머지를 자동으로 채울까요?"_s});
    EXPECT_EQ(code->Text(), u"AB0042"_s);
    prompter.clear();
    code->SetText(u"000009"_s);
    leave(code);
    click(editor, u"btnSave"_s);
    EXPECT_EQ(prompter.texts(), QStringList(2, u"『000009』는 이미 존재하는 코드입니다."_s));
    EXPECT_EQ(value(u"compname"_s, u"000009"_s), u"가"_s);
    code->SetText(u"XY"_s);
    click(editor, u"btnSave"_s);
    EXPECT_EQ(value(u"compname"_s, u"XY"_s), u"라"_s);
    FrmCust_save next;
    EXPECT_FALSE(box(next, u"chkAutoCode"_s)->isChecked());
}

TEST_F(EditorFixture, NameGivesTheShortNameZipcodeClearsAndSearchesAndARegistrationNumberIsOnlyChecked)
{
    QStringList asked;
    ZipcodeLookup::install([&](QWidget*, const QString& zip) {
        asked << zip;
        return std::optional<ZipcodeLookup::Address>({u"06236"_s, u"서울 강남구 테헤란로"_s});
    });
    FrmCust_save editor;
    editor.SetFormMode(FrmCust_save::NewRecord, u"(주)대성"_s);
    ASSERT_TRUE(asv::test::showActive(editor));
    EXPECT_EQ(editor.field(u"compalias"_s)->Text(), u"대성"_s);
    HCText* name = editor.field(u"compname"_s);
    name->SetText(QString());
    asv::test::typeText(name, u"(주)"_s);
    leave(name);
    EXPECT_EQ(editor.field(u"compalias"_s)->Text(), u"(주)"_s);

    HCText* zip = editor.field(u"zipcode"_s);
    editor.field(u"addr1"_s)->SetText(u"옛 주소"_s);
    zip->setFocus();
    asv::test::typeText(zip, u"0"_s);
    EXPECT_EQ(editor.field(u"addr1"_s)->Text(), QString());
    QTest::keyClick(zip, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !editor.field(u"addr1"_s)->Text().isEmpty(); }));
    EXPECT_EQ(asked, QStringList{u"0"_s});
    EXPECT_EQ(editor.field(u"addr1"_s)->Text(), u"서울 강남구 테헤란로"_s);
    EXPECT_TRUE(editor.field(u"addr2"_s)->hasFocus());

    zip->SetText(u"12345-678"_s);

    HCText* sn = editor.field(u"compsn"_s);
    sn->SetText(u"1234567890"_s);
    leave(sn);
    EXPECT_EQ(prompter.texts(), QStringList{u"유효한 주민등록번호 또는 사업자등록 번호가 아닙니다."_s});
    prompter.clear();
    click(editor, u"btnSave"_s);
    EXPECT_EQ(prompter.texts(), QStringList{kSaved});
    EXPECT_EQ(QStringList({value(u"compsn"_s), value(u"zipcode"_s)}), QStringList({u"1234567890"_s, u"12345-6"_s}));
    ZipcodeLookup::install({});
}

TEST_F(EditorFixture, CustomisedEditionEditsItsOwnColumns)
{
    App().EditionCode = u"Tamber"_s;
    FrmCust_save editor;
    editor.show();
    EXPECT_TRUE(editor.field(u"modelname"_s)->isVisibleTo(&editor));
    EXPECT_TRUE(editor.field(u"serialnumber"_s)->isVisibleTo(&editor));
    const QList<std::pair<QString, QString>> texts{
        {u"modelname"_s, u"TV'똠\\1"_s}, {u"agency"_s, u"대리'점\\"_s},     {u"giftname"_s, u"\\우산'"_s},
        {u"setupuser"_s, u"김'기사"_s},  {u"buydate"_s, u"2024-03-31\\'"_s}, {u"serialnumber"_s, u"SN'1\\똠"_s},
    };
    editor.field(u"compname"_s)->SetText(u"탐버"_s);
    for (const auto& [column, text] : texts)
        editor.field(column)->SetText(text);
    click(editor, u"btnSave"_s);
    for (const auto& [column, text] : texts)
        EXPECT_EQ(value(column), text) << column.toStdString();

    FrmCust_save edit;
    edit.SetFormMode(FrmCust_save::EditRecord, u"000001"_s);
    for (const auto& [column, text] : texts)
        EXPECT_EQ(edit.field(column)->Text(), text) << column.toStdString();
    edit.field(u"giftname"_s)->SetText(u"우산"_s);
    click(edit, u"btnSave"_s);
    EXPECT_EQ(QStringList({value(u"agency"_s), value(u"giftname"_s)}), QStringList({u"대리'점\\"_s, u"우산"_s}));
}

TEST_F(EditorFixture, EscAndAltCCloseButTypedChangesAreAskedFor)
{
    FrmCust_save untouched;
    ASSERT_TRUE(asv::test::showActive(untouched));
    QTest::keyClick(untouched.field(u"compname"_s), Qt::Key_Escape);
    EXPECT_FALSE(untouched.isVisible());
    ASSERT_TRUE(asv::test::showActive(untouched));
    QTest::keyClick(untouched.field(u"compname"_s), Qt::Key_C, Qt::AltModifier);
    // The close button's mnemonic clicks it after its short press animation.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !untouched.isVisible(); }));
    EXPECT_TRUE(prompter.messages().isEmpty());

    addCustomer(u"000001"_s, u"한빛"_s, u"한빛"_s);
    FrmCust_save editor;
    editor.SetFormMode(FrmCust_save::EditRecord, u"000001"_s);
    ASSERT_TRUE(asv::test::showActive(editor));
    HCText* name = editor.field(u"compname"_s);
    name->setFocus();
    name->end(false);
    asv::test::typeText(name, u"상사"_s);
    prompter.answer(MsgAnswer::No);
    QTest::keyClick(name, Qt::Key_Escape);
    EXPECT_EQ(prompter.texts(Kind::YesNo), QStringList{u"변경된 내용이 있습니다. 저장하지 않고 닫으시겠습니까?"_s});
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(name->Text(), u"한빛상사"_s);

    // A number in the companion window counts as well; Yes closes without writing.
    name->SetText(u"한빛"_s);
    editor.addTel()->telNo(4)->SetText(u"02-555-0000"_s);
    prompter.answer(MsgAnswer::Yes);
    editor.findChild<QPushButton*>(u"BtnClose"_s)->click();
    EXPECT_EQ(prompter.count(Kind::YesNo), 2);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(QStringList({value(u"compname"_s), value(u"telno4"_s)}), QStringList({u"한빛"_s, QString()}));

    DBExecute(u"DROP TABLE customer"_s);
    prompter.clear();
    FrmCust_save broken;
    broken.SetFormMode(FrmCust_save::EditRecord, u"000001"_s);
    EXPECT_TRUE(prompter.texts(Kind::Error).join(u'\n').contains(u"in procedure DispRec of Form FrmCust_save"_s));
}

TEST_F(EditorFixture, TabAndEnterFollowTheFieldOrderWithSaveAndCloseLast)
{
    UserSettings::set(u"Config"_s, u"NewCust_AutoCode"_s, u"0"_s);
    ZipcodeLookup::install([](QWidget*, const QString&) { return std::optional<ZipcodeLookup::Address>(); });
    FrmCust_save editor;
    ASSERT_TRUE(asv::test::showActive(editor));
    auto focusName = [] {
        QWidget* w = QApplication::focusWidget();
        // The user picker's input is a child of the picker.
        return qobject_cast<ucFindBox*>(w->parentWidget()) ? w->parentWidget()->objectName() : w->objectName();
    };
    const QStringList order{u"htCode"_s,     u"chkAutoCode"_s, u"htCompName"_s,  u"htCeoName"_s,    u"htTelNo1"_s,
                            u"btnTelAdd"_s,  u"htFax"_s,       u"htHpNo"_s,      u"htCompSn"_s,     u"htStatus"_s,
                            u"htItem"_s,     u"htZipcode"_s,   u"btnZipcode"_s,  u"htAddr1"_s,      u"htAddr2"_s,
                            u"htBigo"_s,     u"htBaseMoney"_s, u"htCompAlias"_s, u"htEmail"_s,      u"fbUser"_s,
                            u"cmbVATType"_s, u"chkHidden"_s,   u"chkContinueAdd"_s, u"btnSave"_s,   u"BtnClose"_s};
    QStringList tabbed{focusName()};
    for (qsizetype i = 1; i <= order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        tabbed << focusName();
    }
    EXPECT_EQ(tabbed, order + QStringList{u"htCode"_s});

    // Enter walks the same way, past the boxes and the side buttons without pressing them.
    QStringList entered{focusName()};
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        entered << focusName();
    }
    EXPECT_EQ(entered, order.mid(0, 7));
    EXPECT_FALSE(editor.addTel()->isVisible());
    editor.findChild<QCheckBox*>(u"chkHidden"_s)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(focusName(), u"btnSave"_s);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
    ZipcodeLookup::install({});
}

// Two desks saving new customers at one moment both compute the same next code: the one that
// stores second moves on to the next free code and the operator is told which one it got.
TEST_F(EditorFixture, AGeneratedCodeAnotherDeskStoredMeanwhileMovesOnAndIsShown)
{
    addCustomer(u"000001"_s, u"한빛상사"_s, u"한빛"_s);
    FrmCust_save editor;
    editor.show();
    editor.field(u"compname"_s)->SetText(u"한빛상사"_s);
    editor.field(u"compalias"_s)->SetText(u"새한빛"_s);
    // The code is computed before the question about the name; the other desk stores it while it
    // is asked.
    prompter.answerAfter([] { addCustomer(u"000002"_s, u"다른 PC"_s, u"다른"_s); }, MsgAnswer::Yes);
    click(editor, u"btnSave"_s);

    EXPECT_EQ(value(u"compname"_s, u"000002"_s), u"다른 PC"_s);
    EXPECT_EQ(value(u"compname"_s, u"000003"_s), u"한빛상사"_s);
    EXPECT_EQ(editor.field(u"code"_s)->Text(), u"000003"_s);
    EXPECT_TRUE(prompter.texts().contains(u"『000002』는 다른 PC에서 먼저 저장한 코드입니다. 『000003』(으)로 저장했습니다."_s))
        << prompter.texts().join(u'|').toStdString();
    EXPECT_EQ(prompter.texts(Kind::Error), QStringList());
}
