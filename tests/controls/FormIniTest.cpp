#include "Grid.h"
#include "GridFixtures.h"
#include "Mutator.h"
#include "modFormIni.h"
#include "RecordSet.h"

#include <QFile>
#include <QHeaderView>
#include <QSettings>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::TempProgramFolder;

namespace {

// A screen as designed: four columns, the third ("코드") hidden by design.
struct TestForm {
    TestForm()
    {
        form.setObjectName(u"FrmTest"_s);
        form.setGeometry(50, 60, 700, 400);
        auto* layout = new QVBoxLayout(&form);
        list = new Grid(&form);
        list->setObjectName(u"spList"_s);
        layout->addWidget(list);
        list->setColumns({u"상호"_s, u"전화"_s, u"코드"_s, u"잔액"_s});
        for (int c = 0; c < 4; ++c)
            list->setColumnWidth(c, 100 + c);
        list->setColumnInitHidden(2, true);
    }
    QWidget form;
    Grid* list;
};

QString ini(const QString& key)
{
    QSettings s(FormIniPath(u"FrmTest"_s), QSettings::IniFormat);
    return s.value(key).toString();
}

} // namespace

TEST(FormIni, LayoutRoundTripsThroughTheFileUntilAResetBringsBackTheDesign)
{
    TempProgramFolder home;
    {
        TestForm t;
        LoadFormIni(&t.form);
        t.list->setColumnWidth(0, 180);
        t.list->horizontalHeader()->moveSection(3, 0); // 잔액 first
        t.list->setColumnHidden(1, true);
        t.list->setFontSize(13);
        t.list->setDefaultRowHeight(27);
        SetSpreadRPTCol(*t.list, {true, true, true, false});
        t.form.move(120, 80);
        t.form.resize(640, 420);
        SaveFormIni(&t.form);
    }
    ASSERT_TRUE(QFile::exists(home.path(u"FormIni/FrmTest.ini"_s)));
    const std::pair<QString, QString> written[] = {
        {u"FormPosition/Left"_s, u"120"_s},      {u"FormPosition/Width"_s, u"640"_s},
        {u"FormPosition/WindowState"_s, u"0"_s}, {u"spList_ColsWidth/1"_s, u"180"_s},
        {u"spList_ColsLocation/4"_s, u"1"_s},    {u"spList_ColsLocation/1"_s, u"2"_s},
        {u"spList_FILEDHIDE/2"_s, u"1"_s},       {u"spList_FILEDHIDE/3"_s, u"1"_s},
        {u"spList_FILEDHIDE_INIT/3"_s, u"1"_s},  {u"spList_FILEDHIDE_INIT/2"_s, u"0"_s},
        {u"spList_RPTCOL/4"_s, u"0"_s},          {u"spList_General/FontSize"_s, u"13"_s},
        {u"spList_General/RowHeight"_s, u"27"_s}};
    for (const auto& [key, value] : written)
        EXPECT_EQ(ini(key), value) << key.toStdString();

    TestForm again;
    LoadFormIni(&again.form);
    EXPECT_EQ(again.form.pos(), QPoint(120, 80));
    EXPECT_EQ(again.form.size(), QSize(640, 420));
    EXPECT_EQ(again.list->columnWidth(0), 180);
    EXPECT_EQ(again.list->visibleColumns(), (QList<int>{3, 0}));
    EXPECT_EQ(again.list->printedColumns(), (QList<int>{0}));
    EXPECT_EQ(again.list->fontSize(), 13);
    EXPECT_EQ(again.list->defaultRowHeight(), 27);

    // Resetting deletes the file and brings back the design, now and at the next opening.
    const int designedFont = TestForm().list->fontSize();
    again.list->setColumnHidden(2, false);
    again.list->resetLayout();
    EXPECT_FALSE(QFile::exists(FormIniPath(u"FrmTest"_s)));
    EXPECT_EQ(again.list->columnWidth(0), 100);
    EXPECT_EQ(again.list->visibleColumns(), (QList<int>{0, 1, 3}));
    EXPECT_EQ(again.list->fontSize(), designedFont);
    TestForm next;
    LoadFormIni(&next.form);
    EXPECT_EQ(next.list->columnWidth(0), 100);
    EXPECT_EQ(next.list->visibleColumns(), (QList<int>{0, 1, 3}));
}

TEST(FormIni, BadKeysAreSkippedSizeOnlyWhenAskedAndADesignChangeOfVisibilityWins)
{
    TempProgramFolder home;
    {
        QSettings s(FormIniPath(u"FrmTest"_s), QSettings::IniFormat);
        s.setValue(u"FormPosition/Left"_s, -5);
        s.setValue(u"FormPosition/Top"_s, 33);
        s.setValue(u"FormPosition/Width"_s, u"넓게"_s);
        s.setValue(u"FormPosition/Height"_s, 300);
        s.setValue(u"spList_ColsWidth/1"_s, u"abc"_s);
        s.setValue(u"spList_ColsWidth/4"_s, 150);
        s.setValue(u"spList_ColsWidth/9"_s, 150);
        s.setValue(u"spList_ColsLocation/1"_s, u"x"_s);
        s.setValue(u"spList_General/FontSize"_s, u""_s);
        // The operator showed the designed-hidden code column, hid the telephone, kept the balance.
        for (const auto& [key, value] : {std::pair{u"spList_FILEDHIDE/2"_s, 1}, {u"spList_FILEDHIDE_INIT/2"_s, 0},
                                         {u"spList_FILEDHIDE/3"_s, 0}, {u"spList_FILEDHIDE_INIT/3"_s, 1},
                                         {u"spList_FILEDHIDE/4"_s, 0}, {u"spList_FILEDHIDE_INIT/4"_s, 0}})
            s.setValue(key, value);
    }
    TestForm t;
    const int font = t.list->fontSize();
    LoadFormIni(&t.form, false);
    EXPECT_EQ(t.form.pos(), QPoint(50, 33));
    EXPECT_EQ(t.form.size(), QSize(700, 400));
    EXPECT_EQ(t.list->columnWidth(0), 100);
    EXPECT_EQ(t.list->columnWidth(3), 150);
    EXPECT_EQ(t.list->visibleColumns(), (QList<int>{0, 2, 3}));
    EXPECT_EQ(t.list->fontSize(), font);

    TestForm sized;
    LoadFormIni(&sized.form, true);
    EXPECT_EQ(sized.form.size(), QSize(700, 300));

    // A later version hides the balance by design: the saved choices for the other columns stand,
    // the balance follows the new design although the file says it was shown.
    TestForm newer;
    newer.list->setColumnInitHidden(3, true);
    LoadFormIni(&newer.form);
    EXPECT_EQ(newer.list->visibleColumns(), (QList<int>{0, 2}));
}

// Layout files damaged or edited by hand: every screen still opens with its columns, a readable
// font and a size a screen can show.
TEST(FormIni, FuzzedFilesStillGiveAUsableScreen)
{
    TempProgramFolder home;
    {
        TestForm t;
        t.list->setFontSize(13);
        t.list->horizontalHeader()->moveSection(3, 0);
        SaveFormIni(&t.form);
    }
    QFile good(FormIniPath(u"FrmTest"_s));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray seed = good.readAll();
    good.close();
    test::Mutator files({seed, seed + "[spList_General]\nFontSize=9999999\nRowHeight=-7\n",
                         seed + "[FormPosition]\nWidth=2147483647\nLeft=-99999\n[spList_ColsWidth]\n1=1000000\n"});
    files.run(400, [&](const QByteArray& bytes) {
        QFile file(FormIniPath(u"FrmTest"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        TestForm t;
        LoadFormIni(&t.form);
        ASSERT_EQ(t.list->columnCount(), 4);
        EXPECT_GE(t.list->fontSize(), 6);
        EXPECT_LE(t.list->fontSize(), 72);
        EXPECT_LE(t.list->defaultRowHeight(), 200);
        for (int c = 0; c < 4; ++c)
            EXPECT_LE(t.list->columnWidth(c), 4000);
        EXPECT_LE(t.form.width(), 10000);
        EXPECT_LE(t.form.height(), 10000);
        EXPECT_GE(t.form.x(), 0);
    });
}
