#include "AppState.h"
#include "ScreenRegistry.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "UserSettings.h"
#include "ShellScreens.h"
#include "frmMain.h"
#include "modMySQL_Func.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
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

// A plain child screen for the window tests.
void registerTestScreen(const QString& key)
{
    ScreenRegistry::add(key, {[key](QWidget* parent) {
                                  auto* w = new QLineEdit(parent);
                                  w->setObjectName(key);
                                  w->setWindowTitle(key);
                                  return w;
                              },
                              false});
}

} // namespace

TEST(MainWindow, ShowsEveryMenuAndToolbarCaption)
{
    TestDatabase db;
    frmMain w;
    const QList<std::pair<QString, QStringList>> menus = {
        {u"mnuBase"_s, {u"기초등록"_s}},
        {u"mnuOffice"_s, {u"사업장 정보   입력"_s}},
        {u"mnuCharge"_s, {u"사용자(직원) 관리(&U)"_s}},
        {u"mnuCustomer"_s, {u"고   객         관리(&C)"_s}},
        {u"mnuProduct"_s, {u"상   품         관리(&P)"_s}},
        {u"mnuBase_ascode"_s, {u"A/S 코드 관리"_s}},
        {u"mnuOptions"_s, {u"환   경         설정(공통)(&O)"_s}},
        {u"mnuOptions2"_s, {u"환   경         설정(&O)"_s}},
        {u"mnuBase_Exit"_s, {u"종료(&X)"_s}},
        {u"mnuSaleRoot"_s, {u"판매관리"_s}},
        {u"mnuSlip2"_s, {u"매출전표    등록(&I)"_s}},
        {u"mnuDeposite"_s, {u"입금전표    등록(&R)"_s}},
        {u"mnuSpecification"_s, {u"거래명세표 발행(&F)"_s}},
        {u"mnuTax"_s, {u"세금계산서 발행(&T)"_s}},
        {u"mnuASRoot"_s, {u"AS관리"_s}},
        {u"mnuSlipCon"_s, {u"상담판"_s}},
        {u"mnuSlipAS"_s, {u"AS 등록"_s}},
        {u"mnuAS_ReportRoot"_s, {u"AS현황"_s}},
        {u"mnuReport_ASSale"_s, {u"AS 및 판매 조회"_s}},
        {u"mnuSlipConList"_s, {u"수신 및 상담 내역"_s}},
        {u"mnuAS_Report"_s,
         {u"매출 현황 조회"_s, u"입금 현황 조회"_s, u"매출처 원장"_s, u"미수 현황 조회"_s, u"AS결과조회"_s, u"매출분석"_s}},
        {u"mnuETCRoot"_s, {u"보조관리(&T)"_s}},
        {u"mnuDataRecovery"_s, {u"데이터 점검 및 복구"_s}},
        {u"mnuSMS"_s, {u"문자/팩스  전송(&S)"_s}},
        {u"mnuSchedule"_s, {u"스케줄       관리"_s}},
        {u"mnuDataBackup"_s, {u"데이터       백업(&B)"_s}},
        {u"mnuTool_ClearAll"_s, {u"작업전표 삭제(초기화)"_s}},
        {u"mnuTool_Calc"_s, {u"계산기"_s}},
        {u"mnuTool_bgsetup_root"_s, {u"바탕화면 설정"_s}},
        {u"mnuTool_bgsetup"_s,
         {u"Logo 타일형 배치"_s, u"Logo 가운데 배치"_s, u"Logo 이미지 변경"_s, u"Logo 없애기"_s, u"Logo 기본 이미지"_s,
          u"배경색 변경"_s, u"기본 배경색"_s}},
        {u"mnuReInstall"_s, {u"최신버전 업데이트"_s}},
        {u"mnuSupport"_s, {u" 원격지원(&E) "_s}},
        {u"mnuHelpDesk"_s, {u"헬프데스크(&H)"_s}},
        {u"mnuHelpDeskSub"_s, {u"헬프데스크 실행"_s}},
        {u"mnu_window"_s, {u"창(&W)"_s}},
        {u"mnuHomePage"_s, {u"홈페이지"_s}},
        {u"mnuHelp"_s, {u"도움말(&H)"_s}},
        {u"mnuView_Help"_s, {u"사용 설명서"_s}},
        {u"mnuAbout"_s, {u"프로그램    안내(&G)"_s}},
        {u"mnuExit"_s, {u"종료(&X)"_s}},
    };
    for (const auto& [name, captions] : menus)
        EXPECT_EQ(captionsOf(w, name), captions) << name.toStdString();
    // The window list gets its closing entry when opened.
    w.findChild<QMenu*>(u"mnu_window"_s)->aboutToShow();
    EXPECT_EQ(captionsOf(w, u"mnuAllWinClose"_s), QStringList{u"모든 창 닫기(&C)"_s});

    QStringList toolbar;
    for (QToolButton* b : w.findChildren<QToolButton*>()) {
        if (b->parent() && b->parent()->objectName() == u"Toolbar1"_s && !b->objectName().startsWith(u"qt_"_s))
            toolbar << b->text();
    }
    EXPECT_EQ(toolbar, (QStringList{u"고객관리"_s, u"상품관리"_s, u"AS코드"_s, u"상담및AS"_s, u"판매등록"_s, u"AS접수"_s,
                                    u"AS원장"_s, u"AS현황"_s, u"미수조회"_s, u"매출분석"_s, u"문자전송"_s, u"종료"_s}));
}

TEST(MainWindow, PanelsTitleAndScreensWithoutAWindowYet)
{
    TestDatabase db;
    RegisterScreens();
    App().CompanyName = u"A&B 상사"_s;
    App().UserName = u"김상담"_s;
    App().DbHost = u"db.office"_s;
    frmMain w;
    EXPECT_EQ(w.findChild<QLabel*>(u"lblTitle"_s)->text(), u"A&B 상사"_s);
    EXPECT_EQ(w.findChild<QLabel*>(u"pnl2"_s)->text(), u"DB: db.office"_s);
    EXPECT_EQ(w.findChild<QLabel*>(u"pnl8"_s)->text(), u"김상담"_s);
    EXPECT_TRUE(w.findChild<QLabel*>(u"cid"_s)->isHidden());
    // Screens that do not exist yet cannot be chosen; built-in commands and registered screens can.
    EXPECT_FALSE(w.findChild<QAction*>(u"mnuSlip2"_s)->isEnabled());
    EXPECT_TRUE(w.findChild<QAction*>(u"mnuCharge"_s)->isEnabled());
    EXPECT_TRUE(w.findChild<QAction*>(u"mnuTool_Calc"_s)->isEnabled());
    EXPECT_FALSE(w.findChild<QAction*>(u"mnuReport_ASSale"_s)->isVisible());
}

TEST(MainWindow, ConsultDeskOnlyForConsultantsAndNoKeepsWindowsOpen)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    registerTestScreen(u"mnuSlipCon"_s);
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
    ScreenRegistry::remove(u"mnuSlipCon"_s);
}

TEST(MainWindow, StartScreenZeroOpensNothingAndToolbarRemembersItsChoice)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    registerTestScreen(u"mnuSlip2"_s);
    registerTestScreen(u"mnuDeposite"_s);
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
    ScreenRegistry::remove(u"mnuSlip2"_s);
    ScreenRegistry::remove(u"mnuDeposite"_s);
}

TEST(MainWindow, BarcodeFramesLoseTheirFrameAndTheLeadingF)
{
    QByteArray buffer = "\x02" "F8801234567890";
    EXPECT_EQ(frmMain::takeBarcodeFrame(buffer), QString());
    buffer += "\r";
    EXPECT_EQ(frmMain::takeBarcodeFrame(buffer), u"8801234567890"_s);
    EXPECT_TRUE(buffer.isEmpty());
    buffer = "\x02" "12345\x03";
    EXPECT_EQ(frmMain::takeBarcodeFrame(buffer), u"12345"_s);
}

TEST(MainWindow, SerialBarcodeReaderTypesIntoTheFocusedField)
{
    TestDatabase db;
    QTemporaryDir ptys;
    const QString reader = ptys.path() + u"/reader"_s, scanner = ptys.path() + u"/scanner"_s;
    QProcess socat;
    socat.start(u"socat"_s, {u"pty,raw,echo=0,link="_s + reader, u"pty,raw,echo=0,link="_s + scanner});
    ASSERT_TRUE(socat.waitForStarted());
    for (int i = 0; i < 100 && !(QFile::exists(reader) && QFile::exists(scanner)); ++i)
        QTest::qWait(20);
    UserSettings::set(u"Config"_s, u"시리얼바코드사용"_s, u"1"_s);
    UserSettings::set(u"Config"_s, u"시리얼바코드설정0"_s, reader);

    frmMain w;
    w.show();
    auto* field = new QLineEdit;
    int entered = 0;
    QObject::connect(field, &QLineEdit::returnPressed, [&entered] { ++entered; });
    w.mdiArea()->addSubWindow(field)->show();
    QApplication::setActiveWindow(&w);
    field->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }, 2000));

    QFile out(scanner);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    out.write("\x02" "F880123");
    out.write("4567890\r");
    out.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return entered == 1; }, 3000));
    EXPECT_EQ(field->text(), u"8801234567890"_s);
    socat.terminate();
    socat.waitForFinished();
}
