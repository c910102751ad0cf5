#include "Clock.h"
#include "ConfigKeys.h"
#include "Cp949.h"
#include "FrmTool_SMS.h"
#include "GridDriver.h"
#include "MessagingScreens.h"
#include "Paths.h"
#include "RegistryGuard.h"
#include "ScriptedPrompter.h"
#include "SmsCommands.h"
#include "SmsCustomers.h"
#include "SmsList.h"
#include "TestDatabase.h"
#include "WidgetDriver.h"
#include "modMySQL_Func.h"
#include "modSMSLink.h"
#include "RecordSet.h"

#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using Filter = SmsCustomers::Filter;

namespace {

const QString kLeftOutOne = u"핸드폰 번호가 없는 고객 1명은 받는 사람에서 제외했습니다."_s;

// A program folder of its own and, in a folder of its own, a stand-in sender program that writes
// its working folder and its argument into "started.txt" there.
class SmsSender : public ::testing::Test {
protected:
    SmsSender() { Paths::setProgramFolder(m_home.path()); }

    QString installSender(const QString& folder)
    {
        QFile script(QDir(folder).filePath(u"OstraSMS.exe"_s));
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$PWD\" \"$1\" > started.tmp && mv started.tmp started.txt\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        return folder;
    }
    void useRecordedSender() { ConfigKeys::SmsSenderFolder.set(installSender(senderFolder())); }
    QString senderFolder() const { return m_sender.path(); }
    QString inSender(const QString& file) const { return QDir(m_sender.path()).filePath(file); }

    // The sender's working folder and argument once it has run; empty when it did not start.
    QStringList started() const
    {
        const QDeadlineTimer deadline(5000);
        QFile file(inSender(u"started.txt"_s));
        while (!file.exists() && !deadline.hasExpired())
            QThread::msleep(10);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    QByteArray contentOf(const QString& file) const
    {
        QFile f(inSender(file));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_home;
    QTemporaryDir m_sender;
    ScriptedPrompter prompter;
};

// Customers with AS jobs on a fixed day, and a recorded sender program: 가상사 has a mobile number,
// 나상사 only a mobile-looking telephone, 다상사 no mobile number at all, 숨김상사 is hidden.
struct SmsCustomersFixture : SmsSender {
    test::TestDatabase db;

    SmsCustomersFixture()
    {
        Clock::setFixed(QDateTime(QDate(2026, 2, 10), QTime(9, 0)));
        useRecordedSender();
        DBExecute(u"INSERT INTO customer (code, compname, telno1, fax, hpno, nowmoney, hidden) VALUES "
                  u"('000001', '가상사', '02-111-1111', '02-111-9999', '010-1111-1111', 12345, 0), "
                  u"('000002', '나상사', '011-222-2222', '', '', 0, 0), "
                  u"('000003', '다상사', '031-333-3333', '', '', 0, 0), "
                  u"('000004', '숨김상사', '', '', '010-4444-4444', 0, 1)"_s);
        DBExecute(u"INSERT INTO aslist_m (code, ccode, dealdate, resvdate2) VALUES "
                  u"(1, '000001', '2026-01-10', '2026-02-01'), (2, '000002', '2025-06-01', ''), "
                  u"(3, '000004', '2026-01-10', '2026-02-01')"_s);
    }
    ~SmsCustomersFixture() override { Clock::clearFixed(); }
};

struct SmsWindow : SmsCustomersFixture {
    test::RegistryGuard guard{{}, {u"mnuSMS"_s}};
    std::unique_ptr<QWidget> window;
    Grid* list = nullptr;

    SmsWindow()
    {
        MessagingScreens::registerAll();
        window.reset(ScreenRegistry::find(u"mnuSMS"_s)->create(nullptr));
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        list = window->findChild<Grid*>(u"spList"_s);
        test::showActive(*window);
    }
    template <typename T>
    T* control(const QString& name) const { return window->findChild<T*>(name); }
    QString count() const { return control<QLabel>(u"lblCount"_s)->text(); }
};

} // namespace

TEST(SmsList, NumbersSplitAtCommasAndTrimmedOnlyWhenSplit)
{
    const QList<std::pair<QString, QStringList>> cases{
        {u"010-1111-2222, 010-3333-4444"_s, {u"010-1111-2222"_s, u"010-3333-4444"_s}},
        {u" 010-1 ,010-2 , 010-3"_s, {u"010-1"_s, u"010-2"_s, u"010-3"_s}},
        {u"010-1111-2222, "_s, {u"010-1111-2222"_s}},
        {u" 010-1111-2222 "_s, {u" 010-1111-2222 "_s}},
        {u",010-1111-2222"_s, {u",010-1111-2222"_s}},
        {{}, {}}};
    for (const auto& [cell, numbers] : cases)
        EXPECT_EQ(SmsList::splitNumbers(cell), numbers) << cell.toStdString();
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

TEST_F(SmsSender, SenderFolderIsThisProgramsFolderFirstThenTheRecordedOne)
{
    // Both refusals say where the folder is set.
    const QString where = u"[환경설정] 화면의 [외부 프로그램 및 메일] - [문자전송 프로그램 폴더]"_s;
    EXPECT_EQ(SmsProgramFolder(false), QString());
    const QStringList said = prompter.texts(ScriptedPrompter::Kind::Info);
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].startsWith(u"문자전송 실행파일을 찾을 수 없습니다.\r\n"_s + where)) << said[0].toStdString();

    ConfigKeys::SmsSenderFolder.set(senderFolder());
    EXPECT_EQ(SmsProgramFolder(false), QString());
    EXPECT_TRUE(prompter.saw(u"문자전송 프로그램을 찾을 수 없습니다.\r\n파일명:"_s + inSender(u"OstraSMS.exe"_s)));
    EXPECT_TRUE(prompter.texts().last().contains(where));

    installSender(senderFolder());
    EXPECT_EQ(SmsProgramFolder(false), senderFolder());
    installSender(m_home.path());
    EXPECT_EQ(SmsProgramFolder(false), m_home.path());
    EXPECT_EQ(SmsProgramFolder(true), QString()) << "the fax/voice program is looked up by its own name";
}

TEST_F(SmsSender, TickedRowsAreWrittenInCodePage949AndTheSenderStartsDetachedWithTheList)
{
    useRecordedSender();
    ASSERT_TRUE(TransFromSpread({{u"010-1111-2222, 010-3333-4444"_s, u"김;철:수,님"_s}}, false));
    EXPECT_EQ(started(), (QStringList{senderFolder(), inSender(kSmsListFile)}));
    EXPECT_EQ(contentOf(kSmsListFile), QByteArray("010-1111-2222,\xb1\xe8\xc3\xb6\xbc\xf6\xb4\xd4\r\n"
                                                  "010-3333-4444,\xb1\xe8\xc3\xb6\xbc\xf6\xb4\xd4\r\n"));
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(SmsSender, AnEmptyRefusedOrCancelledListStartsTheSenderWithNone)
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

    QFile::remove(inSender(u"started.txt"_s));
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

TEST_F(SmsSender, OneRecipientHandsOverItsMessageBesideAndWithoutANumberTheMessageOnly)
{
    useRecordedSender();
    ASSERT_TRUE(TransSMS(u"010-1111-2222"_s, u"김;철:수,님"_s, false, u"안녕하세요\r\n둘째 줄"_s));
    EXPECT_EQ(started(), (QStringList{senderFolder(), inSender(kSmsListFile) + u';' + inSender(kSmsMessageFile)}));
    EXPECT_EQ(Cp949::decode(contentOf(kSmsListFile)), u"010-1111-2222,김철수,님\r\n"_s);
    EXPECT_EQ(Cp949::decode(contentOf(kSmsMessageFile)), u"안녕하세요\r\n둘째 줄"_s);

    QFile::remove(inSender(u"started.txt"_s));
    QFile::remove(inSender(kSmsListFile));
    EXPECT_FALSE(TransSMS(u" "_s, u"가"_s, false));
    EXPECT_TRUE(prompter.saw(u"전화번호가 입력되지 않았습니다.\r\n그래도, 문자전송 프로그램을 실행할까요?"_s));
    prompter.answer(MsgAnswer::Yes);
    ASSERT_TRUE(TransSMS({}, u"가"_s, false, u"알림"_s));
    EXPECT_EQ(started(), (QStringList{senderFolder(), u" "_s + inSender(kSmsMessageFile)}));
    EXPECT_FALSE(QFile::exists(inSender(kSmsListFile)));
}

TEST(SmsCustomerNumbers, MobileFirstThenTheKindsTicked)
{
    struct Case {
        QString hpno, telno1, fax;
        SmsCustomers::Kinds kinds;
        QString mobile, numbers;
    };
    const Case cases[] = {
        {u"010-1"_s, u"02-1"_s, u"02-9"_s, {true, true, true}, u"010-1"_s, u"010-1,02-1,02-9"_s},
        {u"02-5"_s, u"011-2"_s, u"02-9"_s, {true, true, false}, u"011-2"_s, u"011-2"_s},
        {{}, u"02-1"_s, u"010-9"_s, {true, true, true}, {}, u"02-1"_s},
        {u"010-1"_s, u"02-1"_s, {}, {false, false, true}, u"010-1"_s, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hpno.toStdString() + " " + c.telno1.toStdString());
        EXPECT_EQ(SmsCustomers::mobileNumber(c.hpno, c.telno1), c.mobile);
        EXPECT_EQ(SmsCustomers::searchNumbers(c.hpno, c.telno1, c.fax, c.kinds), c.numbers);
    }
}

TEST_F(SmsCustomersFixture, EverySearchConditionFindsItsCustomersAndTheListCommandWritesTheNamedOnes)
{
    struct Case {
        SmsCustomers::Condition condition;
        QStringList names;
        QString memo;
    };
    const Case cases[] = {
        {{Filter::All, {}, {}, 0}, {u"가상사"_s, u"나상사"_s, u"다상사"_s}, {}},
        {{Filter::Receivables, {}, {}, 0}, {u"가상사"_s, u"나상사"_s, u"다상사"_s}, u"12345.0000"_s},
        {{Filter::PlannedVisits, QDate(2026, 1, 25), QDate(2026, 2, 5), 0}, {u"가상사"_s}, u"2026-02-01"_s},
        {{Filter::LastAsDays, {}, {}, 100}, {u"나상사"_s}, u"2025-06-01"_s},
        {{Filter::AsPeriod, QDate(2026, 1, 1), QDate(2026, 1, 31), 0}, {u"가상사"_s}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(SmsCustomers::memo(c.condition.filter).header.toStdString());
        RecordSetPtr rs;
        const int rows = DBOpenRS(rs, SmsCustomers::sql(c.condition));
        QStringList names;
        for (int r = 0; r < rows; ++r)
            names << rs->value(r, u"compname"_s);
        EXPECT_EQ(names, c.names);
        const QString field = SmsCustomers::memo(c.condition.filter).field;
        if (!field.isEmpty()) {
            EXPECT_EQ(rs->value(0, field), c.memo);
        }
    }
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Error), 0);

    // The list command writes the named customers in their order, those with a mobile number.
    QString printed;
    QTextStream out(&printed);
    EXPECT_EQ(smsList(out, {u"000002"_s, u"000001"_s, u"999999"_s, u"000003"_s}), 0);
    out.flush();
    EXPECT_EQ(printed, inSender(kSmsListFile) + u'\n');
    EXPECT_EQ(Cp949::decode(contentOf(kSmsListFile)), u"011-222-2222,나상사\r\n010-1111-1111,가상사\r\n"_s);
    EXPECT_EQ(smsList(out, {u"999999"_s}), 1);
}

TEST_F(SmsWindow, QueryShowsTheConditionsMemoAndTheTickedNumberKinds)
{
    control<QRadioButton>(u"optFilter1"_s)->setChecked(true);
    control<QCheckBox>(u"chkPhoneType1"_s)->setChecked(true);
    control<QCheckBox>(u"chkPhoneType2"_s)->setChecked(true);
    test::click(*window, u"btnQuery"_s);
    EXPECT_EQ(test::column(list, u"거래처명"_s), (QStringList{u"가상사"_s, u"나상사"_s, u"다상사"_s}));
    EXPECT_EQ(test::column(list, u"검색 전화번호"_s),
              (QStringList{u"010-1111-1111,02-111-1111,02-111-9999"_s, u"011-222-2222"_s, u"031-333-3333"_s}));
    EXPECT_EQ(test::column(list, u"핸드폰No"_s), (QStringList{u"010-1111-1111"_s, u"011-222-2222"_s, QString()}));
    EXPECT_EQ(test::column(list, u"미수금"_s), (QStringList{u"12,345"_s, u"0"_s, u"0"_s}));

    control<QRadioButton>(u"optFilter3"_s)->setChecked(true);
    control<QSpinBox>(u"htLastday"_s)->setValue(9999);
    test::click(*window, u"btnQuery"_s);
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_TRUE(prompter.saw(u"검색된 결과가 없습니다."_s));

    // A calling screen's customers are listed ticked.
    auto* receiver = dynamic_cast<CustomerListReceiver*>(window.get());
    ASSERT_NE(receiver, nullptr);
    // One without a mobile number is left out and counted.
    prompter.clear();
    receiver->showCustomers({u"000002"_s, u"000003"_s, u"000001"_s});
    EXPECT_EQ(test::column(list, u"거래처명"_s), (QStringList{u"나상사"_s, u"가상사"_s}));
    EXPECT_EQ(count(), u"2"_s);
    EXPECT_EQ(prompter.texts(), QStringList{kLeftOutOne});
}

TEST_F(SmsWindow, TickedRowsGoToTheSenderByTheirMobileNumbers)
{
    test::click(*window, u"btnQuery"_s);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    list->setCurrentIndex(list->model()->index(2, 1));
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(count(), u"2"_s);
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(count(), u"1"_s);
    test::click(*window, u"chkAllSel"_s);
    EXPECT_EQ(count(), u"3"_s);

    test::click(*window, u"btnSend0"_s);
    EXPECT_EQ(prompter.texts(), QStringList{kLeftOutOne});
    EXPECT_EQ(started(), (QStringList{senderFolder(), inSender(kSmsListFile)}));
    EXPECT_EQ(Cp949::decode(contentOf(kSmsListFile)), u"010-1111-1111,가상사\r\n011-222-2222,나상사\r\n"_s);
}
