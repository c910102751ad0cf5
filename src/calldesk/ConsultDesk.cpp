#include "ConsultDesk.h"

#include "CustomerHistoryPanes.h"
#include "PresencePanel.h"
#include "Prompter.h"
#include "UdpRelay.h"
#include "frmAS_SubConsult.h"
#include "frmAS_admin4.h"

#include <QEvent>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// Consultation categories are the AS codes of this part.
constexpr int kConsultCategoryPart = 9;
// Long enough to read, without a box that would hold the desk while more datagrams arrive.
constexpr int kUnknownProtocolNoticeMs = 3000;

void fillArea(QWidget* area, QWidget* content)
{
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

// The desk goes offline the moment it closes, not when its objects are torn down.
class OfflineOnClose : public QObject {
public:
    OfflineOnClose(PresencePanel* presence, QObject* parent) : QObject(parent), m_presence(presence) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            m_presence->stop();
        return QObject::eventFilter(watched, event);
    }

private:
    PresencePanel* m_presence;
};

} // namespace

frmAS_admin4* CreateConsultDesk(QWidget* parent)
{
    auto* desk = new frmAS_admin4(parent);
    auto* relay = new UdpRelay(desk);
    auto* history = new CustomerHistoryPanes;
    auto* presence = new PresencePanel(relay);
    fillArea(desk->historyArea(), history);
    fillArea(desk->presenceArea(), presence);

    QObject::connect(desk, &frmAS_admin4::announceCall, relay, &UdpRelay::announceCall);
    QObject::connect(desk, &frmAS_admin4::callTaken, relay, &UdpRelay::announceTaken);
    QObject::connect(desk, &frmAS_admin4::resultRequested, relay,
                     [relay](const QString& userCode) { relay->broadcast(Datagram::ResultRequest, userCode); });
    QObject::connect(relay, &UdpRelay::callAnnounced, desk,
                     [desk](const QString& number, CallArrival arrived) { desk->InputCID(number, false, arrived); });
    QObject::connect(relay, &UdpRelay::callAssignedToMe, desk, &frmAS_admin4::InputCIDForMe);
    QObject::connect(relay, &UdpRelay::callTaken, desk, &frmAS_admin4::ShowTakenElsewhere);
    QObject::connect(relay, &UdpRelay::unknownProtocol, desk, [](const QString& text) {
        Prompter::current().notice(text + u"\n프로토콜을 알수없음"_s, kUnknownProtocolNoticeMs);
    });

    QObject::connect(desk, &frmAS_admin4::historyRequested, history, &CustomerHistoryPanes::showCustomer);
    QObject::connect(desk, &frmAS_admin4::consultHistoryRequested, history, &CustomerHistoryPanes::ShowConsultList);
    QObject::connect(history, &CustomerHistoryPanes::consultCorrected, desk, &frmAS_admin4::Show_ConsultListReset);
    QObject::connect(history, &CustomerHistoryPanes::jobResultsClosed, desk, &frmAS_admin4::refreshCaller);
    QObject::connect(desk, &frmAS_admin4::categoryPickRequested, desk, [desk](const QString& text) {
        const Pick pick = frmAS_SubConsult::pickCategory(desk, kConsultCategoryPart, text);
        if (!pick.isEmpty())
            desk->setCategory(pick.code, pick.name);
    });

    desk->installEventFilter(new OfflineOnClose(presence, desk));
    relay->open();
    presence->start();
    return desk;
}

} // namespace asv
