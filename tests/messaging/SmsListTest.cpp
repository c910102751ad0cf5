#include "ScriptedPrompter.h"
#include "SmsList.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;

TEST(SmsList, NumbersSplitAtCommasAndTrimmedOnlyWhenSplit)
{
    struct Case {
        QString cell;
        QStringList numbers;
    };
    const Case cases[] = {{u"010-1111-2222, 010-3333-4444"_s, {u"010-1111-2222"_s, u"010-3333-4444"_s}},
                          {u" 010-1 ,010-2 , 010-3"_s, {u"010-1"_s, u"010-2"_s, u"010-3"_s}},
                          {u"010-1111-2222, "_s, {u"010-1111-2222"_s}},
                          {u" 010-1111-2222 "_s, {u" 010-1111-2222 "_s}},
                          {u",010-1111-2222"_s, {u",010-1111-2222"_s}},
                          {{}, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell.toStdString());
        EXPECT_EQ(SmsList::splitNumbers(c.cell), c.numbers);
    }
}

TEST(SmsList, TwoNumbersOfOneCustomerGiveTwoLinesInCodePage949)
{
    ScriptedPrompter prompter;
    const SmsList::Lines lines = SmsList::lines({{u"010-1111-2222, 010-3333-4444"_s, u"김;철:수,님"_s}});
    EXPECT_TRUE(lines.complete);
    EXPECT_EQ(SmsList::encode(lines.lines),
              QByteArray("010-1111-2222,\xb1\xe8\xc3\xb6\xbc\xf6\xb4\xd4\r\n"
                         "010-3333-4444,\xb1\xe8\xc3\xb6\xbc\xf6\xb4\xd4\r\n"));
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST(SmsList, SharedNumbersAreAskedAboutOnce)
{
    const QList<SmsRecipient> shared{{u"010-1"_s, u"가"_s}, {u" 010-1"_s, u"나"_s}, {u"010-2"_s, u"다"_s},
                                     {u"010-1"_s, u"라"_s}, {u"010-2"_s, u"마"_s}};
    struct Case {
        MsgAnswer answer;
        QStringList lines;
        bool complete;
    };
    const Case cases[] = {
        {MsgAnswer::Yes, {u"010-1,가"_s, u"010-2,다"_s}, true},
        {MsgAnswer::No, {u"010-1,가"_s, u" 010-1,나"_s, u"010-2,다"_s, u"010-1,라"_s, u"010-2,마"_s}, true},
        {MsgAnswer::Cancel, {u"010-1,가"_s}, false}};
    for (const Case& c : cases) {
        ScriptedPrompter prompter;
        prompter.answer(c.answer);
        const SmsList::Lines lines = SmsList::lines(shared);
        EXPECT_EQ(lines.lines, c.lines);
        EXPECT_EQ(lines.complete, c.complete);
        EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::YesNoCancel), 1);
        EXPECT_TRUE(prompter.saw(u"  - 중복 제거 하시겠으면 [예]"_s));
    }
}
