#include "ScreenOpener.h"

#include "CustomerListReceiver.h"
#include "CustomerPickReceiver.h"
#include "ScreenRegistry.h"

#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace asv {

void OpenRegisteredScreen(QWidget* from, const QString& screen, const ScreenRequest& request)
{
    const ScreenRegistry::Entry* entry = ScreenRegistry::find(screen);
    if (!entry)
        return;
    QWidget* opened = entry->create(entry->modal ? from : nullptr);
    opened->setProperty("screenKey", screen);
    opened->setAttribute(Qt::WA_DeleteOnClose);
    if (!request.customer.isEmpty()) {
        if (auto* receiver = dynamic_cast<CustomerPickReceiver*>(opened))
            receiver->ShowPickedCustomer(request.customer);
        if (auto* receiver = dynamic_cast<CustomerListReceiver*>(opened))
            receiver->showCustomers({request.customer});
    }
    if (request.prepare)
        request.prepare(opened);
    if (request.closed)
        QObject::connect(opened, &QObject::destroyed, from, request.closed);
    if (auto* dialog = qobject_cast<QDialog*>(opened); dialog && entry->modal) {
        dialog->exec();
        return;
    }
    ShowBeside(from, opened);
}

void OpenMailScreen(QWidget* from, const MailDraft& draft)
{
    OpenRegisteredScreen(from, kMailScreen, {{}, [draft](QWidget* screen) {
                                                 if (auto* receiver = dynamic_cast<MailDraftReceiver*>(screen))
                                                     receiver->takeDraft(draft);
                                             },
                                             {}});
}

void ShowBeside(QWidget* from, QWidget* screen)
{
    QMdiArea* area = nullptr;
    for (QWidget* w = from; w && !area; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w))
            area = frame->mdiArea();
    }
    if (!area) {
        screen->show();
        return;
    }
    AddScreenWindow(area, screen)->show();
}

QMdiSubWindow* AddScreenWindow(QMdiArea* area, QWidget* screen)
{
    screen->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = area->addSubWindow(screen);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(screen, &QObject::destroyed, sub, &QWidget::close, Qt::QueuedConnection);
    return sub;
}

} // namespace asv
