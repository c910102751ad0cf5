#pragma once

#include "MailDraft.h"

#include <QString>
#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace asv {

// What the opening window hands to a screen it opens.
struct ScreenRequest {
    QString customer;                       // shown at once by a customer or customer-list receiver
    std::function<void(QWidget*)> prepare;  // anything else, before the screen shows
    std::function<void()> closed;           // the opener's refresh when the screen is gone
};

// Opens the screen registered under that name beside `from`: a modal one over it, any other in
// the main window's frame area when `from` stands in one. Nothing happens for an unregistered name.
void OpenRegisteredScreen(QWidget* from, const QString& screen, const ScreenRequest& request = {});

// The mail screen with the draft filled in; nothing when no mail screen is registered.
void OpenMailScreen(QWidget* from, const MailDraft& draft);
inline const QString kMailScreen = QStringLiteral("FrmSendMail");
// The mail settings, on their own.
inline const QString kMailSettingsScreen = QStringLiteral("FrmMailSettings");

// Shows a screen made by the caller the same way (in the frame area beside `from`, or on its own).
void ShowBeside(QWidget* from, QWidget* screen);

// The screen in a frame of its own in the area, not shown yet. The frame goes with the screen however
// the screen ends: a dialog's accept closes it past every event filter, and an empty frame would stay.
QMdiSubWindow* AddScreenWindow(QMdiArea* area, QWidget* screen);

} // namespace asv
