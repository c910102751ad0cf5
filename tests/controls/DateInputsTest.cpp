#include "Clock.h"
#include "DateText.h"
#include "FieldWindow.h"
#include "FrmCalendar.h"
#include "FrmEasyDate.h"
#include "HCDateAdv.h"
#include "HCTerm.h"
#include "Paths.h"
#include "ScriptedPrompter.h"
#include "hclimit.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QMdiArea>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::whenModal;

namespace {

// Every test stands on Wednesday 15 March 2023, a common year.
class DateInputs : public ::testing::Test {
protected:
    void SetUp() override { Clock::setFixed(QDateTime(QDate(2023, 3, 15), QTime(10, 0))); }
    void TearDown() override { Clock::clearFixed(); }

    ScriptedPrompter prompter;
};

template <typename Box>
using Window = asv::test::FieldWindow<Box>;

// Opens the box's calendar, picks the day and returns the day it opened on.
template <typename Box>
QDate pickInCalendar(Window<Box>& w, const QDate& day)
{
    QDate shown;
    whenModal<FrmCalendar>([&](FrmCalendar* dialog) {
        shown = dialog->selectedDate();
        // Month and weekdays read Korean, as the rest of the window.
        EXPECT_TRUE(dialog->findChild<QToolButton*>(u"qt_calendar_monthbutton"_s)->text().endsWith(u'월'));
        dialog->findChild<QCalendarWidget*>(u"calMonth"_s)->setSelectedDate(day);
        QTest::mouseClick(dialog->findChild<QPushButton*>(u"btnOK"_s), Qt::LeftButton);
    });
    w.click(u"cmdCaln"_s);
    return shown;
}

bool focusReturnsTo(QWidget* w)
{
    return QTest::qWaitFor([w] { return w->hasFocus(); }, 1000);
}

} // namespace

TEST_F(DateInputs, DateBoxRefusesWhatIsNoDateAndMovesOnFromOneThatIs)
{
    Window<hcDate> w;
    EXPECT_EQ(w.box->Text(), u"2023-03-15"_s);
    HCText* f = w.field(u"txtDate"_s);
    w.retype(f, u"20230229"_s);
    EXPECT_EQ(f->displayText(), u"2023-02-29"_s);
    QTest::keyClick(f, Qt::Key_Tab);
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].title, u"날짜입력 확인"_s);
    EXPECT_EQ(prompter.messages()[0].text, u"날짜의 입력형식이 잘못 되었거나, \r\n존재하지 않는 날짜입니다."_s);
    EXPECT_TRUE(focusReturnsTo(f));

    w.retype(f, u"20240229"_s);
    QTest::keyClick(f, Qt::Key_Return);
    EXPECT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(w.box->Text(), u"2024-02-29"_s);
    EXPECT_TRUE(w.after->hasFocus());

    // Half typed or empty: refused unless empty is allowed.
    w.retype(f, u"202303"_s);
    QTest::keyClick(f, Qt::Key_Down);
    EXPECT_EQ(prompter.messages().size(), 2);
    EXPECT_TRUE(focusReturnsTo(f));
    w.retype(f, QString());
    EXPECT_EQ(w.box->Text(), QString());
    QTest::keyClick(f, Qt::Key_Tab);
    EXPECT_EQ(prompter.messages().size(), 3);
    EXPECT_TRUE(focusReturnsTo(f));
    w.box->setAllowEmpty(true);
    QTest::keyClick(f, Qt::Key_Up);
    EXPECT_EQ(prompter.messages().size(), 3);
    EXPECT_TRUE(w.before->hasFocus());
    QTest::keyClick(w.before, Qt::Key_Down);
    EXPECT_TRUE(f->hasFocus());

    // A completed date moves on by itself.
    w.box->setAutoTab(true);
    w.retype(f, u"20230401"_s);
    EXPECT_TRUE(w.after->hasFocus());
    EXPECT_EQ(w.box->Text(), u"2023-04-01"_s);
    EXPECT_EQ(prompter.messages().size(), 3);
}

TEST_F(DateInputs, DayArrowsStepOverMonthEndsAndTheCalendarWritesThePickBack)
{
    Window<HCDateAdv> w;
    w.box->SetText(u"2024-02-28"_s);
    w.click(u"btnNextDay"_s);
    EXPECT_EQ(w.box->Text(), u"2024-02-29"_s);
    w.click(u"btnNextDay"_s);
    EXPECT_EQ(w.box->Text(), u"2024-03-01"_s);
    w.click(u"btnPrevDay"_s);
    w.click(u"btnPrevDay"_s);
    EXPECT_EQ(w.box->Text(), u"2024-02-28"_s);

    w.box->SetText(QString());
    w.click(u"btnNextDay"_s);
    EXPECT_EQ(w.box->Text(), QString());

    // The calendar opens on the date and writes the pick back.
    w.box->SetText(u"2023-01-31"_s);
    EXPECT_EQ(pickInCalendar(w, QDate(2023, 2, 14)), QDate(2023, 1, 31));
    EXPECT_EQ(w.box->Text(), u"2023-02-14"_s);

    whenModal<FrmCalendar>([](FrmCalendar* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    w.click(u"cmdCaln"_s);
    EXPECT_EQ(w.box->Text(), u"2023-02-14"_s);
}

TEST_F(DateInputs, PeriodSettersArrowsCalendarAndQuickPeriods)
{
    Window<HCTerm> w;
    EXPECT_EQ(w.box->Text1(), u"2023-03-15"_s);
    EXPECT_EQ(w.box->Text2(), u"2023-03-15"_s);
    w.box->setThisMonth();
    EXPECT_EQ(w.box->Text1(), u"2023-03-01"_s);
    w.box->setThisYear();
    EXPECT_EQ(w.box->Text1(), u"2023-01-01"_s);
    EXPECT_EQ(w.box->Text2(), u"2023-03-15"_s);

    // The calendar serves the date last focused.
    w.field(u"txtDate2"_s)->setFocus();
    EXPECT_EQ(pickInCalendar(w, QDate(2023, 3, 20)), QDate(2023, 3, 15));
    EXPECT_EQ(w.box->Text1(), u"2023-01-01"_s);
    EXPECT_EQ(w.box->Text2(), u"2023-03-20"_s);

    whenModal<FrmEasyDate>([&](FrmEasyDate* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(u"cmdEasy9"_s), Qt::LeftButton);
    });
    w.click(u"cmdAdvn"_s);
    EXPECT_EQ(w.box->Text1(), u"2023-02-01"_s);
    EXPECT_EQ(w.box->Text2(), u"2023-02-28"_s);
    whenModal<FrmEasyDate>([](FrmEasyDate* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    w.click(u"cmdAdvn"_s);
    EXPECT_EQ(w.box->Text1(), u"2023-02-01"_s);

    // The day arrows move both dates, and neither while one is empty.
    w.after->setFocus();
    w.box->SetText1(u"2023-02-27"_s);
    w.click(u"btnNextDay"_s);
    EXPECT_EQ(w.box->Text1(), u"2023-02-28"_s);
    EXPECT_EQ(w.box->Text2(), u"2023-03-01"_s);
    w.box->SetText2(QString());
    w.click(u"btnPrevDay"_s);
    EXPECT_EQ(w.box->Text1(), u"2023-02-28"_s);
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(DateInputs, TwoRefusedDatesDoNotBounceTheFocus)
{
    Window<HCTerm> w;
    w.box->SetText2(QString());
    HCText* from = w.field(u"txtDate1"_s);
    w.retype(from, QString());
    QTest::keyClick(from, Qt::Key_Tab);
    EXPECT_TRUE(focusReturnsTo(from));
    QTest::qWait(50);
    EXPECT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(from->hasFocus());
}

TEST_F(DateInputs, QuickPeriodsCountFromADateTheOperatorMovesTo)
{
    FrmEasyDate dialog(Clock::today());
    ASSERT_TRUE(asv::test::showActive(dialog));
    auto* base = dialog.findChild<HCText*>(u"txtBaseDate"_s);
    auto* move = dialog.findChild<QPushButton*>(u"cmdMvDate"_s);

    base->selectAll();
    QTest::keyClicks(base, u"20230229"_s);
    QTest::mouseClick(move, Qt::LeftButton);
    EXPECT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(dialog.referenceDay(), QDate(2023, 3, 15));

    base->selectAll();
    QTest::keyClicks(base, u"20240110"_s);
    QTest::keyClick(base, Qt::Key_Return);
    EXPECT_EQ(dialog.referenceDay(), QDate(2024, 1, 10));
    QTest::mouseClick(dialog.findChild<QPushButton*>(u"cmdEasy9"_s), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.period(), (DatePeriod{QDate(2023, 12, 1), QDate(2023, 12, 31)}));
}

namespace {

class RecordLimit : public ::testing::Test {
protected:
    void SetUp() override { Paths::setProgramFolder(m_home.path()); }

    QString stored(const QString& key) const
    {
        return QSettings(Paths::file(u"LimitRec.INI"_s), QSettings::IniFormat).value(key).toString();
    }

    QTemporaryDir m_home;
};

} // namespace

TEST_F(RecordLimit, OnlyATickedBoxWithANumberCapsTheList)
{
    Window<hclimit> w;
    EXPECT_EQ(w.box->LimitClause(), QString());
    auto* limit = w.field(u"htLimit"_s);
    EXPECT_EQ(limit->Text(), u"100"_s);

    w.retype(limit, u"2500"_s);
    QTest::keyClick(limit, Qt::Key_Tab);
    EXPECT_EQ(limit->text(), u"2,500"_s);
    EXPECT_EQ(w.box->LimitClause(), QString());

    QTest::keyClick(w.box->findChild<QCheckBox*>(u"chkRecLimit"_s), Qt::Key_Space);
    EXPECT_EQ(w.box->LimitClause(), u" LIMIT 0, 2500"_s);
    for (const QString& typed : {u"0"_s, QString()}) {
        SCOPED_TRACE(typed.toStdString());
        w.retype(limit, typed);
        QTest::keyClick(limit, Qt::Key_Tab);
        EXPECT_EQ(w.box->LimitClause(), QString());
    }
}

TEST_F(RecordLimit, StateIsWrittenAtOnceAndReadBackPerWindow)
{
    {
        Window<hclimit> w;
        QTest::keyClick(w.box->findChild<QCheckBox*>(u"chkRecLimit"_s), Qt::Key_Space);
        EXPECT_EQ(stored(u"FrmTest/RecentCheckVal"_s), u"1"_s);
        w.retype(w.field(u"htLimit"_s), u"30"_s);
        EXPECT_EQ(stored(u"FrmTest/0RecentLimitVal"_s), u"30"_s);
    }
    Window<hclimit> again;
    EXPECT_EQ(again.box->LimitClause(), u" LIMIT 0, 30"_s);

    QWidget other;
    other.setObjectName(u"FrmOther"_s);
    auto* second = new hclimit(&other);
    second->setBoxIndex(1);
    second->setCheckLimit(true);
    EXPECT_EQ(second->LimitClause(), u" LIMIT 0, 10"_s) << "the second box starts on 10, checked by design";

    // Inside the main window's area each screen keeps its own section, not the main window's.
    QMdiArea area;
    area.setObjectName(u"frmMain"_s);
    auto* screen = new QWidget;
    screen->setObjectName(u"FrmList"_s);
    auto* inScreen = new hclimit(screen);
    area.addSubWindow(screen);
    EXPECT_EQ(inScreen->formName(), u"FrmList"_s);
}
