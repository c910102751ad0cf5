#include "AppState.h"
#include "CallerIdReceiver.h"
#include "Paths.h"
#include "RegistryGuard.h"
#include "ScreenRegistry.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "UdpRelaySettings.h"
#include "WidgetDriver.h"
#include "frmMain.h"
#include "modMySQL_Func.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using Kind = asv::test::ScriptedPrompter::Kind;

namespace {

// The consult desk stand-in: the numbers the main window handed over.
class DeskStandIn : public QWidget, public CallerIdReceiver {
public:
    using QWidget::QWidget;
    void InputCID(const QString& number, bool, CallArrival) override { numbers << number; }
    static inline QStringList numbers;
};

// A screen with a field the operator is typing in.
class TypingScreen : public QWidget {
public:
    TypingScreen() : field(new QLineEdit) { (new QVBoxLayout(this))->addWidget(field); }
    QLineEdit* field;
};

} // namespace

TEST(DeviceCallHandOver, ARingLeavesTheKeyboardWhereItIsAndACallWithoutADeskIsStoredAndAnnounced)
{
    test::TestDatabase db;
    test::ScriptedPrompter prompter;
    test::RegistryGuard guard({}, {u"mnuSlipCon"_s, u"typing"_s});
    ScreenRegistry::add(u"mnuSlipCon"_s, {[](QWidget* parent) { return new DeskStandIn(parent); }, false});
    ScreenRegistry::add(u"typing"_s, {[](QWidget*) { return new TypingScreen; }, false});
    App().UserCode = u"00"_s;
    DeskStandIn::numbers.clear();

    frmMain w;
    ASSERT_TRUE(test::showActive(w));
    auto* typing = static_cast<TypingScreen*>(w.openScreen(u"typing"_s));
    typing->field->setFocus();
    QMdiSubWindow* working = w.mdiArea()->activeSubWindow();
    ASSERT_EQ(QApplication::focusWidget(), typing->field);
    const auto deskFrame = [&w]() -> QMdiSubWindow* {
        for (QMdiSubWindow* sub : w.mdiArea()->subWindowList()) {
            if (dynamic_cast<DeskStandIn*>(sub->widget()))
                return sub;
        }
        return nullptr;
    };

    // Closed, the desk opens behind the window in use; open and minimised, it stays so.
    w.InputFromSeeID(u"0212345678"_s, 1, true);
    ASSERT_NE(deskFrame(), nullptr);
    deskFrame()->showMinimized();
    w.mdiArea()->setActiveSubWindow(working);
    typing->field->setFocus();
    w.InputFromSeeID(u"0311112222"_s, 1, true);
    EXPECT_EQ(DeskStandIn::numbers, QStringList({u"0212345678"_s, u"0311112222"_s}));
    EXPECT_EQ(w.mdiArea()->activeSubWindow(), working);
    EXPECT_EQ(QApplication::focusWidget(), typing->field);
    EXPECT_TRUE(deskFrame()->isMinimized());

    // An operator who takes no calls has no desk; the call is stored, linked and told all the same.
    deskFrame()->close();
    QTRY_VERIFY(deskFrame() == nullptr);
    DBExecute(u"UPDATE local_user SET consult = 0 WHERE code = '00'"_s);
    DBExecute(u"INSERT INTO customer (code, compname, telno1) VALUES ('000001', '대한상사', '02-555-0001')"_s);
    QUdpSocket colleague;
    ASSERT_TRUE(colleague.bind(QHostAddress::LocalHost, 0));
    UdpRelaySettings::Peers.set(u"127.0.0.1:"_s + QString::number(colleague.localPort()));
    w.InputFromSeeID(u"025550001"_s, 1, true);
    EXPECT_EQ(deskFrame(), nullptr);
    EXPECT_EQ(DBGetValue(u"SELECT CONCAT_WS('|', ctelno, ccode, cname) FROM rsvconsult"_s), u"02-555-0001|000001|대한상사"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return colleague.hasPendingDatagrams(); }, 2000));
    EXPECT_EQ(colleague.receiveDatagram().data(), "40;025550001");
    EXPECT_EQ(prompter.texts(Kind::Notice), QStringList{u"전화 수신: 02-555-0001 대한상사"_s});
    EXPECT_EQ(prompter.count(Kind::Error), 0) << prompter.texts().join(u'\n').toStdString();
    EXPECT_EQ(QApplication::focusWidget(), typing->field);
    App().UserCode.clear();
}
