#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace asv::test {

// QTest::keyClicks sends Latin-1 only; Hangul needs the key event's text.
inline void typeText(QWidget* widget, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Clicks the window's button (or check box) of that name.
inline void click(const QWidget& window, const QString& name)
{
    window.findChild<QAbstractButton*>(name)->click();
}

inline bool showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Runs act on the next modal dialog of type T once it is open (a dialog's exec() blocks the test).
template <typename T>
void whenModal(std::function<void(T*)> act)
{
    // Owned by the application: a deferred delete posted inside a dialog's own event loop may never
    // run before the test ends.
    auto* poll = new QTimer(QCoreApplication::instance());
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act = std::move(act)] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(dialog);
        }
    });
    poll->start();
}

} // namespace asv::test
