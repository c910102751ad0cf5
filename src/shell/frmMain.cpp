#include "frmMain.h"

#include "AppState.h"
#include "CallerIdReceiver.h"
#include "CallWithoutDesk.h"
#include "CallerIdService.h"
#include "Clock.h"
#include "ConfigKeys.h"
#include "MainMenu.h"
#include "NodeFailback.h"
#include "Paths.h"
#include "ScreenOpener.h"
#include "ScreenRegistry.h"
#include "SerialBarcodeReader.h"
#include "UserStore.h"
#include "modFormIni.h"
#include "modMsgBox.h"
#include "modRegedit.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"
#include "Prompter.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QSysInfo>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace asv {

using namespace ConfigKeys;

namespace {

using Kind = MainMenu::Entry::Kind;

const QString kForm = u"frmMain"_s;

QColor colourFromStored(int v)
{
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int storedFromColour(const QColor& c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

Setting<QString> logoFile()
{
    return LogoFile(Paths::file(u"Image/mainbg.jpg"_s));
}

// What the operator reads when an entry's command or address is not set, or does not start.
QString settingMissing(const QString& label, const Setting<QString>& setting)
{
    const QString where = u"[환경설정] 화면의 [외부 프로그램 및 메일]에서 지정하세요."_s;
    if (setting.get().trimmed().isEmpty())
        return u"["_s + label + u"] 항목이 설정되어 있지 않습니다."_s + vbCrLf + where;
    return u"["_s + label + u"] 항목을 실행할 수 없습니다."_s + vbCrLf + u"설정된 값: "_s + setting.get() + vbCrLf + where;
}

// A screen entry can be chosen once its screen exists; commands always.
bool isAvailable(const QString& name, int index)
{
    const MainMenu::Entry* entry = MainMenu::find(name, index);
    return !entry || entry->kind != Kind::Screen || ScreenRegistry::has(MainMenu::screenKey(name, index));
}

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(kForm);
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(u"MDIClient"_s);
    m_mdi->setViewMode(QMdiArea::SubWindowView);
    // A window closed hands the office back to the one used before it, not to the first opened.
    m_mdi->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    m_mdi->viewport()->installEventFilter(this);
    setCentralWidget(m_mdi);

    m_title = new QLabel(this);
    m_title->setObjectName(u"lblTitle"_s);
    m_title->setTextFormat(Qt::PlainText);
    m_title->setStyleSheet(u"QLabel { font-size: 14pt; font-weight: bold; padding: 4px 10px; }"_s);

    buildMenus();
    buildToolbar();
    buildStatusBar();
    applyCaption();
    refreshUserPanels();
    redrawBackground();
    m_barcodeReader = new SerialBarcodeReader(this);
    m_barcodeReader->open();
    m_callerId = new CallerIdService(this);
    connect(m_callerId, &CallerIdService::callerNumber, this,
            [this](const QString& number, int line, CallArrival arrived) { InputFromSeeID(number, line, true, arrived); });
    connect(m_callerId, &CallerIdService::deviceOpened, this, [this] { m_panels.value(u"cid"_s)->show(); });
    connect(m_callerId, &CallerIdService::answering, this, &frmMain::showCidPicture);
    OpenSeeID();
    if (cMySQL* db = DBConnection(0); db && db->nodes().size() > 1) {
        m_failback = std::make_unique<NodeFailback>(
            *db, [this](const QString& node) { m_panels.value(u"pnl2"_s)->setText(u"DB: "_s + node); });
    }
    resize(1200, 800);
}

frmMain::~frmMain() = default;

void frmMain::buildMenus()
{
    QHash<QString, QMenu*> menus;
    for (const MainMenu::Entry& e : MainMenu::entries()) {
        QMenu* parent = menus.value(e.parent);
        switch (e.kind) {
        case Kind::Menu: {
            QMenu* m = parent ? parent->addMenu(e.caption) : menuBar()->addMenu(e.caption);
            m->setObjectName(e.name);
            m->menuAction()->setObjectName(e.name);
            menus.insert(e.name, m);
            break;
        }
        case Kind::Separator:
            parent->addSeparator();
            break;
        case Kind::Screen:
        case Kind::Command: {
            QAction* action = parent->addAction(e.caption);
            action->setObjectName(e.name);
            if (e.index >= 0)
                action->setProperty("index", e.index);
            // Entries whose screen is not part of this program yet stay visible but cannot be chosen.
            action->setEnabled(isAvailable(e.name, e.index));
            connect(action, &QAction::triggered, this, [this, name = e.name, index = e.index] { trigger(name, index); });
            break;
        }
        }
    }
    m_windowMenu = menus.value(u"mnu_window"_s);
    connect(m_windowMenu, &QMenu::aboutToShow, this, &frmMain::fillWindowMenu);
    const bool tamber = App().isTamber();
    for (QAction* a : findChildren<QAction*>(u"mnuReport_ASSale"_s))
        a->setVisible(tamber);
}

void frmMain::buildToolbar()
{
    m_toolbar = addToolBar(u"Toolbar1"_s);
    m_toolbar->setObjectName(u"Toolbar1"_s);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolbar->setMovable(false);
    for (const MainMenu::ToolButton& def : MainMenu::toolbar()) {
        auto* button = new QToolButton(m_toolbar);
        button->setObjectName(def.caption);
        button->setText(def.caption);
        button->setIcon(style()->standardIcon(def.icon));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setMinimumWidth(64);
        m_toolbar->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, button, def] {
            if (def.menu.isEmpty()) {
                close();
                return;
            }
            // A button with alternatives does what its caption, the one last chosen, says.
            for (const auto& [caption, menu] : def.alternatives) {
                if (caption == button->text()) {
                    trigger(menu);
                    return;
                }
            }
            trigger(def.menu, def.index);
        });
        button->setEnabled(def.menu.isEmpty() || isAvailable(def.menu, def.index));
        if (def.alternatives.isEmpty())
            continue;
        auto* menu = new QMenu(button);
        bool anyAvailable = false;
        for (int i = 0; i < def.alternatives.size(); ++i) {
            QAction* a = menu->addAction(def.alternatives[i].first);
            a->setEnabled(isAvailable(def.alternatives[i].second, -1));
            anyAvailable = anyAvailable || a->isEnabled();
            connect(a, &QAction::triggered, this, [this, key = def.caption, i] { toolbarAlternativeChosen(key, i); });
        }
        button->setMenu(menu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
        // The arrow must stay usable while any alternative can be chosen.
        button->setEnabled(anyAvailable);
        button->setText(def.alternatives.value(ToolbarChoice(def.caption).get(), def.alternatives.first()).first);
    }
}

void frmMain::toolbarAlternativeChosen(const QString& key, int index)
{
    ToolbarChoice(key).set(index);
    for (const MainMenu::ToolButton& def : MainMenu::toolbar()) {
        if (def.caption != key)
            continue;
        if (auto* button = m_toolbar->findChild<QToolButton*>(key))
            button->setText(def.alternatives.value(index).first);
        trigger(def.alternatives.value(index).second);
    }
}

void frmMain::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(u"StatusBar1"_s);
    auto panel = [this, bar](const QString& name, int stretch) {
        auto* label = new QLabel(bar);
        label->setObjectName(name);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMargin(2);
        bar->addPermanentWidget(label, stretch);
        m_panels.insert(name, label);
        return label;
    };
    panel(u"cid"_s, 0)->hide();
    panel(u"pnlDate"_s, 0)->setText(QLocale(QLocale::Korean).dayName(Clock::today().dayOfWeek()));
    panel(u"pnl2"_s, 1);
    panel(u"pnl5"_s, 0);
    panel(u"pnl6"_s, 0);
    panel(u"pnl7"_s, 0);
    panel(u"pnl8"_s, 0)->installEventFilter(this);
    bar->insertWidget(0, m_title, 1);
}

void frmMain::refreshUserPanels()
{
    const AppState& app = App();
    // On a cluster, the node in use.
    const cMySQL* db = DBConnection(0);
    m_panels.value(u"pnl2"_s)->setText(u"DB: "_s + (db && db->nodes().size() > 1 ? db->node() : app.DbHost));
    m_panels.value(u"pnl5"_s)->setText(app.DbUser);
    m_panels.value(u"pnl6"_s)->setText(app.UserCode);
    m_panels.value(u"pnl7"_s)->setText(app.LoginId);
    m_panels.value(u"pnl8"_s)->setText(app.UserName);
    // A plain-text label shows "&" as it is; no doubling needed.
    m_title->setText(app.CompanyName);
}

void frmMain::applyCaption()
{
    QString caption = u"ASVelmora AS·판매 관리"_s;
    const QString os = QSysInfo::prettyProductName();
    if (!os.isEmpty())
        caption += u" [내윈도우:"_s + os + u"]"_s;
    caption += u" Ver."_s + QCoreApplication::applicationVersion();
    const QString web = WebAddress.get();
    if (!web.isEmpty())
        caption += QString(11, u' ') + web;
    setWindowTitle(caption);
}

void frmMain::redrawBackground()
{
    const QString logoPath = logoFile().get();
    const bool centred = LogoCentred.get();
    const QColor bg = colourFromStored(BackgroundColour.get());
    m_logo = QFileInfo::exists(logoPath) ? QPixmap(logoPath) : QPixmap();
    if (m_logo.isNull()) {
        m_mdi->setBackground(bg);
        return;
    }
    if (!centred) {
        m_mdi->setBackground(QBrush(m_logo));
        return;
    }
    QPixmap canvas(m_mdi->viewport()->size().expandedTo(QSize(1, 1)));
    canvas.fill(bg);
    QPainter p(&canvas);
    p.drawPixmap((canvas.width() - m_logo.width()) / 2, (canvas.height() - m_logo.height()) / 2, m_logo);
    p.end();
    m_mdi->setBackground(QBrush(canvas));
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (!m_logo.isNull())
        redrawBackground();
}

void frmMain::chooseBackground(int index)
{
    switch (index) {
    case 0: LogoCentred.set(false); break;
    case 1: LogoCentred.set(true); break;
    case 3: {
        const QString file = QFileDialog::getOpenFileName(this, u"메인 로고 이미지 선택"_s, Paths::file(u"Image"_s),
                                                          u"그림 파일 (*.bmp *.jpg *.gif *.png)"_s);
        if (file.isEmpty())
            return;
        logoFile().set(file);
        break;
    }
    case 4: logoFile().set({}); break;
    case 5: logoFile().set(logoFile().defaultValue()); break;
    case 7: {
        const QColor c = QColorDialog::getColor(colourFromStored(BackgroundColour.get()), this, u"배경색상 선택"_s);
        if (!c.isValid())
            return;
        BackgroundColour.set(storedFromColour(c));
        break;
    }
    case 8: BackgroundColour.set(BackgroundColour.defaultValue()); break;
    default: return;
    }
    redrawBackground();
}

QWidget* frmMain::openScreen(const QString& key)
{
    const ScreenRegistry::Entry* entry = ScreenRegistry::find(key);
    if (!entry)
        return nullptr;
    if (entry->modal) {
        std::unique_ptr<QWidget> dialog(entry->create(this));
        dialog->setWindowModality(Qt::ApplicationModal);
        if (auto* d = qobject_cast<QDialog*>(dialog.get()))
            d->exec();
        // The options may have chosen another caller-ID device or port.
        m_callerId->reopenIfSettingsChanged();
        // The company dialog may have renamed the company shown in the title.
        refreshUserPanels();
        return nullptr;
    }
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (sub->widget() && sub->widget()->property("screenKey").toString() == key) {
            sub->showNormal();
            m_mdi->setActiveSubWindow(sub);
            return sub->widget();
        }
    }
    QWidget* screen = entry->create(nullptr);
    screen->setProperty("screenKey", key);
    QMdiSubWindow* sub = AddScreenWindow(m_mdi, screen);
    sub->installEventFilter(this);
    screen->installEventFilter(this);
    // The screen's own layout reading ran before it had a frame; the frame takes the place now.
    LoadFormPosition(screen);
    sub->show();
    return screen;
}

void frmMain::trigger(const QString& name, int index)
{
    Guarded(name + u"_Click"_s, u"Form"_s, kForm, 0, [&] {
        if (name == u"mnuBase_Exit"_s || name == u"mnuExit"_s) {
            close();
        } else if (name == u"mnuSlipCon"_s) {
            openConsultDesk();
        } else if (name == u"mnuTool_Calc"_s) {
            runExternal(CalculatorCommand, u"계산기 파일을 찾을 수 없습니다."_s,
                        {u"gnome-calculator"_s, u"kcalc"_s, u"galculator"_s, u"xcalc"_s});
        } else if (name == u"mnuReInstall"_s) {
            runExternal(UpdateCommand, settingMissing(u"업데이트 실행 명령"_s, UpdateCommand));
        } else if (name == u"mnuSupport"_s) {
            runExternal(RemoteSupportCommand, settingMissing(u"원격지원 실행 명령"_s, RemoteSupportCommand));
        } else if (name == u"mnuHelpDeskSub"_s) {
            runExternal(HelpDeskCommand, settingMissing(u"헬프데스크 실행 명령"_s, HelpDeskCommand));
        } else if (name == u"mnuTool_bgsetup"_s) {
            chooseBackground(index);
        } else if (name == u"mnuHomePage"_s) {
            const QString web = WebAddress.get().trimmed();
            if (web.isEmpty() || !QDesktopServices::openUrl(QUrl::fromUserInput(web)))
                MsgInfo(settingMissing(u"홈페이지 주소"_s, WebAddress));
        } else if (name == u"mnuSchedule"_s) {
            MsgInfo(u"스케줄 관리는 이 프로그램에서 제공하지 않는 기능입니다."_s);
        } else if (name == u"mnuView_Help"_s) {
            const QString manual = Paths::file(u"Doc/사용설명서.htm"_s);
            if (!QFileInfo::exists(manual))
                MsgInfo(u"파일을 찾을 수 없습니다."_s + vbCrLf + u"파일명: "_s + QDir::toNativeSeparators(manual));
            else
                QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
        } else if (name == u"mnuAbout"_s) {
            MsgInfo(u"ASVelmora AS·판매 관리"_s + vbCrLf + u"Ver."_s + QCoreApplication::applicationVersion()
                        + vbCrLf + vbCrLf + App().CompanyName,
                    u"프로그램 안내"_s);
        } else if (name == u"mnuAllWinClose"_s) {
            m_mdi->closeAllSubWindows();
        } else {
            // Entries without a command ("거래명세표 발행", "세금계산서 발행") have no screen either.
            openScreen(MainMenu::screenKey(name, index));
        }
        return 0;
    });
}

void frmMain::openConsultDesk()
{
    if (!UserStore().isConsultant(App().UserCode)) {
        Prompter::current().error(u"전화상담자만 사용가능한 메뉴입니다."_s, u"ASVelmora"_s);
        return;
    }
    openScreen(u"mnuSlipCon"_s);
}

void frmMain::openStartScreen()
{
    const int start = StartScreen.get();
    if (start == 1)
        trigger(u"mnuSlipAS"_s, 10);
    else if (start == 2)
        trigger(u"mnuSlip2"_s);
    else if (start == 3)
        trigger(u"mnuSlipCon"_s);
    if (start == 3) {
        if (QMdiSubWindow* desk = m_mdi->activeSubWindow())
            desk->widget()->setFocus();
    }
}

void frmMain::InputFromSeeID(const QString& number, int, bool, CallArrival arrived)
{
    // Only the taskbar entry flashes: the keyboard stays where the operator types.
    QApplication::alert(this);
    if (CallerIdReceiver* desk = deskForCall())
        desk->InputCID(number, true, arrived);
    else
        TakeCallWithoutDesk(number);
}

CallerIdReceiver* frmMain::deskForCall()
{
    const auto openDesk = [this]() -> CallerIdReceiver* {
        for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
            if (auto* desk = dynamic_cast<CallerIdReceiver*>(sub->widget()))
                return desk;
        }
        return nullptr;
    };
    if (CallerIdReceiver* desk = openDesk())
        return desk;
    if (!UserStore().isConsultant(App().UserCode))
        return nullptr;
    // Opened behind the window the operator works in.
    const QPointer<QMdiSubWindow> working = m_mdi->activeSubWindow();
    const QPointer<QWidget> typing = QApplication::focusWidget();
    openScreen(u"mnuSlipCon"_s);
    if (working)
        m_mdi->setActiveSubWindow(working);
    if (typing)
        typing->setFocus();
    return openDesk();
}

void frmMain::OpenSeeID()
{
    m_callerId->open();
}

void frmMain::CloseSeeID()
{
    m_callerId->close();
}

void frmMain::showCidPicture(bool on)
{
    QLabel* panel = m_panels.value(u"cid"_s);
    const QString picture = on ? u"cidon"_s : u"cidoff"_s;
    if (panel->property("picture").toString() == picture)
        return;
    const int size = panel->fontMetrics().height();
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(on ? QColor(0x2E, 0xA0, 0x43) : QColor(0xA0, 0xA0, 0xA0));
    painter.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    painter.end();
    panel->setPixmap(pixmap);
    panel->setProperty("picture", picture);
    panel->setToolTip(on ? u"발신번호 장치 연결됨"_s : u"발신번호 장치 연결 안 됨"_s);
}

void frmMain::runExternal(const Setting<QString>& command, const QString& failureText, const QStringList& fallbacks)
{
    // The maker's tools do not exist here; an office may name its own command for each entry.
    QStringList candidates;
    const QString configured = command.get();
    if (!configured.isEmpty())
        candidates << configured;
    candidates << fallbacks;
    for (const QString& candidate : candidates) {
        QStringList parts = QProcess::splitCommand(candidate);
        if (parts.isEmpty())
            continue;
        const QString program = parts.takeFirst();
        if (!QStandardPaths::findExecutable(program).isEmpty() || QFileInfo(program).isExecutable()) {
            if (QProcess::startDetached(program, parts))
                return;
        }
    }
    if (!failureText.isEmpty())
        MsgInfo(failureText);
}

void frmMain::fillWindowMenu()
{
    m_windowMenu->clear();
    QAction* closeAll = m_windowMenu->addAction(u"모든 창 닫기(&C)"_s);
    closeAll->setObjectName(u"mnuAllWinClose"_s);
    connect(closeAll, &QAction::triggered, this, [this] { trigger(u"mnuAllWinClose"_s); });
    const auto subs = m_mdi->subWindowList();
    if (!subs.isEmpty())
        m_windowMenu->addSeparator();
    for (int i = 0; i < subs.size(); ++i) {
        QMdiSubWindow* sub = subs[i];
        QAction* a = m_windowMenu->addAction(u"&%1 %2"_s.arg(i + 1).arg(sub->windowTitle()));
        a->setCheckable(true);
        a->setChecked(sub == m_mdi->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, sub] { m_mdi->setActiveSubWindow(sub); });
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(watched); sub && sub->widget()) {
            sub->setProperty("closing", true);
            SaveFormPosition(sub->widget());
        } else if (auto* frame = qobject_cast<QMdiSubWindow*>(static_cast<QWidget*>(watched)->parentWidget());
                   frame && !frame->property("closing").toBool()) {
            // A screen's own close button: its frame closes it, or an empty frame would stay behind.
            event->ignore();
            QMetaObject::invokeMethod(frame, &QWidget::close, Qt::QueuedConnection);
            return true;
        }
        return QMainWindow::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const Qt::KeyboardModifiers mods = mouse->modifiers();
        if (mouse->button() == Qt::RightButton && watched == m_mdi->viewport()
            && mods.testFlag(Qt::ShiftModifier) && mods.testFlag(Qt::ControlModifier)) {
            const auto number = InputBox(u"발신번호 테스트! 테스트할 전화번호 입력( '-' 없이 숫자만 입력)"_s,
                                         u"발신번호 테스트"_s);
            if (number && !number->isEmpty())
                InputFromSeeID(*number, 1, true);
            return true;
        }
        if (mouse->button() == Qt::RightButton && watched == m_panels.value(u"pnl8"_s)
            && mods.testFlag(Qt::ControlModifier)) {
            const auto number = InputBox(u"* 전화번호를 입력하세요."_s, u"발신번호 테스트"_s);
            if (number && !number->isEmpty())
                InputFromSeeID(*number, 1, true);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::closeByProgram()
{
    m_closingByProgram = true;
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (!m_closingByProgram
        && MsgYesNo(u"프로그램을 종료하시겠습니까?"_s, u"프로그램 종료"_s, true) != MsgAnswer::Yes) {
        event->ignore();
        return;
    }
    m_mdi->closeAllSubWindows();
    if (!m_mdi->subWindowList().isEmpty()) {
        // A screen refused to close (unsaved work): the program stays.
        m_closingByProgram = false;
        event->ignore();
        return;
    }
    CloseSeeID();
    m_barcodeReader->close();
    m_logo = QPixmap();
    RegBackUP();
    event->accept();
}

} // namespace asv
