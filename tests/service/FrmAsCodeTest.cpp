#include "AsCodeStore.h"
#include "DbFixture.h"
#include "FrmAsCode_save.h"
#include "Grid.h"
#include "GridDriver.h"
#include "PickerRegistry.h"
#include "RegistryGuard.h"
#include "WidgetDriver.h"
#include "modMySQL_Func.h"
#include "ucFindBox.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::column;
using asv::test::ScriptedPrompter;
using Kind = ScriptedPrompter::Kind;

namespace {

enum Col { Code, Name, Amount };

const Pick kWasher{u"000001"_s, u"세탁기"_s};

// The product picker of the find box: every search finds the washing machine.
class WasherPicker : public RecordPicker {
public:
    void setSearchState(const QString&, const QString&) override {}
    int FindRecords(const QString&, const QString&) override { return 1; }
    bool pickModal() override { return true; }
    Pick Result() const override { return kWasher; }
};

struct AsCodeWindowFixture : test::DbFixture {
    test::RegistryGuard guard{{kFindKindProd}};
    FrmAsCode_save window;

    AsCodeWindowFixture()
    {
        PickerRegistry::registerKind(
            kFindKindProd, [](QWidget*) { return std::make_unique<WasherPicker>(); }, {});
    }

    void chooseWasher()
    {
        auto* box = window.findChild<ucFindBox*>(u"fbProd"_s);
        box->editor()->setText(u"세탁"_s);
        QTest::keyClick(box->editor(), Qt::Key_Return);
    }

    // What the server holds for a product's codes of one kind, as "code name amount".
    static QStringList stored(int part, const QString& pcode = kWasher.code)
    {
        QStringList rows;
        for (const AsCodeRecord& c : AsCodeStore().list(pcode, part))
            rows << u"%1 %2 %3"_s.arg(QString::number(c.code), c.name, QString::number(c.amount));
        return rows;
    }
};

} // namespace

TEST_F(AsCodeWindowFixture, AProductFoundInTheBoxShowsItsOwnCodesWithAnEmptyRowBelow)
{
    const int general = AsCodeStore().insert(u"000000"_s, AsCodeRecord::Reception, u"일반"_s, 0);
    const int noise = AsCodeStore().insert(kWasher.code, AsCodeRecord::Reception, u"소음"_s, 5000);
    const int leak = AsCodeStore().insert(kWasher.code, AsCodeRecord::Reception, u"누수"_s, 0);
    ASSERT_GT(general, 0);

    test::click(window, u"btnQuery"_s);
    EXPECT_EQ(prompter.texts(), QStringList{u"상품명을 먼저 입력하세요."_s});
    EXPECT_EQ(window.list(0)->rowCount(), 0);

    chooseWasher();
    Grid* reception = window.list(AsCodeRecord::Reception);
    EXPECT_EQ(column(reception, Code), QStringList({QString::number(leak), QString::number(noise), u""_s}));
    EXPECT_EQ(column(reception, u"A/S 접수코드"_s), QStringList({u"누수"_s, u"소음"_s, u""_s}));
    EXPECT_EQ(reception->cells().displayText(1, Amount), u"5,000"_s);
    EXPECT_EQ(reception->activeRow(), 0);
    EXPECT_EQ(window.list(AsCodeRecord::Cause)->rowCount(), 1);
    EXPECT_EQ(window.list(AsCodeRecord::Result)->rowCount(), 1);

    // F5 in a list reads the server again; emptying the product box empties the lists.
    AsCodeStore().insert(kWasher.code, AsCodeRecord::Cause, u"낙하"_s, 0);
    QTest::keyClick(reception, Qt::Key_F5);
    EXPECT_EQ(column(window.list(AsCodeRecord::Cause), u"A/S 원인코드"_s), QStringList({u"낙하"_s, u""_s}));
    window.findChild<ucFindBox*>(u"fbProd"_s)->editor()->clear();
    for (int part = 0; part < 3; ++part)
        EXPECT_EQ(window.list(part)->rowCount(), 0);
}

TEST_F(AsCodeWindowFixture, CellsAreStoredAsTheyAreLeftAndNoPutsTheOldTextBack)
{
    chooseWasher();
    Grid* results = window.list(AsCodeRecord::Result);

    // An amount typed first makes the code; the name typed next completes that same code.
    ASSERT_TRUE(results->editCell(0, Amount, u"3,000"_s));
    const QString code = results->text(0, Code);
    ASSERT_FALSE(code.isEmpty());
    EXPECT_EQ(results->rowCount(), 2);
    prompter.answer(MsgAnswer::Yes);
    const QString name = u"고장 \"똠\" '교체' \\"_s;
    ASSERT_TRUE(results->editCell(0, Name, name));
    EXPECT_EQ(prompter.texts(Kind::YesNo), QStringList{u"정말 수정하시겠습니까?\r\n이전 데이터: "_s});
    EXPECT_EQ(stored(AsCodeRecord::Result), QStringList{code + u' ' + name + u" 3000"_s});

    // No on the change question: the old name is back and the server keeps it.
    prompter.answer(MsgAnswer::No);
    results->editCell(0, Name, u"부품"_s);
    EXPECT_EQ(results->text(0, Name), name);
    EXPECT_EQ(stored(AsCodeRecord::Result), QStringList{code + u' ' + name + u" 3000"_s});

    // Text the code page cannot hold is refused in an existing row and in the empty one.
    prompter.clear();
    prompter.answer(MsgAnswer::Yes);
    results->editCell(0, Name, u"교체 😀"_s);
    results->editCell(1, Name, u"😀"_s);
    EXPECT_EQ(prompter.count(Kind::Warn), 2);
    EXPECT_EQ(column(results, Name), QStringList({name, u""_s}));
    EXPECT_EQ(DBRecordCount(u"ascode"_s), 1);

    // A name longer than its 50 bytes is cut with the warning, and the cut name is stored.
    prompter.answer(MsgAnswer::Yes);
    results->editCell(0, Name, QString(26, u'가'));
    EXPECT_EQ(prompter.count(Kind::Warn), 3);
    EXPECT_EQ(stored(AsCodeRecord::Result), QStringList{code + u' ' + QString(25, u'가') + u" 3000"_s});
    prompter.answer(MsgAnswer::Yes);
    results->editCell(0, Name, name);

    // The name round-trips through the server as typed.
    QTest::keyClick(results, Qt::Key_F5);
    EXPECT_EQ(column(results, Name), QStringList({name, u""_s}));
    EXPECT_EQ(column(results, Code), QStringList({code, u""_s}));

    // An amount that is no number is stored as 0, and the cell shows what was stored.
    prompter.answer(MsgAnswer::Yes);
    results->editCell(0, Amount, u"삼천"_s);
    EXPECT_EQ(results->text(0, Amount), u"0"_s);
    EXPECT_EQ(stored(AsCodeRecord::Result), QStringList{code + u' ' + name + u" 0"_s});
}

TEST_F(AsCodeWindowFixture, DeletingAsksAndKeepsACodeInUse)
{
    const int used = AsCodeStore().insert(kWasher.code, AsCodeRecord::Cause, u"낙하"_s, 0);
    const int unused = AsCodeStore().insert(kWasher.code, AsCodeRecord::Cause, u"침수"_s, 0);
    DBExecute(u"INSERT INTO aslist_d (code, seq, typecode1, typecode2) VALUES (1, 1, %1, 0)"_s.arg(used));
    chooseWasher();
    Grid* causes = window.list(AsCodeRecord::Cause);
    ASSERT_EQ(column(causes, Code), QStringList({QString::number(used), QString::number(unused), u""_s}));

    // F4 on the used code: asked, refused, kept.
    prompter.answer(MsgAnswer::Yes);
    causes->setCurrentIndex(causes->cells().index(0, Name));
    QTest::keyClick(causes, Qt::Key_F4);
    EXPECT_TRUE(prompter.saw(u"선택된 분류에 속하는 상품이 존재하므로 삭제할 수 없습니다."_s));
    EXPECT_EQ(causes->rowCount(), 3);

    // The button on the unused one: gone from the list and the server, one empty row stays.
    prompter.clear();
    prompter.answer(MsgAnswer::Yes);
    causes->setCurrentIndex(causes->cells().index(1, Name));
    test::click(window, u"btnRecDel1"_s);
    EXPECT_EQ(prompter.texts(), QStringList({u"선택된 자료를 정말로 삭제 하시겠습니까?"_s, u"자료를 삭제하였습니다."_s}));
    EXPECT_EQ(column(causes, Code), QStringList({QString::number(used), u""_s}));
    EXPECT_EQ(stored(AsCodeRecord::Cause), QStringList{u"%1 낙하 0"_s.arg(used)});
}

TEST_F(AsCodeWindowFixture, TheAsDialogsOpenAFreshScreenOnTheirProductAndKind)
{
    AsCodeStore().insert(kWasher.code, AsCodeRecord::Cause, u"낙하"_s, 0);
    // The instance the menu opened inside the main window goes, frame and all.
    QMdiArea mainWindow;
    auto* open = new FrmAsCode_save;
    open->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<QMdiSubWindow> frame = mainWindow.addSubWindow(open);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    mainWindow.show();

    QStringList seen;
    test::whenModal<FrmAsCode_save>([&](FrmAsCode_save* screen) {
        seen << screen->findChild<ucFindBox*>(u"fbProd"_s)->code() << column(screen->list(1), Name).join(u',')
             << (screen->focusWidget() == screen->list(1) ? u"focus"_s : u"no focus"_s);
        test::click(*screen, u"btnClose"_s);
    });
    FrmAsCode_save::showModal(&mainWindow, kWasher, AsCodeRecord::Cause);
    EXPECT_EQ(seen, QStringList({kWasher.code, u"낙하,"_s, u"focus"_s}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame.isNull());
    EXPECT_TRUE(mainWindow.subWindowList().isEmpty());
}

// What the window does not reach.
TEST_F(AsCodeWindowFixture, AmountsKeepFractionsConsultClassesAreGeneralAndCodesInUseAreKept)
{
    const int reception = AsCodeStore().insert(u"000001"_s, AsCodeRecord::Reception, u"접수"_s, 1234.5);
    const int cause = AsCodeStore().insert(u"000001"_s, AsCodeRecord::Cause, u"원인"_s, 0);
    const int result = AsCodeStore().insert(u"000001"_s, AsCodeRecord::Result, u"결과"_s, 0);
    const int consult = AsCodeStore().insertConsultClass(u"상담"_s);
    const int unused = AsCodeStore().insert(u"000001"_s, AsCodeRecord::Cause, u"미사용"_s, 0);
    EXPECT_TRUE(AsCodeStore().setAmount(result, 3500.75));
    EXPECT_FALSE(AsCodeStore().rename(unused + 1, u"없음"_s));
    EXPECT_EQ(stored(AsCodeRecord::Reception), QStringList{u"%1 접수 1234.5"_s.arg(reception)});
    EXPECT_EQ(stored(AsCodeRecord::Result), QStringList{u"%1 결과 3500.75"_s.arg(result)});
    EXPECT_EQ(stored(AsCodeRecord::ConsultClass, u"000000"_s), QStringList{u"%1 상담 0"_s.arg(consult)});

    DBExecute(u"INSERT INTO aslist_m (typecode0) VALUES (%1)"_s.arg(reception));
    DBExecute(u"INSERT INTO aslist_d (code, seq, typecode1, typecode2) VALUES (1, 1, %1, %2)"_s.arg(cause).arg(result));
    DBExecute(u"INSERT INTO rsvconsult (concode) VALUES (%1)"_s.arg(consult));
    // The number of another kind's code in a job column does not hold this one.
    DBExecute(u"INSERT INTO aslist_m (typecode0) VALUES (%1)"_s.arg(unused));
    ASSERT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();

    const QString inUse =
        u"선택된 분류에 속하는 상품이 존재하므로 삭제할 수 없습니다.\r\n\r\n상품을 먼저 삭제해 주세요."_s;
    EXPECT_FALSE(AsCodeStore().remove(reception, AsCodeRecord::Reception));
    EXPECT_FALSE(AsCodeStore().remove(cause, AsCodeRecord::Cause));
    EXPECT_FALSE(AsCodeStore().remove(result, AsCodeRecord::Result));
    EXPECT_FALSE(AsCodeStore().remove(consult, AsCodeRecord::ConsultClass));
    EXPECT_FALSE(AsCodeStore().remove(0, AsCodeRecord::Cause));
    EXPECT_EQ(prompter.texts(), QStringList({inUse, inUse, inUse,
                                             u"해당 데이터가 「상담내역」에서 사용중이기 때문에 삭제할 수 없습니다."_s,
                                             u"먼저 그리드에서 삭제할 자료를 선택하세요."_s}));
    EXPECT_EQ(DBRecordCount(u"ascode"_s), 5);

    prompter.clear();
    EXPECT_TRUE(AsCodeStore().remove(unused, AsCodeRecord::Cause));
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_FALSE(AsCodeStore().remove(unused, AsCodeRecord::Cause));
    EXPECT_EQ(prompter.count(Kind::Warn), 1);
}
