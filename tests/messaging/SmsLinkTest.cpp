#include "ConfigKeys.h"
#include "SmsSenderFixture.h"
#include "modSMSLink.h"

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;

namespace {

class SmsLink : public SmsSenderFixture {
protected:
    void useRecordedSender() { ConfigKeys::SmsSenderFolder.set(installSender(senderFolder())); }
};

} // namespace

TEST_F(SmsLink, SenderFolderIsThisProgramsFolderFirstThenTheRecordedOne)
{
    EXPECT_EQ(SmsProgramFolder(false), QString());
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Info), QStringList{u"문자전송 실행파일을 찾을 수 없습니다."_s});

    prompter.clear();
    ConfigKeys::SmsSenderFolder.set(senderFolder());
    EXPECT_EQ(SmsProgramFolder(false), QString());
    EXPECT_TRUE(prompter.saw(u"문자전송 프로그램을 찾을 수 없습니다.\r\n파일명:"_s + inSender(u"OstraSMS.exe"_s)));

    installSender(senderFolder());
    EXPECT_EQ(SmsProgramFolder(false), senderFolder());
    installSender(m_home.path());
    EXPECT_EQ(SmsProgramFolder(false), m_home.path());
    EXPECT_EQ(SmsProgramFolder(true), QString()) << "the fax/voice program is looked up by its own name";
}

TEST_F(SmsLink, TickedRowsAreWrittenAndTheSenderStartsDetachedWithTheList)
{
    useRecordedSender();
    ASSERT_TRUE(TransFromSpread({{u"010-1111-2222, 010-3333-4444"_s, u"김;철:수,님"_s}}, false));
    EXPECT_EQ(started(), (QStringList{senderFolder(), inSender(kSmsListFile)}));
    EXPECT_EQ(Cp949::decode(contentOf(kSmsListFile)), u"010-1111-2222,김철수님\r\n010-3333-4444,김철수님\r\n"_s);
}

TEST_F(SmsLink, ARefusedOrCancelledListStartsTheSenderWithNone)
{
    useRecordedSender();
    QFile old(inSender(kSmsListFile));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old\r\n") == 5);
    old.close();
    ASSERT_TRUE(TransFromSpread({{u"010-1"_s, u"김😀"_s}}, false));
    EXPECT_EQ(started(), (QStringList{senderFolder(), u"0"_s}));
    EXPECT_EQ(contentOf(kSmsListFile), QByteArray("old\r\n")) << "nothing is written for a refused name";
    EXPECT_TRUE(prompter.saw(u"😀"_s));

    QFile::remove(inSender(u"started.txt"_s));
    prompter.answer(MsgAnswer::Cancel);
    ASSERT_TRUE(TransFromSpread({{u"010-1"_s, u"가"_s}, {u"010-1"_s, u"나"_s}}, false));
    EXPECT_EQ(started(), (QStringList{senderFolder(), u"0"_s}));
    EXPECT_EQ(contentOf(kSmsListFile), QByteArray("010-1,\xb0\xa1\r\n")) << "the lines before the cancel stay";
}

TEST_F(SmsLink, NothingTickedAsksBeforeStartingEmpty)
{
    useRecordedSender();
    EXPECT_FALSE(TransFromSpread({}, false));
    EXPECT_TRUE(prompter.saw(u"전송할 자료를 선택하지 않았습니다.\r\n그래도, 문자전송 프로그램을 실행할까요?"_s));
    prompter.answer(MsgAnswer::Yes);
    EXPECT_TRUE(TransFromSpread({}, false));
    EXPECT_EQ(started(), (QStringList{senderFolder(), u"0"_s}));
    EXPECT_FALSE(QFile::exists(inSender(kSmsListFile)));

    EXPECT_FALSE(TransFromSpread({{u"010-1"_s, u"가"_s}}, true));
    EXPECT_TRUE(prompter.saw(u"팩스,음성은 현재 지원하지 않은 기능입니다."_s));
}

TEST_F(SmsLink, OneRecipientHandsOverItsMessageBeside)
{
    useRecordedSender();
    ASSERT_TRUE(TransSMS(u"010-1111-2222"_s, u"김;철:수,님"_s, false, u"안녕하세요\r\n둘째 줄"_s));
    EXPECT_EQ(started(),
              (QStringList{senderFolder(), inSender(kSmsListFile) + u';' + inSender(kSmsMessageFile)}));
    EXPECT_EQ(Cp949::decode(contentOf(kSmsListFile)), u"010-1111-2222,김철수,님\r\n"_s);
    EXPECT_EQ(Cp949::decode(contentOf(kSmsMessageFile)), u"안녕하세요\r\n둘째 줄"_s);
}

TEST_F(SmsLink, OneRecipientWithoutANumberStartsWithTheMessageOnly)
{
    useRecordedSender();
    EXPECT_FALSE(TransSMS(u" "_s, u"가"_s, false));
    EXPECT_TRUE(prompter.saw(u"전화번호가 입력되지 않았습니다.\r\n그래도, 문자전송 프로그램을 실행할까요?"_s));
    prompter.answer(MsgAnswer::Yes);
    ASSERT_TRUE(TransSMS({}, u"가"_s, false, u"알림"_s));
    EXPECT_EQ(started(), (QStringList{senderFolder(), u" "_s + inSender(kSmsMessageFile)}));
    EXPECT_FALSE(QFile::exists(inSender(kSmsListFile)));
}
