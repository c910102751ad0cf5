#include "AppState.h"
#include "ScreenRegistry.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "UserSettings.h"
#include "MainMenu.h"
#include "PtyPair.h"
#include "SerialBarcodeReader.h"
#include "SerialDevicePath.h"
#include "ShellScreens.h"
#include "frmMain.h"
#include "modMySQL_Func.h"
#include "RegistryGuard.h"
#include "WidgetDriver.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

namespace {

QStringList captionsOf(const frmMain& w, const QString& name)
{
    QStringList out;
    for (QAction* a : w.findChildren<QAction*>(name))
        out << a->text();
    out.removeDuplicates();
    return out;
}

// A plain child screen for the window tests, registered while it lives.
class ScopedScreen {
public:
    explicit ScopedScreen(const QString& key) : m_guard({}, {key})
    {
        ScreenRegistry::add(key, {[key](QWidget* parent) {
                                      auto* w = new QLineEdit(parent);
                                      w->setObjectName(key);
                                      w->setWindowTitle(key);
                                      return w;
                                  },
                                  false});
    }

private:
    test::RegistryGuard m_guard;
};

} // namespace

TEST(MainWindow, MenusToolbarPanelsAndScreensWithoutAWindowYet)
{
    TestDatabase db;
    RegisterScreens();
    // Two report entries stand for screens that are not there.
    test::RegistryGuard unbuilt({}, {u"mnuAS_Report_10"_s, u"mnuAS_Report_40"_s});
    ScreenRegistry::remove(u"mnuAS_Report_10"_s);
    ScreenRegistry::remove(u"mnuAS_Report_40"_s);
    App().CompanyName = u"A&B 상사"_s;
    App().UserName = u"김상담"_s;
    App().DbHost = u"db.office"_s;
    frmMain w;
    // Every menu holds its entries of the table in the table's order, separators included.
    QMap<QString, QStringList> menus;
    for (const MainMenu::Entry& e : MainMenu::entries())
        menus[e.parent] << e.name + u'|' + e.caption;
    for (auto it = menus.cbegin(); it != menus.cend(); ++it) {
        const QWidget* holder = it.key().isEmpty() ? static_cast<QWidget*>(w.menuBar()) : w.findChild<QMenu*>(it.key());
        ASSERT_TRUE(holder) << it.key().toStdString();
        QStringList shown;
        for (const QAction* a : holder->actions())
            shown << a->objectName() + u'|' + a->text();
        EXPECT_EQ(shown, it.value()) << it.key().toStdString();
    }
    // The window list gets its closing entry when opened.
    w.findChild<QMenu*>(u"mnu_window"_s)->aboutToShow();
    EXPECT_EQ(captionsOf(w, u"mnuAllWinClose"_s), QStringList{u"모든 창 닫기(&C)"_s});
    QStringList toolbar, expected;
    for (QToolButton* b : w.findChildren<QToolButton*>()) {
        if (b->parent() && b->parent()->objectName() == u"Toolbar1"_s && !b->objectName().startsWith(u"qt_"_s))
            toolbar << b->text();
    }
    for (const MainMenu::ToolButton& b : MainMenu::toolbar())
        expected << b.caption;
    EXPECT_EQ(toolbar, expected);

    EXPECT_EQ(w.findChild<QLabel*>(u"lblTitle"_s)->text(), u"A&B 상사"_s);
    EXPECT_EQ(w.findChild<QLabel*>(u"pnl2"_s)->text(), u"DB: db.office"_s);
    EXPECT_EQ(w.findChild<QLabel*>(u"pnl8"_s)->text(), u"김상담"_s);
    EXPECT_TRUE(w.findChild<QLabel*>(u"cid"_s)->isHidden());
    // Screens that do not exist yet cannot be chosen, from the menu or the toolbar; built-in
    // commands and registered screens can.
    for (const QString& name : {u"mnuSlip2"_s, u"mnuCharge"_s, u"mnuProduct"_s, u"mnuTool_Calc"_s})
        EXPECT_TRUE(w.findChild<QAction*>(name)->isEnabled()) << name.toStdString();
    EXPECT_FALSE(w.findChild<QAction*>(u"mnuAS_Report"_s)->isEnabled());
    EXPECT_FALSE(w.findChild<QAction*>(u"mnuReport_ASSale"_s)->isVisible());
    for (const QString& name : {u"AS접수"_s, u"판매등록"_s, u"고객관리"_s, u"상품관리"_s, u"AS코드"_s, u"종료"_s})
        EXPECT_TRUE(w.findChild<QToolButton*>(name)->isEnabled()) << name.toStdString();
    EXPECT_FALSE(w.findChild<QToolButton*>(u"미수조회"_s)->isEnabled());
}

TEST(MainWindow, ConsultDeskOnlyForConsultantsAndNoKeepsWindowsOpen)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    ScopedScreen desk(u"mnuSlipCon"_s);
    DBExecute(u"INSERT INTO local_user (code, loginid, name, consult) VALUES ('05', 'lee', '이영업', 0)"_s);
    App().UserCode = u"05"_s;
    {
        frmMain w;
        w.openStartScreen();
        EXPECT_EQ(prompter.texts(), QStringList{u"전화상담자만 사용가능한 메뉴입니다."_s});
        EXPECT_TRUE(w.mdiArea()->subWindowList().isEmpty());
    }
    prompter.clear();
    App().UserCode = u"00"_s;
    frmMain w;
    w.show();
    w.openStartScreen();
    ASSERT_EQ(w.mdiArea()->subWindowList().size(), 1);
    // Opening again brings the same window forward.
    w.openScreen(u"mnuSlipCon"_s);
    EXPECT_EQ(w.mdiArea()->subWindowList().size(), 1);

    prompter.answer(MsgAnswer::No);
    EXPECT_FALSE(w.close());
    EXPECT_EQ(prompter.messages().last().text, u"프로그램을 종료하시겠습니까?"_s);
    EXPECT_EQ(prompter.messages().last().title, u"프로그램 종료"_s);
    EXPECT_EQ(w.mdiArea()->subWindowList().size(), 1);
    prompter.answer(MsgAnswer::Yes);
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(w.mdiArea()->subWindowList().isEmpty());
}

TEST(MainWindow, StartScreenZeroOpensNothingAndToolbarRemembersItsChoice)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    ScopedScreen slip(u"mnuSlip2"_s), deposit(u"mnuDeposite"_s);
    UserSettings::set(u"Config"_s, u"시작화면"_s, u"0"_s);
    {
        frmMain w;
        w.openStartScreen();
        EXPECT_TRUE(w.mdiArea()->subWindowList().isEmpty());
        QToolButton* sale = w.findChild<QToolButton*>(u"판매등록"_s);
        sale->menu()->actions().at(1)->trigger();
        EXPECT_EQ(sale->text(), u"입금등록"_s);
        EXPECT_EQ(w.mdiArea()->subWindowList().first()->widget()->objectName(), u"mnuDeposite"_s);
    }
    EXPECT_EQ(UserSettings::get(u"Config_Form"_s, u"툴바_판매등록"_s), u"1"_s);
    frmMain again;
    EXPECT_EQ(again.findChild<QToolButton*>(u"판매등록"_s)->text(), u"입금등록"_s);
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST(MainWindow, ACustomerListMovedAndResizedReopensWhereItWasLeft)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    RegisterScreens();
    frmMain w;
    ASSERT_TRUE(asv::test::showActive(w));
    auto openList = [&w] {
        w.findChild<QAction*>(u"mnuCustomer"_s)->trigger();
        QMdiSubWindow* sub = w.mdiArea()->activeSubWindow();
        return sub && sub->widget()->objectName() == u"FrmCust_admin"_s ? sub : nullptr;
    };
    QMdiSubWindow* list = openList();
    ASSERT_TRUE(list);
    const QRect opened = list->geometry();
    list->setGeometry(37, 23, 980, 470);
    const QRect placed = list->geometry();
    ASSERT_NE(placed, opened);
    list->close();
    ASSERT_TRUE(QTest::qWaitFor([&w] { return w.mdiArea()->subWindowList().isEmpty(); }, 2000));

    list = openList();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->geometry(), placed);
    list->showMaximized();
    // The list's own close button takes its frame along.
    list->widget()->findChild<QPushButton*>(u"btnClose"_s)->click();
    ASSERT_TRUE(QTest::qWaitFor([&w] { return w.mdiArea()->subWindowList().isEmpty(); }, 2000));
    list = openList();
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->isMaximized());
    list->showNormal();
    EXPECT_EQ(list->geometry(), placed);
    EXPECT_EQ(prompter.unanswered(), 0);
}

// Closing a window goes back to the one used before it (a result window to the AS list that opened
// it), not to the first window of the day.
TEST(MainWindow, AClosedWindowHandsBackToTheOneUsedBeforeIt)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    RegisterScreens();
    frmMain w;
    ASSERT_TRUE(asv::test::showActive(w));
    auto open = [&w](const QString& entry) {
        w.findChild<QAction*>(entry)->trigger();
        return w.mdiArea()->activeSubWindow();
    };
    QMdiSubWindow* first = open(u"mnuCustomer"_s);
    QMdiSubWindow* second = open(u"mnuProduct"_s);
    QMdiSubWindow* third = open(u"mnuBase_ascode"_s);
    ASSERT_TRUE(first && second && third);
    ASSERT_EQ(w.mdiArea()->subWindowList().size(), 3);
    third->close();
    ASSERT_TRUE(QTest::qWaitFor([&w] { return w.mdiArea()->subWindowList().size() == 2; }, 2000));
    EXPECT_EQ(w.mdiArea()->activeSubWindow(), second);
    EXPECT_EQ(prompter.unanswered(), 0);
}

// An editor opened from the menu that closes itself after saving takes its frame along.
TEST(MainWindow, AnEditorThatEndsItselfLeavesNoEmptyFrame)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    RegisterScreens();
    frmMain w;
    ASSERT_TRUE(asv::test::showActive(w));
    w.findChild<QAction*>(u"mnuDeposite"_s)->trigger();
    ASSERT_EQ(w.mdiArea()->subWindowList().size(), 1);
    auto* editor = qobject_cast<QDialog*>(w.mdiArea()->subWindowList().first()->widget());
    ASSERT_TRUE(editor);
    editor->accept();
    EXPECT_TRUE(QTest::qWaitFor([&w] { return w.mdiArea()->subWindowList().isEmpty(); }, 2000));
}

TEST(MainWindow, SerialPortsAreOldPortNumbersOrDevicePathsAndBarcodeFramesLoseTheirFrameAndTheLeadingF)
{
    const QList<std::pair<QString, QString>> cases{
        {u"1"_s, u"/dev/ttyS0"_s},
        {u"COM3"_s, u"/dev/ttyS2"_s},
        {u" com12 "_s, u"/dev/ttyS11"_s},
        {u"/dev/ttyUSB0"_s, u"/dev/ttyUSB0"_s},
        {u"/dev/serial/by-id/usb-Scanner_1234-if00"_s, u"/dev/serial/by-id/usb-Scanner_1234-if00"_s},
        {u"ttyACM0"_s, u"/dev/ttyACM0"_s},
        {u"0"_s, QString()},
        {QString(), QString()},
    };
    for (const auto& [setting, device] : cases)
        EXPECT_EQ(SerialDevicePath(setting), device) << setting.toStdString();

    QByteArray buffer = "\x02" "F8801234567890";
    EXPECT_EQ(SerialBarcodeReader::takeBarcodeFrame(buffer), QString());
    buffer += "\r";
    EXPECT_EQ(SerialBarcodeReader::takeBarcodeFrame(buffer), u"8801234567890"_s);
    EXPECT_TRUE(buffer.isEmpty());
    buffer = "\x02" "12345\x03";
    EXPECT_EQ(SerialBarcodeReader::takeBarcodeFrame(buffer), u"12345"_s);
}

TEST(MainWindow, SerialBarcodeReaderTypesIntoTheFocusedField)
{
    TestDatabase db;
    test::PtyPair pty;
    ASSERT_TRUE(pty.ready());
    UserSettings::set(u"Config"_s, u"시리얼바코드사용"_s, u"1"_s);
    UserSettings::set(u"Config"_s, u"시리얼바코드설정0"_s, pty.device());

    frmMain w;
    w.show();
    auto* field = new QLineEdit;
    int entered = 0;
    QObject::connect(field, &QLineEdit::returnPressed, [&entered] { ++entered; });
    w.mdiArea()->addSubWindow(field)->show();
    QApplication::setActiveWindow(&w);
    field->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }, 2000));

    pty.write("\x02" "F880123");
    pty.write("4567890\r");
    EXPECT_TRUE(QTest::qWaitFor([&] { return entered == 1; }, 3000));
    EXPECT_EQ(field->text(), u"8801234567890"_s);
}

TEST(MainWindow, EveryMenuHasItsOwnMnemonicsAndNoEnglishCaption)
{
    QMap<QString, QStringList> letters;
    for (const MainMenu::Entry& e : MainMenu::entries()) {
        const qsizetype amp = e.caption.indexOf(u'&');
        if (amp >= 0 && amp + 1 < e.caption.size())
            letters[e.parent] << e.caption.mid(amp + 1, 1).toUpper() + u' ' + e.caption;
        // Mnemonics and the trade's own "AS" aside, the operator reads Korean.
        QString words = e.caption;
        words.remove(QRegularExpression(u"\\(&.\\)|A/S|AS"_s));
        EXPECT_FALSE(words.contains(QRegularExpression(u"[A-Za-z]"_s))) << e.caption.toStdString();
    }
    for (auto it = letters.cbegin(); it != letters.cend(); ++it) {
        QSet<QString> seen;
        for (const QString& entry : it.value()) {
            EXPECT_FALSE(seen.contains(entry.left(1))) << it.key().toStdString() << ": " << entry.toStdString();
            seen.insert(entry.left(1));
        }
    }
}

TEST(MainWindow, EntriesWithNothingToRunSayWhatIsMissing)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    frmMain w;
    const auto said = [&](const QString& entry) {
        prompter.clear();
        w.findChild<QAction*>(entry)->trigger();
        return prompter.texts().join(u'|');
    };
    // Each names what is not set and where it is set.
    const QList<std::pair<QString, QString>> unset{{u"mnuHelpDeskSub"_s, u"[헬프데스크 실행 명령]"_s},
                                                   {u"mnuSupport"_s, u"[원격지원 실행 명령]"_s},
                                                   {u"mnuReInstall"_s, u"[업데이트 실행 명령]"_s},
                                                   {u"mnuHomePage"_s, u"[홈페이지 주소]"_s}};
    for (const auto& [entry, missing] : unset) {
        const QString text = said(entry);
        EXPECT_TRUE(text.contains(missing) && text.contains(u"환경설정"_s)) << text.toStdString();
    }
    EXPECT_TRUE(said(u"mnuSchedule"_s).contains(u"스케줄 관리"_s));
    const QString manual = said(u"mnuView_Help"_s);
    EXPECT_TRUE(manual.startsWith(u"파일을 찾을 수 없습니다."_s)) << manual.toStdString();
    EXPECT_TRUE(manual.contains(u"사용설명서.htm"_s)) << "names the file it looked for";
}
