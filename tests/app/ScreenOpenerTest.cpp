#include "RegistryGuard.h"
#include "ScreenOpener.h"
#include "ScreenRegistry.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;

// A screen opened beside another inside the main window's frame area and closed by its own
// button takes its frame along, as the menu's screens do.
TEST(ScreenOpener, AScreenClosedByItsOwnButtonLeavesNoEmptyFrame)
{
    test::RegistryGuard guard({}, {u"TestScreen"_s});
    ScreenRegistry::add(u"TestScreen"_s, {[](QWidget* parent) {
                            auto* screen = new QWidget(parent);
                            auto* close = new QPushButton(u"닫기"_s, screen);
                            close->setObjectName(u"btnClose"_s);
                            QObject::connect(close, &QPushButton::clicked, screen, &QWidget::close);
                            return screen;
                        }});
    QMdiArea area;
    auto* opener = new QWidget;
    area.addSubWindow(opener)->show();
    area.show();

    OpenRegisteredScreen(opener, u"TestScreen"_s);
    ASSERT_EQ(area.subWindowList().size(), 2);
    area.subWindowList().last()->widget()->findChild<QPushButton*>(u"btnClose"_s)->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return area.subWindowList().size() == 1; }, 2000));
}
