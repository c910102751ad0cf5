#include "Clock.h"
#include "FrmProd_save.h"
#include "HCText.h"
#include "ProductRules.h"
#include "ProductStore.h"
#include "ScriptedPrompter.h"
#include "SerialBarcodeReader.h"
#include "TestDatabase.h"
#include "UserSettings.h"
#include "WidgetDriver.h"
#include "modMySQL_Func.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;
using Kind = ScriptedPrompter::Kind;

namespace {

const QString kSaved = u"자료가 저장되었습니다."_s;

struct ProductEditor : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;

    static void click(const QWidget& w, const QString& name) { w.findChild<QAbstractButton*>(name)->click(); }
    static QCheckBox* box(const QWidget& w, const QString& name) { return w.findChild<QCheckBox*>(name); }
    static QComboBox* combo(const QWidget& w, const QString& name) { return w.findChild<QComboBox*>(name); }
    static QString value(const QString& column, const QString& code)
    {
        return DBGetValue(u"SELECT "_s + column + u" FROM product WHERE code = '"_s + code + u'\'');
    }
    static long products() { return DBRecordCount(u"product"_s); }
    static void add(const QString& code, const QString& name, const QString& norm, const QString& bcode = {})
    {
        ProductRecord p;
        p.code = code;
        p.name = name;
        p.norm = norm;
        p.bcode = bcode;
        p.unit = u"EA"_s;
        ASSERT_EQ(ProductStore().insert(p), 1);
    }
    static void typeNew(FrmProd_save& editor, const QString& name, const QString& norm, const QString& bcode = {})
    {
        editor.field(u"name"_s)->SetText(name);
        editor.field(u"norm"_s)->SetText(norm);
        editor.field(u"bcode"_s)->SetText(bcode);
    }
};

} // namespace

TEST_F(ProductEditor, NewProductIsSavedWithEveryFieldAndEditedWithItsCodeLocked)
{
    DBExecute(u"INSERT INTO pclass (code, name) VALUES ('0001', '공구'), ('0002', '가전 \\'똠\\'')"_s);
    add(u"000007"_s, u"기존"_s, {});
    DBExecute(u"UPDATE product SET unit = '박스' WHERE code = '000007'"_s);
    Clock::setFixed(QDateTime(QDate(2024, 3, 31), QTime(9, 0)));
    FrmProd_save editor;
    editor.show();
    EXPECT_EQ(editor.windowTitle(), u"상품 - 『신규입력』"_s);
    EXPECT_TRUE(editor.field(u"code"_s)->isReadOnly());
    EXPECT_EQ(combo(editor, u"cmbUnit"_s)->currentText(), u"EA"_s);
    // A new product starts in a class, not in none.
    EXPECT_EQ(combo(editor, u"cmbField"_s)->currentIndex(), 1);
    EXPECT_GE(combo(editor, u"cmbUnit"_s)->findText(u"박스"_s), 0);
    QTest::keyClicks(editor.field(u"code"_s), u"1"_s);
    EXPECT_EQ(prompter.texts(), QStringList{u"자동에 체크된 경우 코드는 입력할 수 없습니다."_s});
    EXPECT_EQ(editor.field(u"code"_s)->Text(), QString());
    prompter.clear();

    typeNew(editor, u"O'Neil \\ 똠"_s, u"10\"x2'"_s, u"880'\\1"_s);
    editor.field(u"saleprice"_s)->SetText(u"1500"_s);
    editor.field(u"bigo"_s)->SetText(u"메모 '%_'"_s);
    combo(editor, u"cmbField"_s)->setCurrentText(u"가전 '똠'"_s);
    combo(editor, u"cmbVATType"_s)->setCurrentIndex(0);
    box(editor, u"chkHidden"_s)->setChecked(true);
    // Six Hangul characters are 12 bytes: refused before anything is written.
    combo(editor, u"cmbUnit"_s)->setCurrentText(u"여섯글자단위"_s);
    click(editor, u"btnSave"_s);
    EXPECT_EQ(prompter.texts(), QStringList{UnitTooLongMessage()});
    EXPECT_EQ(products(), 2);

    prompter.clear();
    combo(editor, u"cmbUnit"_s)->setCurrentText(u"다섯글자다"_s);
    click(editor, u"btnSave"_s);
    Clock::clearFixed();
    EXPECT_EQ(prompter.texts(), QStringList{kSaved});
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(editor.AddedRec(), (Pick{u"000008"_s, u"O'Neil \\ 똠"_s}));
    EXPECT_EQ(editor.addedRecText().split(QChar(0)),
              (QStringList{u"000008"_s, u"O'Neil \\ 똠"_s, u"10\"x2'"_s, u"880'\\1"_s, u"1500"_s, u"다섯글자다"_s}));
    EXPECT_EQ(QStringList({value(u"classname"_s, u"000008"_s), value(u"taxmode"_s, u"000008"_s),
                           value(u"hidden"_s, u"000008"_s), value(u"regdate"_s, u"000008"_s),
                           value(u"bigo"_s, u"000008"_s)}),
              QStringList({u"가전 '똠'"_s, u"0"_s, u"1"_s, u"2024-03-31"_s, u"메모 '%_'"_s}));

    FrmProd_save edit;
    edit.show();
    edit.SetFormMode(RecordEditor::EditRecord, u"000008"_s);
    EXPECT_EQ(edit.windowTitle(), u"상품 - 『수정』"_s);
    EXPECT_EQ(edit.field(u"bcode"_s)->Text(), u"880'\\1"_s);
    EXPECT_EQ(combo(edit, u"cmbUnit"_s)->currentText(), u"다섯글자다"_s);
    EXPECT_EQ(combo(edit, u"cmbField"_s)->currentText(), u"가전 '똠'"_s);
    EXPECT_EQ(combo(edit, u"cmbVATType"_s)->currentData().toInt(), 0);
    prompter.clear();
    QTest::keyClicks(edit.field(u"code"_s), u"9"_s);
    EXPECT_EQ(prompter.texts(), QStringList{u"코드는 수정할 수 없습니다."_s});
    edit.field(u"name"_s)->SetText(u"새 이름"_s);
    click(edit, u"btnSave"_s);
    EXPECT_EQ(value(u"name"_s, u"000008"_s), u"새 이름"_s);

    FrmProd_save copy;
    copy.SetFormMode(RecordEditor::CopyRecord, u"000008"_s);
    EXPECT_EQ(copy.windowTitle(), u"상품 - 『신규입력』"_s);
    EXPECT_EQ(copy.field(u"code"_s)->Text(), QString());
    EXPECT_EQ(copy.field(u"name"_s)->Text(), u"새 이름"_s);
}

TEST_F(ProductEditor, KeepDataStaysOpenWithOnlyCodeAndBarcodeEmptied)
{
    FrmProd_save editor;
    editor.show();
    box(editor, u"chkKeepData"_s)->click();
    EXPECT_EQ(UserSettings::get(u"Config_Form"_s, u"상품등록_입력내용유지"_s, {}), u"1"_s);
    typeNew(editor, u"볼트"_s, u"M6"_s, u"1234"_s);
    click(editor, u"btnSave"_s);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.field(u"code"_s)->Text(), QString());
    EXPECT_EQ(editor.field(u"bcode"_s)->Text(), QString());
    EXPECT_EQ(editor.field(u"name"_s)->Text(), u"볼트"_s);
    editor.field(u"norm"_s)->SetText(u"M8"_s);
    click(editor, u"btnSave"_s);
    EXPECT_EQ(value(u"norm"_s, u"000002"_s), u"M8"_s);
    EXPECT_EQ(prompter.texts(), (QStringList{kSaved, kSaved}));

    // Opened for one product that someone waits for, it closes after the save.
    FrmProd_save single;
    single.forOneRecord();
    single.SetFormMode(RecordEditor::NewRecord, u"너트"_s);
    single.show();
    click(single, u"btnSave"_s);
    EXPECT_FALSE(single.isVisible());
    EXPECT_EQ(single.AddedRec(), (Pick{u"000003"_s, u"너트"_s}));
}

TEST_F(ProductEditor, DuplicateNameNormOrBarcodeIsSavedOnlyAfterYes)
{
    add(u"000001"_s, u"볼트"_s, u"M6"_s, u"8801"_s);
    FrmProd_save editor;
    editor.show();
    typeNew(editor, u"볼트"_s, u"M6"_s);
    prompter.pressEnter();
    click(editor, u"btnSave"_s);
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].text,
              u"『볼트(M6)』는 이미 등록된 상품명(규격)입니다.\r\n\r\n그래도, 등록하시겠습니까?"_s);
    EXPECT_EQ(prompter.messages()[0].title, u"동일 상품명(규격) 발견"_s);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(products(), 2);

    prompter.clear();
    typeNew(editor, u"볼트"_s, u"M8"_s, u"8801"_s);
    prompter.answer(MsgAnswer::No);
    click(editor, u"btnSave"_s);
    EXPECT_EQ(prompter.texts(),
              QStringList{u"『8801』는 이미 등록된 바코드입니다.\r\n\r\n그래도, 등록하시겠습니까?"_s});
    EXPECT_EQ(products(), 2);

    // Leaving the field warns at once, with the norms already registered under the name.
    prompter.clear();
    editor.field(u"norm"_s)->SetText(u"M6"_s);
    emit editor.field(u"norm"_s)->lostFocus();
    emit editor.field(u"bcode"_s)->lostFocus();
    EXPECT_EQ(prompter.texts(), (QStringList{NameNormTakenWarning(u"볼트"_s, u"M6"_s, {u"M6"_s}),
                                             u"『8801』는 이미 존재하는 코드입니다."_s}));

    // Both questions answered Yes: the duplicate is saved.
    prompter.clear();
    typeNew(editor, u"볼트"_s, u"M6"_s, u"8801"_s);
    prompter.answer(MsgAnswer::Yes);
    prompter.answer(MsgAnswer::Yes);
    click(editor, u"btnSave"_s);
    EXPECT_EQ(prompter.texts().last(), kSaved);
    EXPECT_EQ(DBRecordCount(u"product"_s, u"bcode = '8801'"_s), 2);

    // A code that exists stops a new product without a question.
    FrmProd_save typed;
    typed.show();
    box(typed, u"chkAutoCode"_s)->click();
    prompter.clear();
    typed.field(u"code"_s)->SetText(u"000001"_s);
    typed.field(u"name"_s)->SetText(u"다른 상품"_s);
    click(typed, u"btnSave"_s);
    EXPECT_EQ(prompter.texts(), QStringList{u"『000001』는 이미 존재하는 코드입니다."_s});
    EXPECT_EQ(products(), 3);
}

// Twelve digits get their check digit on Enter (the scanner test below); other lengths are explained.
TEST_F(ProductEditor, CheckDigitOnEnterExplainsOtherLengthsAndEscAsksOnlyAfterChanges)
{
    FrmProd_save editor;
    editor.show();
    QTest::keyClick(&editor, Qt::Key_Escape);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_TRUE(prompter.texts().isEmpty());

    editor.SetFormMode(RecordEditor::NewRecord);
    editor.show();
    box(editor, u"chkBCodeChkDGT"_s)->click();
    HCText* barcode = editor.field(u"bcode"_s);
    for (const QString& typed : {u"88012345678"_s, u"88012345678901"_s}) {
        prompter.clear();
        barcode->setFocus();
        barcode->SetText(typed);
        QTest::keyClick(barcode, Qt::Key_Return);
        EXPECT_EQ(barcode->Text(), typed);
        EXPECT_EQ(prompter.texts(Kind::Info), QStringList{CheckDigitExplanation()});
    }

    // Only the unit differs from the opened editor now.
    barcode->SetText(QString());
    box(editor, u"chkBCodeChkDGT"_s)->click();
    combo(editor, u"cmbUnit"_s)->setCurrentText(u"BOX"_s);
    prompter.answer(MsgAnswer::No);
    QTest::keyClick(&editor, Qt::Key_Escape);
    EXPECT_EQ(prompter.count(Kind::YesNo), 1);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(combo(editor, u"cmbUnit"_s)->currentText(), u"BOX"_s);
    prompter.answer(MsgAnswer::Yes);
    QTest::keyClick(&editor, Qt::Key_Escape);
    EXPECT_FALSE(editor.isVisible());
}

// The scanner types past the input method: a field in Hangul mode takes the digits as they are,
// and its Enter appends the check digit after the scanner's prefix is dropped.
TEST_F(ProductEditor, ScannedBarcodeLandsInTheHangulModeBarcodeField)
{
    QTemporaryDir ptys;
    const QString reader = ptys.path() + u"/reader"_s, scanner = ptys.path() + u"/scanner"_s;
    QProcess socat;
    socat.start(u"socat"_s, {u"pty,raw,echo=0,link="_s + reader, u"pty,raw,echo=0,link="_s + scanner});
    ASSERT_TRUE(socat.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(reader) && QFile::exists(scanner); }, 2000));
    UserSettings::set(u"Config"_s, u"시리얼바코드사용"_s, u"1"_s);
    UserSettings::set(u"Config"_s, u"시리얼바코드설정0"_s, reader);
    SerialBarcodeReader serial;
    ASSERT_TRUE(serial.open());

    FrmProd_save editor;
    box(editor, u"chkBCodeChkDGT"_s)->click();
    HCText* barcode = editor.field(u"bcode"_s);
    barcode->setImeMode(HCText::ImeHangul);
    ASSERT_TRUE(asv::test::showActive(editor));
    barcode->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return barcode->hasFocus(); }, 2000));

    QFile out(scanner);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    out.write("\x02" "F&880123456789\r");
    out.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return barcode->Text() == u"8801234567893"_s; }, 3000))
        << barcode->Text().toStdString();
    EXPECT_TRUE(prompter.texts().isEmpty()) << prompter.texts().join(u'\n').toStdString();
    socat.terminate();
    socat.waitForFinished();
}
