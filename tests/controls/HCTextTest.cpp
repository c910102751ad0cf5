#include "FieldWindow.h"
#include "HCTextRules.h"
#include "ScriptedPrompter.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;

namespace {

// The field under test, focused, between two others.
struct Editor : asv::test::FieldWindow<HCText> {
    HCText* field = box;

    Editor() { field->setFocus(); }
    QString enter(const QString& typed) { return FieldWindow::enter(field, typed); }
};

} // namespace

TEST(HCText, ByteLimitCutsOnLeavingWithTheLengthMessage)
{
    ScriptedPrompter prompter;
    Editor e;
    e.field->setByteLimit(15);
    asv::test::typeText(e.field, u"가나다라마바사아자차"_s);
    EXPECT_EQ(e.field->text(), u"가나다라마바사아자차"_s) << "nothing is cut while typing";

    QTest::keyClick(e.field, Qt::Key_Tab);
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].title, u"입력길이 초과"_s);
    EXPECT_TRUE(prompter.saw(u"현재 입력된 길이는 20 이며, 최대입력 길이는 15 입니다."_s));
    EXPECT_EQ(e.field->Text(), u"가나다라마바사"_s);
    EXPECT_TRUE(e.after->hasFocus());

    prompter.clear();
    EXPECT_EQ(e.enter(u"가나다라마바사a"_s), u"가나다라마바사a"_s) << "exactly at the limit";
    EXPECT_TRUE(prompter.messages().isEmpty());

    // Composed Hangul is limited the same way.
    e.field->setProperty("MaxLength", 5);
    e.field->setFocus();
    e.field->clear();
    QInputMethodEvent commit(QString(), {});
    commit.setCommitString(u"ab한글"_s);
    QApplication::sendEvent(e.field, &commit);
    QTest::keyClick(e.field, Qt::Key_Tab);
    EXPECT_EQ(e.field->Text(), u"ab한"_s);
    EXPECT_TRUE(prompter.saw(u"현재 입력된 길이는 6 이며, 최대입력 길이는 5 입니다."_s));

    // Switching windows is not leaving the field.
    prompter.clear();
    e.field->setByteLimit(2);
    e.field->setFocus();
    e.field->clear();
    asv::test::typeText(e.field, u"가나"_s);
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(e.field, &away);
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(e.field->text(), u"가나"_s);
}

TEST(HCText, TelephoneFieldTakesDigitsGroupsThemAndPastesWithoutHyphens)
{
    ScriptedPrompter prompter;
    Editor e;
    e.field->setAcceptType(HCText::Telephone);
    e.field->setFocus();
    QTest::keyClicks(e.field, u"0505a-123 4567"_s);
    EXPECT_EQ(e.field->text(), u"05051234567"_s);
    QTest::keyClick(e.field, Qt::Key_Tab);
    EXPECT_EQ(e.field->Text(), u"0505-123-4567"_s);
    EXPECT_EQ(e.enter(u"0212345678"_s), u"02-1234-5678"_s);

    e.field->setFocus();
    e.field->clear();
    QApplication::clipboard()->setText(u"02-123-4567"_s);
    QTest::keyClick(e.field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e.field->text(), u"021234567"_s);
    QApplication::clipboard()->setText(u"02-일이삼"_s);
    QTest::keyClick(e.field, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(e.field->text(), u"021234567"_s);

    // Other kinds paste as a plain text box does.
    e.field->setAcceptType(HCText::AnyText);
    e.field->clear();
    QTest::keyClick(e.field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e.field->text(), u"02-일이삼"_s);
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST(HCText, NumberIsShownWithSeparatorsAndDecimalsButKeptBare)
{
    ScriptedPrompter prompter;
    Editor e;
    e.field->setAcceptType(HCText::Number);
    e.field->setDecPlace(2);
    e.field->setFocus();
    QTest::keyClicks(e.field, u"12a34.5.-,"_s);
    EXPECT_EQ(e.field->text(), u"1234.5"_s) << "digits and one decimal point only";

    QTest::keyClick(e.field, Qt::Key_Tab);
    EXPECT_EQ(e.field->text(), u"1,234.50"_s);
    EXPECT_EQ(e.field->Text(), u"1234.5"_s);

    e.field->setFocus();
    EXPECT_EQ(e.field->text(), u"1234.5"_s) << "edited without separators";
    e.after->setFocus();

    e.field->SetText(u"-1234567"_s);
    EXPECT_EQ(e.field->text(), u"-1,234,567.00"_s);
    e.field->SetText(u"1234.5"_s);
    e.field->setDecPlace(0);
    EXPECT_EQ(e.field->text(), u"1,235"_s);
    EXPECT_EQ(e.field->Text(), u"1234.5"_s);
    e.field->setShowSeparate(false);
    EXPECT_EQ(e.field->text(), u"1234.5"_s);
    EXPECT_TRUE(prompter.messages().isEmpty());

    e.field->setDecPlace(3);
    e.field->setProperty("DecPlace", -1);
    EXPECT_EQ(e.field->decPlace(), 3);
    EXPECT_EQ(prompter.texts(), QStringList{u"음수는 설정할 수 없습니다."_s});
}

TEST(HCText, TimeLettersCaseAndPatternFieldsOnLeaving)
{
    ScriptedPrompter prompter;
    Editor e;
    e.field->setAcceptType(HCText::Time);
    EXPECT_EQ(e.enter(u"1425"_s), u"14:25"_s);
    EXPECT_EQ(e.enter(u"9:05"_s), u"09:05"_s) << "the colon is no digit and is dropped";
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(e.enter(u"2460"_s), u"2460"_s);
    EXPECT_EQ(prompter.texts(), QStringList{TimeFormatMessage(u"2460"_s)});

    e.field->setAcceptType(HCText::LatinLetters);
    EXPECT_EQ(e.enter(u"ab1-Cd 가"_s), u"abCd"_s);
    e.field->setConvertCase(HCText::UpperCase);
    EXPECT_EQ(e.enter(u"abCd"_s), u"ABCD"_s);

    e.field->setAcceptType(HCText::AnyText);
    e.field->setConvertCase(HCText::LowerCase);
    EXPECT_EQ(e.enter(u"  AbC 가1  "_s), u"  abc 가1"_s) << "trailing blanks go on leaving, leading ones stay";

    e.field->setAcceptType(HCText::PatternNumber);
    EXPECT_EQ(e.enter(u"12a3-4567890"_s), u"123-456-7890"_s);
}

TEST(HCText, FocusMovesByEnterAndArrowsAndIsShownTypingMarksTheChange)
{
    Editor e;
    QTest::keyClick(e.field, Qt::Key_Return);
    EXPECT_TRUE(e.after->hasFocus());
    QTest::keyClick(e.after, Qt::Key_Up);
    EXPECT_TRUE(e.field->hasFocus());
    QTest::keyClick(e.field, Qt::Key_Up);
    EXPECT_TRUE(e.before->hasFocus());
    QTest::keyClick(e.before, Qt::Key_Down);
    EXPECT_TRUE(e.field->hasFocus());
    QTest::keyClick(e.field, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(e.after->hasFocus());

    e.field->setAutoTab(false);
    e.field->setFocus();
    QTest::keyClick(e.field, Qt::Key_Return);
    EXPECT_TRUE(e.field->hasFocus());

    // The changed flag follows typing only.
    e.field->SetText(u"불러온 값"_s);
    EXPECT_FALSE(e.field->bChanged());
    QTest::keyClick(e.field, Qt::Key_End);
    QTest::keyClick(e.field, Qt::Key_Backspace);
    EXPECT_TRUE(e.field->bChanged());
    e.field->setBChanged(false);
    QTest::keyClick(e.field, Qt::Key_Tab);
    EXPECT_FALSE(e.field->bChanged());

    // The focus colouring and the edge line follow the focus.
    const QColor white(Qt::white), yellow(0xFF, 0xFF, 0xC0), grey(0x80, 0x80, 0x80), blue(Qt::blue);
    e.field->setBackColor(white);
    e.field->setFocusEffectColor(yellow);
    e.field->setEdgeWidth(2);
    e.field->setEdgeColor(grey);
    e.field->setEdgeFocus(true);
    e.field->setEdgeFocusColor(blue);
    const auto edgePixel = [&] { return e.field->grab().toImage().pixelColor(0, e.field->height() / 2); };

    e.field->setFocus();
    EXPECT_EQ(e.field->palette().color(QPalette::Base), yellow);
    EXPECT_EQ(edgePixel(), blue);

    QTest::keyClick(e.field, Qt::Key_Tab);
    EXPECT_EQ(e.field->palette().color(QPalette::Base), white);
    EXPECT_EQ(edgePixel(), grey);

    e.field->setFocusEffect(false);
    e.field->setFocus();
    EXPECT_EQ(e.field->palette().color(QPalette::Base), white);
}

