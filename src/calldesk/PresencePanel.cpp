#include "PresencePanel.h"

#include "Datagram.h"
#include "FrmAS_Msg.h"
#include "PresenceStore.h"
#include "UdpRelay.h"
#include "modMsgBox.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QListWidget>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"frmAS_admin4"_s;
constexpr int kCodeRole = Qt::UserRole;

// "<code>;<rest>" split at the first ";".
std::pair<QString, QString> codeAndRest(const QString& payload)
{
    const qsizetype at = payload.indexOf(u';');
    if (at < 0)
        return {payload, {}};
    return {payload.left(at), payload.mid(at + 1)};
}

} // namespace

template <typename F>
void PresencePanel::guarded(const QString& procedure, F&& body)
{
    try {
        body();
        m_failing = false;
    } catch (const std::exception& e) {
        // A desk that lost the server would otherwise raise a box at every tick.
        if (!std::exchange(m_failing, true))
            ShowStdError(e, procedure, u"Form"_s, kForm);
    }
}

PresencePanel::PresencePanel(UdpRelay* relay, QWidget* parent)
    : QWidget(parent), m_relay(relay), m_state(new QComboBox(this)), m_list(new QListWidget(this)),
      m_heartbeat(new QTimer(this)), m_read(new QTimer(this))
{
    setObjectName(u"PresencePanel"_s);
    m_state->setObjectName(u"cmbState"_s);
    m_state->addItems({u"접속중"_s, u"회의중"_s, u"부재중"_s, u"외출중"_s, u"출장중"_s});
    m_list->setObjectName(u"spListRegu"_s);
    m_heartbeat->setObjectName(u"TimerSend"_s);
    m_read->setObjectName(u"TimerRsv"_s);
    setTimings({});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_state);
    layout->addWidget(m_list, 1);

    connect(m_heartbeat, &QTimer::timeout, this, &PresencePanel::writeHeartbeat);
    connect(m_read, &QTimer::timeout, this, &PresencePanel::readPresence);
    connect(m_state, &QComboBox::activated, this, &PresencePanel::presenceChosen);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &PresencePanel::openMessage);
    connect(m_relay, &UdpRelay::messageReceived, this, &PresencePanel::messageReceived);
}

void PresencePanel::setTimings(const Timings& timings)
{
    m_heartbeat->setInterval(timings.heartbeat);
    m_read->setInterval(timings.read);
    m_silentSeconds = timings.silentSeconds;
}

void PresencePanel::start()
{
    writeHeartbeat();
    readPresence();
    m_relay->broadcast(Datagram::PresenceRequest, m_relay->userCode());
    m_heartbeat->start();
    m_read->start();
}

void PresencePanel::stop()
{
    m_heartbeat->stop();
    m_read->stop();
    guarded(u"Form_Unload"_s, [&] { PresenceStore().remove(m_relay->userCode()); });
}

QString PresencePanel::presence() const
{
    return m_state->currentText();
}

QString PresencePanel::ownPresence() const
{
    return m_relay->userCode() + u';' + presence();
}

void PresencePanel::writeHeartbeat()
{
    guarded(u"TimerSend_Timer"_s,
            [&] { PresenceStore().heartbeat(m_relay->userCode(), presence(), m_relay->ownAddressText()); });
}

void PresencePanel::readPresence()
{
    guarded(u"TimerRsv_Timer"_s, [&] {
        PresenceStore().purgeSilent(m_silentSeconds);
        QHash<QString, PresenceStore::Presence> online;
        for (const PresenceStore::Presence& p : PresenceStore().others(m_relay->userCode()))
            online.insert(p.code, p);
        const QList<PresenceStore::Colleague> colleagues = PresenceStore().colleagues(m_relay->userCode());

        const QListWidgetItem* current = m_list->currentItem();
        const QString currentCode = current ? current->data(kCodeRole).toString() : QString();
        m_list->clear();
        m_names.clear();
        m_addresses.clear();
        for (const PresenceStore::Colleague& c : colleagues) {
            m_names.insert(c.code, c.name);
            auto* item = new QListWidgetItem(m_list);
            item->setData(kCodeRole, c.code);
            if (c.code == currentCode)
                m_list->setCurrentItem(item);
            const auto row = online.constFind(c.code);
            if (row == online.constEnd()) {
                item->setText(c.name + u" (미접속)"_s);
                continue;
            }
            item->setText(c.name + u'(' + row->state + u')');
            if (auto at = UdpRelayPeer::fromText(row->address, m_relay->officePort()))
                m_addresses.insert(c.code, *at);
        }
    });
}

void PresencePanel::showPresence(const QString& code, const QString& state, const UdpRelayPeer& at)
{
    if (!m_names.contains(code))
        return;
    m_addresses.insert(code, at);
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        if (item->data(kCodeRole).toString() == code)
            item->setText(m_names.value(code) + u'(' + state + u')');
    }
}

QString PresencePanel::nameOf(const QString& code) const
{
    return m_names.value(code, code);
}

void PresencePanel::presenceChosen()
{
    writeHeartbeat();
    m_presenceNotice = ownPresence();
    m_relay->broadcast(Datagram::PresenceNotice, m_presenceNotice);
}

void PresencePanel::openMessage(QListWidgetItem* item)
{
    const QString code = item->data(kCodeRole).toString();
    if (!m_addresses.contains(code)) {
        tellOffline(code);
        return;
    }
    newMessageWindow()->showSend(code, nameOf(code));
}

FrmAS_Msg* PresencePanel::newMessageWindow()
{
    auto* window = new FrmAS_Msg(this);
    connect(window, &FrmAS_Msg::sendRequested, this, &PresencePanel::sendText);
    return window;
}

void PresencePanel::tellOffline(const QString& code) const
{
    MsgInfo(nameOf(code) + u" 님은 접속중이 아닙니다."_s);
}

void PresencePanel::sendText(const QString& code, const QString& text)
{
    const auto at = m_addresses.constFind(code);
    if (at == m_addresses.constEnd()) {
        tellOffline(code);
        return;
    }
    const QString payload = m_relay->userCode() + u';' + text;
    m_sentTexts.insert(at->key(), payload);
    m_relay->send(Datagram::Text, payload, *at);
}

void PresencePanel::showReceivedText(const QString& payload)
{
    const auto [code, text] = codeAndRest(payload);
    newMessageWindow()->showReceived(code, nameOf(code), text);
}

void PresencePanel::messageReceived(int type, const QString& payload, const UdpRelayPeer& from)
{
    const QString key = from.key();
    switch (type) {
    case Datagram::PresenceRequest:
        m_relay->send(Datagram::PresenceAnswer, ownPresence(), from);
        break;
    case Datagram::Text:
        m_receivedTexts.insert(key, payload);
        m_relay->send(Datagram::TextEcho, payload, from);
        break;
    case Datagram::PresenceNotice:
        m_receivedPresence.insert(key, payload);
        m_relay->send(Datagram::PresenceEcho, payload, from);
        break;
    case Datagram::PresenceAnswer:
    case Datagram::Presence: {
        const auto [code, state] = codeAndRest(payload);
        showPresence(code, state, from);
        if (type == Datagram::PresenceAnswer)
            m_relay->send(Datagram::Presence, ownPresence(), from);
        break;
    }
    case Datagram::TextEcho: {
        const auto sent = m_sentTexts.constFind(key);
        if (sent == m_sentTexts.constEnd())
            break;
        if (payload == *sent) {
            m_sentTexts.erase(sent);
            ShowNotice(u"메세지 송신이 정상적으로 완료되었습니다."_s);
            m_relay->send(Datagram::TextRelease, m_relay->userCode(), from);
        } else {
            ShowNotice(u"메세지 송신을 다시 시도합니다."_s);
            m_relay->send(Datagram::Text, *sent, from);
        }
        break;
    }
    case Datagram::PresenceEcho:
        if (m_presenceNotice.isEmpty())
            break;
        if (payload == m_presenceNotice) {
            m_relay->send(Datagram::PresenceRelease, m_relay->userCode(), from);
        } else {
            ShowNotice(u"내상태 송신을 다시 시도합니다."_s);
            m_relay->send(Datagram::PresenceNotice, m_presenceNotice, from);
        }
        break;
    case Datagram::TextRelease:
        if (m_receivedTexts.contains(key)) {
            showReceivedText(m_receivedTexts.take(key));
            readPresence();
        }
        break;
    case Datagram::PresenceRelease:
        if (m_receivedPresence.contains(key)) {
            const auto [code, state] = codeAndRest(m_receivedPresence.take(key));
            showPresence(code, state, from);
        }
        break;
    default: // 11, 21, 31 and the unknown ones
        break;
    }
}

} // namespace asv
