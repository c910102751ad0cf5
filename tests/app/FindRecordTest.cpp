#include "FindRecord.h"
#include "PickerRegistry.h"
#include "RegistryGuard.h"
#include "ScriptedPrompter.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using Kind = ScriptedPrompter::Kind;

namespace {

// What the picker and the editor of one kind were asked, and what they answer.
struct Script {
    QList<Pick> rows; // a row matches when its name contains the text
    int operatorChoice = -1; // row picked in the modal list, -1 for none
    QStringList calls;
    QStringList editorTexts;
    Pick editorResult;
};

class ScriptedPicker : public RecordPicker {
public:
    explicit ScriptedPicker(Script& script) : m_script(script) {}

    void setSearchState(const QString& fields, const QString& opText) override
    {
        m_script.calls << u"state:"_s + fields + u'|' + opText;
    }
    int FindRecords(const QString& text, const QString& extraCondition) override
    {
        m_script.calls << u"find:"_s + text + u'|' + extraCondition;
        for (const Pick& row : m_script.rows) {
            if (row.name.contains(text))
                m_found << row;
        }
        return static_cast<int>(m_found.size());
    }
    bool pickModal() override
    {
        m_script.calls << u"modal"_s;
        m_current = m_script.operatorChoice;
        return m_current >= 0;
    }
    Pick Result() const override { return m_found.value(m_current); }

private:
    Script& m_script;
    QList<Pick> m_found;
    int m_current = 0;
};

// Registers the scripted picker and editor for one kind while it lives.
struct Registration {
    explicit Registration(const QString& kind, const Pick& editorResult = {}) : guard({kind})
    {
        script.editorResult = editorResult;
        PickerRegistry::registerKind(
            kind, [this](QWidget*) { return std::make_unique<ScriptedPicker>(script); },
            [this](QWidget*, const QString& text) {
                script.editorTexts << text;
                return script.editorResult;
            });
    }
    test::RegistryGuard guard;
    Script script;
};

FindRequest request(const QString& text)
{
    FindRequest r;
    r.text = text;
    return r;
}

} // namespace

TEST(FindRecordFlow, OneMatchIsTakenSeveralAreOfferedAndNothingFoundIsReported)
{
    ScriptedPrompter prompter;
    Registration reg(kFindKindCust);
    reg.script.rows = {{u"000001"_s, u"대한상사"_s}, {u"000002"_s, u"대한기계"_s}, {u"000003"_s, u"민국상회"_s}};

    const FindRequest narrowed{u"민국"_s, u"c.hidden = 0"_s, u"c.compname"_s, u"s* : 검색어로 시작"_s, nullptr};
    EXPECT_EQ(FindRecord(kFindKindCust, narrowed), (Pick{u"000003"_s, u"민국상회"_s}));
    EXPECT_EQ(reg.script.calls, (QStringList{u"state:c.compname|s* : 검색어로 시작"_s, u"find:민국|c.hidden = 0"_s}));

    reg.script.operatorChoice = 1;
    EXPECT_EQ(FindCust(request(u"대한"_s)), (Pick{u"000002"_s, u"대한기계"_s}));
    EXPECT_TRUE(reg.script.calls.contains(u"modal"_s));
    // Several found and none picked: no offer to register.
    reg.script.operatorChoice = -1;
    EXPECT_EQ(FindRecord(kFindKindCust, request(u"대한"_s)), Pick());
    EXPECT_EQ(FindCust(request(u"대한"_s)), Pick());
    EXPECT_TRUE(prompter.messages().isEmpty());

    reg.script.rows.clear();
    EXPECT_EQ(FindRecord(kFindKindCust, request(QString())), Pick());
    EXPECT_EQ(FindRecord(kFindKindCust, request(u"없는이름"_s)), Pick());
    EXPECT_EQ(FindRecord(kFindKindCust, request(u"없는이름"_s), true), Pick());
    ASSERT_EQ(prompter.messages().size(), 2);
    EXPECT_EQ(prompter.messages()[0].text, u"등록된 고객이(가) 없습니다."_s);
    EXPECT_EQ(prompter.messages()[1].text, u"검색한 고객이(가) 등록되어 있지 않습니다."_s);
    EXPECT_EQ(prompter.messages()[1].title, u"고객 검색"_s);
    EXPECT_EQ(prompter.messages()[1].kind, Kind::Info);
}

TEST(FindRecordFlow, UsersCustomersAndProductsMayBeRegisteredOnTheSpot)
{
    ScriptedPrompter prompter;
    Registration users(kFindKindUser, {u"05"_s, u"김철수"_s});
    prompter.answer(MsgAnswer::Yes);
    EXPECT_EQ(FindUser(request(u"김철수"_s)), (Pick{u"05"_s, u"김철수"_s}));
    EXPECT_EQ(users.script.editorTexts, QStringList{u"김철수"_s});
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].kind, Kind::YesNo);
    EXPECT_EQ(prompter.messages()[0].title, u"담당자 검색"_s);

    prompter.answer(MsgAnswer::No);
    EXPECT_EQ(FindUser(request(QString())), Pick());
    EXPECT_EQ(prompter.texts(Kind::YesNo).last(), u"등록된 담당자가 없습니다.\r\n신규 등록하겠습니까?"_s);
    EXPECT_EQ(users.script.editorTexts.size(), 1);

    // The editor closed without saving: nothing is taken.
    Registration customers(kFindKindCust);
    prompter.answer(MsgAnswer::Yes);
    EXPECT_EQ(FindCust(request(u"새고객"_s)), Pick());
    EXPECT_EQ(customers.script.editorTexts, QStringList{u"새고객"_s});
    EXPECT_EQ(prompter.texts(Kind::YesNo).last(), u"검색한 고객가 등록되어 있지 않습니다.\r\n신규 등록하겠습니까?"_s);

    Registration products(kFindKindProd, {u"000100"_s, u"새상품"_s});
    prompter.answer(MsgAnswer::Cancel);
    EXPECT_EQ(FindProd(request(QString())), Pick());
    EXPECT_TRUE(prompter.texts(Kind::YesNoCancel).last().startsWith(u"등록된 상품이 없거나,\r\n숨김설정"_s));
    EXPECT_TRUE(products.script.editorTexts.isEmpty());
    // Found but nothing picked: no offer.
    products.script.rows = {{u"000001"_s, u"우유 1L"_s}, {u"000002"_s, u"우유 2L"_s}};
    const qsizetype asked = prompter.messages().size();
    EXPECT_EQ(FindProd(request(u"우유"_s)), Pick());
    EXPECT_EQ(prompter.messages().size(), asked);
    EXPECT_EQ(prompter.unanswered(), 0);
}

TEST(FindRecordFlow, AKindWithoutPickerEndsInTheErrorBox)
{
    ScriptedPrompter prompter;
    EXPECT_FALSE(PickerRegistry::isRegistered(u"창고"_s));
    EXPECT_EQ(FindRecord(u"창고"_s, request(u"x"_s)), Pick());
    EXPECT_EQ(FindCust(request(u"x"_s)), Pick());
    ASSERT_EQ(prompter.count(Kind::Error), 2);
    EXPECT_TRUE(prompter.texts(Kind::Error)[0].contains(u"in procedure FindRecord of Module modMain"_s));
    EXPECT_TRUE(prompter.texts(Kind::Error)[1].contains(u"in procedure FindCust of Module modMain"_s));
}
