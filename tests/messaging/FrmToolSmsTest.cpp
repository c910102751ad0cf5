#include "FrmTool_SMS.h"
#include "GridDriver.h"
#include "MessagingScreens.h"
#include "RegistryGuard.h"
#include "SmsCustomersFixture.h"
#include "WidgetDriver.h"
#include "modSMSLink.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

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
    EXPECT_EQ(started(), (QStringList{senderFolder(), inSender(kSmsListFile)}));
    EXPECT_EQ(Cp949::decode(contentOf(kSmsListFile)), u"010-1111-1111,가상사\r\n011-222-2222,나상사\r\n"_s);
}

TEST_F(SmsWindow, ACallingScreensCustomersAreListedTicked)
{
    auto* receiver = dynamic_cast<CustomerListReceiver*>(window.get());
    ASSERT_NE(receiver, nullptr);
    receiver->showCustomers({u"000002"_s, u"000001"_s});
    EXPECT_EQ(test::column(list, u"거래처명"_s), (QStringList{u"나상사"_s, u"가상사"_s}));
    EXPECT_EQ(count(), u"2"_s);
}
