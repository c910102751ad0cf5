#include "ConfigKeys.h"
#include "HCText.h"
#include "RegistryGuard.h"
#include "ScreenOpener.h"
#include "ScriptedPrompter.h"
#include "SharedOptions.h"
#include "TestDatabase.h"
#include "UserSettings.h"
#include "WidgetDriver.h"
#include "frmOptions.h"
#include "frmOptions2.h"
#include "modMain_SQL.h"
#include "modMySQL_Func.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;
using asv::test::click;

namespace {

template <typename W>
W* indexedChild(const QWidget& form, const QString& name, int index)
{
    for (W* child : form.findChildren<W*>(name)) {
        if (child->property("index").toInt() == index)
            return child;
    }
    return nullptr;
}

QString option(const QString& name)
{
    return DBGetValue(u"SELECT optvalue FROM options WHERE optname = '"_s + name + u"'"_s);
}

// Types over a field as the operator does: into it, replace the text, out again.
void retype(HCText* field, const QString& text)
{
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(field, &in);
    field->selectAll();
    QTest::keyClicks(field, text);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(field, &out);
}

const QString kUnsaved = u"변경된 내용이 저장되지 않았습니다. 정말 닫으시겠습니까?"_s;

struct SharedOptionsFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;
};

} // namespace

TEST_F(SharedOptionsFixture, OpeningOnANewDatabaseCreatesEveryOptionAndClosingAsksOnlyAfterAChange)
{
    ASSERT_EQ(DBRecordCount(u"options"_s), 0);
    frmOptions dialog;
    dialog.show();
    const QList<std::pair<QString, QString>> defaults{
        {u"수량소수점수"_s, u"0"_s},     {u"단가소수점수"_s, u"0"_s},       {u"금액소수점수"_s, u"0"_s},
        {u"부가세소수처리"_s, u"0"_s},   {u"기초단가변경_0"_s, u"0"_s},     {u"기초단가변경_1"_s, u"0"_s},
        {u"적정재고부족알림"_s, u"3"_s}, {u"재고부족시처리"_s, u"0"_s},     {u"바코드자동생성길이"_s, u"6"_s},
        {u"전표수량한도"_s, u"999999"_s}};
    for (const auto& [name, value] : defaults)
        EXPECT_EQ(option(name), value) << name.toStdString();
    EXPECT_EQ(DBRecordCount(u"options"_s), defaults.size());

    EXPECT_EQ(indexedChild<QComboBox>(dialog, u"cmbDecNum"_s, 2)->currentIndex(), 0);
    EXPECT_EQ(dialog.findChild<QComboBox*>(u"cmbBarcodeLen"_s)->currentIndex(), 0);
    EXPECT_TRUE(indexedChild<QRadioButton>(dialog, u"optTaxCalcType"_s, 0)->isChecked());
    EXPECT_TRUE(indexedChild<QCheckBox>(dialog, u"chkStockAlert"_s, 0)->isChecked());
    EXPECT_TRUE(indexedChild<QCheckBox>(dialog, u"chkStockAlert"_s, 1)->isChecked());
    EXPECT_EQ(dialog.findChild<HCText*>(u"htQntLimit"_s)->Text(), u"999999"_s);
    EXPECT_FALSE(dialog.isChanged());

    // Closing asks first only when something changed.
    click(dialog, u"btnCancel"_s);
    EXPECT_FALSE(dialog.isVisible()); // nothing changed: no question
    EXPECT_TRUE(prompter.messages().isEmpty());

    dialog.show();
    indexedChild<QCheckBox>(dialog, u"chkCngBasicUnit"_s, 1)->setChecked(true);
    prompter.answer(MsgAnswer::No);
    click(dialog, u"btnCancel"_s);
    EXPECT_TRUE(dialog.isVisible());
    prompter.answer(MsgAnswer::Yes);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::YesNo), (QStringList{kUnsaved, kUnsaved}));
    EXPECT_EQ(option(u"기초단가변경_1"_s), u"0"_s);

    frmOptions again;
    again.show();
    indexedChild<QCheckBox>(again, u"chkCngBasicUnit"_s, 1)->setChecked(true);
    click(again, u"btnOK"_s);
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(again.result(), QDialog::Accepted);
    EXPECT_EQ(option(u"기초단가변경_1"_s), u"1"_s);
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::YesNo), 2);
}

TEST_F(SharedOptionsFixture, ValuesOutsideTheListsLeaveThemWithoutSelection)
{
    DBExecute(u"INSERT INTO options VALUES ('수량소수점수', '7'), ('단가소수점수', '2'), "
              u"('바코드자동생성길이', '9'), ('적정재고부족알림', '2'), ('부가세소수처리', '2')"_s);
    frmOptions dialog;
    dialog.show();
    EXPECT_EQ(indexedChild<QComboBox>(dialog, u"cmbDecNum"_s, 0)->currentIndex(), -1);
    EXPECT_EQ(indexedChild<QComboBox>(dialog, u"cmbDecNum"_s, 1)->currentIndex(), 2);
    EXPECT_EQ(dialog.findChild<QComboBox*>(u"cmbBarcodeLen"_s)->currentIndex(), -1);
    EXPECT_FALSE(indexedChild<QCheckBox>(dialog, u"chkStockAlert"_s, 0)->isChecked());
    EXPECT_TRUE(indexedChild<QCheckBox>(dialog, u"chkStockAlert"_s, 1)->isChecked());
    EXPECT_TRUE(indexedChild<QRadioButton>(dialog, u"optTaxCalcType"_s, 2)->isChecked());
    // Applying without a change keeps what the lists could not show.
    click(dialog, u"btnApply"_s);
    EXPECT_EQ(option(u"수량소수점수"_s), u"7"_s);
    EXPECT_EQ(option(u"바코드자동생성길이"_s), u"9"_s);
}

TEST_F(SharedOptionsFixture, ApplyWritesOnlyTheChangedValuesReloadsThemAndWarnsAboutAnOpenSlip)
{
    frmOptions dialog;
    dialog.show();
    indexedChild<QComboBox>(dialog, u"cmbDecNum"_s, 1)->setCurrentIndex(3);
    indexedChild<QCheckBox>(dialog, u"chkStockAlert"_s, 0)->setChecked(false);
    indexedChild<QRadioButton>(dialog, u"optTaxCalcType"_s, 1)->setChecked(true);
    dialog.findChild<QComboBox*>(u"cmbBarcodeLen"_s)->setCurrentIndex(2);
    EXPECT_TRUE(dialog.isChanged(u"단가소수점수"_s));
    EXPECT_FALSE(dialog.isChanged(u"금액소수점수"_s));
    // Meanwhile another PC changes a value this dialog did not touch.
    DBExecute(u"UPDATE options SET optvalue = '4' WHERE optname = '금액소수점수'"_s);

    click(dialog, u"btnApply"_s);
    EXPECT_EQ(option(u"단가소수점수"_s), u"3"_s);
    EXPECT_EQ(option(u"적정재고부족알림"_s), u"2"_s);
    EXPECT_EQ(option(u"부가세소수처리"_s), u"1"_s);
    EXPECT_EQ(option(u"바코드자동생성길이"_s), u"10"_s);
    EXPECT_EQ(option(u"금액소수점수"_s), u"4"_s);
    EXPECT_EQ(SharedOptions::current().priceDecimals, 3);
    EXPECT_EQ(SharedOptions::current().amountDecimals, 4);
    EXPECT_EQ(SharedOptions::current().stockAlert, 2);
    EXPECT_FALSE(dialog.isChanged());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Notice), QStringList{u"자료가 저장되었습니다."_s});

    // A changed quantity limit warns while the sales slip is open.
    const QString reopen = u"설정한 [전표 입력수량 체크]가 제대로 적용 될려면 전표화면을 닫고 다시 열어야 합니다."_s;
    auto* limit = dialog.findChild<HCText*>(u"htQntLimit"_s);
    retype(limit, u"500"_s);
    click(dialog, u"btnApply"_s);
    EXPECT_EQ(option(u"전표수량한도"_s), u"500"_s);
    EXPECT_FALSE(prompter.saw(reopen));

    QWidget slip;
    slip.setObjectName(frmOptions::salesSlipWindow());
    retype(limit, u"800"_s);
    indexedChild<QComboBox>(dialog, u"cmbDecNum"_s, 0)->setCurrentIndex(1);
    click(dialog, u"btnApply"_s);
    EXPECT_EQ(option(u"전표수량한도"_s), u"800"_s);
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Info), QStringList{reopen});

    // Other changes say nothing about the slip.
    indexedChild<QComboBox>(dialog, u"cmbDecNum"_s, 0)->setCurrentIndex(2);
    click(dialog, u"btnApply"_s);
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Info), 1);
}

TEST_F(SharedOptionsFixture, AFailedOptionReadOrWriteSaysSoOnce)
{
    const QStringList once{u"프로그램 수행도중 오류가 발생했습니다."_s};
    DBExecute(u"DROP TABLE options"_s);
    EXPECT_FALSE(ReadOptions());
    EXPECT_EQ(prompter.texts(), once);
    prompter.clear();
    EXPECT_FALSE(SetOption(u"수량소수점수"_s, u"2"_s));
    EXPECT_EQ(prompter.texts(), once);
    prompter.clear();
    frmOptions dialog;
    EXPECT_EQ(prompter.texts(), once);
}

TEST(PerPcOptions, LoadDefaultsAndWriteOnlyTheChangedGroups)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    UserSettings::set(u"Config"_s, u"시리얼바코드설정0"_s, u"/dev/serial/by-id/usb-Scanner-if00"_s);
    UserSettings::set(u"Config"_s, u"시리얼바코드설정1"_s, u"38400"_s);
    UserSettings::set(u"Config"_s, u"시작화면"_s, u"상담"_s); // unreadable: the default holds
    frmOptions2 dialog;
    dialog.show();
    EXPECT_TRUE(indexedChild<QRadioButton>(dialog, u"optStartForm"_s, 3)->isChecked());
    EXPECT_TRUE(indexedChild<QRadioButton>(dialog, u"OptCustVat"_s, 1)->isChecked());
    EXPECT_TRUE(dialog.findChild<QCheckBox*>(u"chkConsultEdit"_s)->isChecked());
    EXPECT_EQ(indexedChild<QComboBox>(dialog, u"cmbCIDPortNo"_s, 1)->currentIndex(), 0);
    EXPECT_EQ(indexedChild<QComboBox>(dialog, u"cmbSnBCode"_s, 1)->currentText(), u"38400"_s);
    EXPECT_EQ(indexedChild<QComboBox>(dialog, u"cmbSnBCode"_s, 3)->currentText(), u"N"_s);
    // The reader's port is a number of the old list or a device path of this machine.
    auto* port = indexedChild<QComboBox>(dialog, u"cmbSnBCode"_s, 0);
    EXPECT_EQ(port->currentText(), u"/dev/serial/by-id/usb-Scanner-if00"_s);
    EXPECT_FALSE(dialog.isChanged());

    indexedChild<QRadioButton>(dialog, u"optStartForm"_s, 0)->setChecked(true);
    indexedChild<QComboBox>(dialog, u"cmbCIDPortNo"_s, 0)->setCurrentIndex(3);
    indexedChild<QComboBox>(dialog, u"cmbSnBCode"_s, 4)->setCurrentIndex(1);
    dialog.findChild<QCheckBox*>(u"chkConsultEdit"_s)->setChecked(false);
    port->setEditText(u"/dev/ttyACM0"_s);
    prompter.answer(MsgAnswer::No);
    click(dialog, u"btnCancel"_s);
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::YesNo), QStringList{kUnsaved});
    click(dialog, u"btnOK"_s);
    EXPECT_FALSE(dialog.isVisible());

    QSettings stored(UserSettings::fileOf(UserSettings::appTitle()), QSettings::IniFormat);
    stored.beginGroup(u"Config"_s);
    EXPECT_EQ(stored.value(u"시작화면"_s).toString(), u"0"_s);
    EXPECT_EQ(stored.value(u"OpenSeeIDPort1"_s).toString(), u"3"_s);
    EXPECT_EQ(stored.value(u"시리얼바코드설정4"_s).toString(), u"1.5"_s);
    EXPECT_EQ(stored.value(u"시리얼바코드설정0"_s).toString(), u"/dev/ttyACM0"_s);
    EXPECT_EQ(stored.value(u"상담내용수정"_s).toString(), u"0"_s);
    EXPECT_FALSE(stored.contains(u"OpenSeeIDPort2"_s));
    EXPECT_FALSE(stored.contains(u"거래처등록부가세기본값"_s));
    EXPECT_FALSE(stored.contains(u"시리얼바코드사용"_s));
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Notice), QStringList{u"자료가 저장되었습니다."_s});

    click(dialog, u"btnSvrSetup"_s);
    EXPECT_TRUE(prompter.saw(u"서버설정 파일(SvrSetup.exe)을 찾을 수 없습니다."_s));
}

TEST(PerPcOptions, FitAScreen768PixelsTallAndKeepTheProgramsAndAddressesTheMessagesName)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    test::RegistryGuard guard({}, {kMailSettingsScreen});
    int mailSettingsOpened = 0;
    ScreenRegistry::add(kMailSettingsScreen, {[&mailSettingsOpened](QWidget* parent) {
                                                  ++mailSettingsOpened;
                                                  auto* settings = new QDialog(parent);
                                                  QTimer::singleShot(0, settings, &QDialog::reject);
                                                  return settings;
                                              },
                                              true});
    {
        frmOptions2 dialog;
        dialog.show();
        // The settings scroll; the dialog never needs more than the screen has.
        EXPECT_LE(dialog.minimumSizeHint().height(), 700);
        EXPECT_LE(dialog.height(), dialog.screen()->availableGeometry().height());
        const QList<std::pair<QString, QString>> typed{{u"txtSmsFolder"_s, u"/opt/sms"_s},
                                                       {u"txtZipcodeUrl"_s, u"http://127.0.0.1:8000/zip"_s},
                                                       {u"txtHelpDeskCommand"_s, u"helpdesk --start"_s},
                                                       {u"txtWebAddress"_s, u"https://asv.example"_s}};
        for (const auto& [name, text] : typed)
            QTest::keyClicks(dialog.findChild<QLineEdit*>(name), text);
        click(dialog, u"btnMailSettings"_s);
        EXPECT_EQ(mailSettingsOpened, 1);
        click(dialog, u"btnOK"_s);
    }
    EXPECT_EQ(ConfigKeys::SmsSenderFolder.get(), u"/opt/sms"_s);
    EXPECT_EQ(ConfigKeys::ZipcodeDownloadUrl.get(), u"http://127.0.0.1:8000/zip"_s);
    EXPECT_EQ(ConfigKeys::HelpDeskCommand.get(), u"helpdesk --start"_s);
    EXPECT_EQ(ConfigKeys::WebAddress.get(), u"https://asv.example"_s);
    EXPECT_TRUE(ConfigKeys::UpdateCommand.get().isEmpty());
    frmOptions2 again;
    EXPECT_EQ(again.findChild<QLineEdit*>(u"txtSmsFolder"_s)->text(), u"/opt/sms"_s);
}
