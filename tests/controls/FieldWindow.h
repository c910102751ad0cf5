#pragma once

#include "HCText.h"
#include "WidgetDriver.h"

#include <QAbstractButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace asv::test {

// An active window named FrmTest with the control under test between two plain fields, so that
// leaving it and coming back can be seen.
template <typename Box>
struct FieldWindow {
    QWidget window;
    HCText* before = new HCText(&window);
    Box* box = new Box(&window);
    HCText* after = new HCText(&window);

    FieldWindow()
    {
        window.setObjectName(QStringLiteral("FrmTest"));
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : {static_cast<QWidget*>(before), static_cast<QWidget*>(box), static_cast<QWidget*>(after)})
            layout->addWidget(w);
        EXPECT_TRUE(showActive(window));
    }

    HCText* field(const QString& name) { return box->template findChild<HCText*>(name); }

    // Replaces the field's text key by key, as the operator does.
    static void retype(HCText* f, const QString& keys)
    {
        f->setFocus();
        QTest::keyClick(f, Qt::Key_Home);
        QTest::keyClick(f, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClick(f, Qt::Key_Delete);
        QTest::keyClick(f, Qt::Key_Home);
        QTest::keyClicks(f, keys);
    }

    // Types into the emptied field and leaves it with Tab; returns what it shows then.
    static QString enter(HCText* f, const QString& typed)
    {
        f->setFocus();
        f->clear();
        typeText(f, typed);
        QTest::keyClick(f, Qt::Key_Tab);
        return f->text();
    }

    void click(const QString& name) { QTest::mouseClick(box->template findChild<QAbstractButton*>(name), Qt::LeftButton); }
};

} // namespace asv::test
