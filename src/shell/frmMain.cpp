#include "frmMain.h"

#include "AppState.h"
#include "Clock.h"
#include "Paths.h"
#include "ScreenRegistry.h"
#include "UserSettings.h"
#include "modMsgBox.h"
#include "modRegedit.h"
#include "modMySQL_Func.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QSerialPort>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QSysInfo>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"frmMain"_s;
const QString kBgApp = u"Ostra공통"_s;
const QString kBgSection = u"메인배경"_s;
constexpr int kDefaultBgColour = 15856113; // RGB 241,241,241 in the stored blue-green-red order

QString screenKey(const QString& name, int index)
{
    return index < 0 ? name : name + u'_' + QString::number(index);
}

QColor colourFromStored(int v)
{
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int storedFromColour(const QColor& c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

QString defaultLogoPath()
{
    return Paths::file(u"Image/mainbg.jpg"_s);
}

struct ToolButtonDef {
    QString key;
    QString menu;
    int index;
    QStyle::StandardPixmap icon;
};

// A button with alternatives shows the one last chosen; the first is the button itself.
const QList<std::pair<QString, QList<std::pair<QString, QString>>>>& toolbarAlternatives()
{
    static const QList<std::pair<QString, QList<std::pair<QString, QString>>>> list = {
        {u"판매등록"_s, {{u"판매등록"_s, u"mnuSlip2"_s}, {u"입금등록"_s, u"mnuDeposite"_s}}},
    };
    return list;
}

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(kForm);
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(u"MDIClient"_s);
    m_mdi->setViewMode(QMdiArea::SubWindowView);
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
    openSerialBarcode();
    OpenSeeID();
    resize(1200, 800);
}

frmMain::~frmMain() = default;

QAction* frmMain::addEntry(QMenu* menu, const QString& name, const QString& caption, int index)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (index >= 0)
        action->setProperty("index", index);
    connect(action, &QAction::triggered, this, [this, name, index] { trigger(name, index); });
    return action;
}

void frmMain::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto root = [bar](const QString& name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        return m;
    };

    QMenu* base = root(u"mnuBase"_s, u"기초등록"_s);
    addEntry(base, u"mnuOffice"_s, u"사업장 정보   입력"_s);
    addEntry(base, u"mnuCharge"_s, u"사용자(직원) 관리(&U)"_s);
    base->addSeparator();
    addEntry(base, u"mnuCustomer"_s, u"고   객         관리(&C)"_s);
    addEntry(base, u"mnuProduct"_s, u"상   품         관리(&P)"_s);
    addEntry(base, u"mnuBase_ascode"_s, u"A/S 코드 관리"_s);
    base->addSeparator();
    addEntry(base, u"mnuOptions"_s, u"환   경         설정(공통)(&O)"_s);
    addEntry(base, u"mnuOptions2"_s, u"환   경         설정(&O)"_s);
    base->addSeparator();
    addEntry(base, u"mnuBase_Exit"_s, u"종료(&X)"_s);

    QMenu* sale = root(u"mnuSaleRoot"_s, u"판매관리"_s);
    addEntry(sale, u"mnuSlip2"_s, u"매출전표    등록(&I)"_s);
    addEntry(sale, u"mnuDeposite"_s, u"입금전표    등록(&R)"_s);
    sale->addSeparator();
    addEntry(sale, u"mnuSpecification"_s, u"거래명세표 발행(&F)"_s);
    addEntry(sale, u"mnuTax"_s, u"세금계산서 발행(&T)"_s);

    QMenu* as = root(u"mnuASRoot"_s, u"AS관리"_s);
    addEntry(as, u"mnuSlipCon"_s, u"상담판"_s);
    addEntry(as, u"mnuSlipAS"_s, u"AS 등록"_s, 10);

    QMenu* report = root(u"mnuAS_ReportRoot"_s, u"AS현황"_s);
    addEntry(report, u"mnuReport_ASSale"_s, u"AS 및 판매 조회"_s)->setVisible(false);
    addEntry(report, u"mnuSlipConList"_s, u"수신 및 상담 내역"_s);
    report->addSeparator();
    const QStringList reports = {u"매출 현황 조회"_s, u"입금 현황 조회"_s, u"매출처 원장"_s,
                                 u"미수 현황 조회"_s, u"AS결과조회"_s, u"매출분석"_s};
    for (int i = 0; i < reports.size(); ++i)
        addEntry(report, u"mnuAS_Report"_s, reports[i], (i + 1) * 10);

    QMenu* etc = root(u"mnuETCRoot"_s, u"보조관리(&T)"_s);
    addEntry(etc, u"mnuDataRecovery"_s, u"데이터 점검 및 복구"_s);
    addEntry(etc, u"mnuSMS"_s, u"문자/팩스  전송(&S)"_s);
    addEntry(etc, u"mnuSchedule"_s, u"스케줄       관리"_s);
    etc->addSeparator();
    addEntry(etc, u"mnuDataBackup"_s, u"데이터       백업(&B)"_s);
    addEntry(etc, u"mnuTool_ClearAll"_s, u"작업전표 삭제(초기화)"_s);
    etc->addSeparator();
    addEntry(etc, u"mnuTool_Calc"_s, u"계산기"_s);
    QMenu* bg = etc->addMenu(u"바탕화면 설정"_s);
    bg->setObjectName(u"mnuTool_bgsetup_root"_s);
    bg->menuAction()->setObjectName(u"mnuTool_bgsetup_root"_s);
    const QStringList bgItems = {u"Logo 타일형 배치"_s, u"Logo 가운데 배치"_s, {}, u"Logo 이미지 변경"_s,
                                 u"Logo 없애기"_s, u"Logo 기본 이미지"_s, {}, u"배경색 변경"_s, u"기본 배경색"_s};
    for (int i = 0; i < bgItems.size(); ++i) {
        if (bgItems[i].isEmpty()) {
            bg->addSeparator();
            continue;
        }
        QAction* a = bg->addAction(bgItems[i]);
        a->setObjectName(u"mnuTool_bgsetup"_s);
        a->setProperty("index", i);
        connect(a, &QAction::triggered, this, [this, i] { chooseBackground(i); });
    }
    etc->addSeparator();
    addEntry(etc, u"mnuReInstall"_s, u"최신버전 업데이트"_s);
    addEntry(etc, u"mnuSupport"_s, u" 원격지원(&E) "_s);

    QMenu* helpDesk = root(u"mnuHelpDesk"_s, u"헬프데스크(&H)"_s);
    addEntry(helpDesk, u"mnuHelpDeskSub"_s, u"헬프데스크 실행"_s);

    m_windowMenu = root(u"mnu_window"_s, u"창(&W)"_s);
    connect(m_windowMenu, &QMenu::aboutToShow, this, &frmMain::fillWindowMenu);

    QMenu* help = root(u"mnuHelp"_s, u"도움말(&H)"_s);
    addEntry(help, u"mnuView_Help"_s, u"사용 설명서"_s);
    addEntry(help, u"mnuHomePage"_s, u"홈페이지"_s);
    addEntry(help, u"mnuAbout"_s, u"프로그램    안내(&G)"_s);
    help->addSeparator();
    addEntry(help, u"mnuExit"_s, u"종료(&X)"_s);

    // Entries whose screen is not part of this program yet stay visible but cannot be chosen.
    static const QStringList builtIn = {u"mnuBase_Exit"_s, u"mnuExit"_s, u"mnuSpecification"_s, u"mnuTax"_s,
                                        u"mnuSchedule"_s, u"mnuTool_Calc"_s, u"mnuReInstall"_s, u"mnuSupport"_s,
                                        u"mnuHelpDeskSub"_s, u"mnuView_Help"_s, u"mnuHomePage"_s, u"mnuAbout"_s,
                                        u"mnuAllWinClose"_s};
    for (QAction* a : findChildren<QAction*>()) {
        if (a->menu() || a->isSeparator() || a->objectName().isEmpty() || a->objectName() == u"mnuTool_bgsetup"_s)
            continue;
        if (builtIn.contains(a->objectName()))
            continue;
        const int index = a->property("index").isValid() ? a->property("index").toInt() : -1;
        a->setEnabled(ScreenRegistry::has(screenKey(a->objectName(), index)));
    }
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
    const QList<ToolButtonDef> buttons = {
        {u"고객관리"_s, u"mnuCustomer"_s, -1, QStyle::SP_DirHomeIcon},
        {u"상품관리"_s, u"mnuProduct"_s, -1, QStyle::SP_DriveHDIcon},
        {u"AS코드"_s, u"mnuBase_ascode"_s, -1, QStyle::SP_FileDialogDetailedView},
        {u"상담및AS"_s, u"mnuSlipCon"_s, -1, QStyle::SP_DialogHelpButton},
        {u"판매등록"_s, u"mnuSlip2"_s, -1, QStyle::SP_FileIcon},
        {u"AS접수"_s, u"mnuSlipAS"_s, 10, QStyle::SP_FileDialogNewFolder},
        {u"AS원장"_s, u"mnuAS_Report"_s, 30, QStyle::SP_FileDialogContentsView},
        {u"AS현황"_s, u"mnuAS_Report"_s, 50, QStyle::SP_FileDialogListView},
        {u"미수조회"_s, u"mnuAS_Report"_s, 40, QStyle::SP_MessageBoxWarning},
        {u"매출분석"_s, u"mnuAS_Report"_s, 60, QStyle::SP_ComputerIcon},
        {u"문자전송"_s, u"mnuSMS"_s, -1, QStyle::SP_MessageBoxInformation},
        {u"종료"_s, {}, -1, QStyle::SP_DialogCloseButton},
    };
    for (const ToolButtonDef& def : buttons) {
        auto* button = new QToolButton(m_toolbar);
        button->setObjectName(def.key);
        button->setText(def.key);
        button->setIcon(style()->standardIcon(def.icon));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setMinimumWidth(64);
        m_toolbar->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, button, def] {
            if (def.menu.isEmpty()) {
                close();
                return;
            }
            // Dispatch by the caption shown, which for a button with alternatives is the last one chosen.
            for (const auto& [key, alternatives] : toolbarAlternatives()) {
                for (const auto& [caption, menu] : alternatives) {
                    if (key == def.key && caption == button->text()) {
                        trigger(menu);
                        return;
                    }
                }
            }
            trigger(def.menu, def.index);
        });
        for (const auto& [key, alternatives] : toolbarAlternatives()) {
            if (key != def.key)
                continue;
            auto* menu = new QMenu(button);
            for (int i = 0; i < alternatives.size(); ++i) {
                QAction* a = menu->addAction(alternatives[i].first);
                connect(a, &QAction::triggered, this, [this, key, i] { toolbarAlternativeChosen(key, i); });
            }
            button->setMenu(menu);
            button->setPopupMode(QToolButton::MenuButtonPopup);
            const int chosen = UserSettings::get(u"Config_Form"_s, u"툴바_"_s + key, u"0"_s).toInt();
            button->setText(alternatives.value(chosen, alternatives.first()).first);
        }
    }
}

void frmMain::toolbarAlternativeChosen(const QString& key, int index)
{
    UserSettings::set(u"Config_Form"_s, u"툴바_"_s + key, index);
    for (const auto& [k, alternatives] : toolbarAlternatives()) {
        if (k != key)
            continue;
        if (auto* button = m_toolbar->findChild<QToolButton*>(key))
            button->setText(alternatives.value(index).first);
        trigger(alternatives.value(index).second);
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
    m_panels.value(u"pnl2"_s)->setText(u"DB: "_s + app.DbHost);
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
    const QString web = UserSettings::get(u"Config"_s, u"WebAddress"_s);
    if (!web.isEmpty())
        caption += QString(11, u' ') + web;
    setWindowTitle(caption);
}

void frmMain::redrawBackground()
{
    const int colour = UserSettings::read(kBgApp, kBgSection, u"배경색상"_s, QString::number(kDefaultBgColour)).toInt();
    const QString logoPath = UserSettings::read(kBgApp, kBgSection, u"로고파일경로"_s, defaultLogoPath());
    const bool centred = UserSettings::read(kBgApp, kBgSection, u"로고배치형태"_s, u"0"_s) == u"1"_s;
    const QColor bg = colourFromStored(colour);
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
    auto store = [](const QString& key, const QVariant& v) { UserSettings::write(kBgApp, kBgSection, key, v); };
    switch (index) {
    case 0: store(u"로고배치형태"_s, u"0"_s); break;
    case 1: store(u"로고배치형태"_s, u"1"_s); break;
    case 3: {
        const QString file = QFileDialog::getOpenFileName(this, u"메인 Logo이미지 선택"_s, Paths::file(u"Image"_s),
                                                          u"Pictures (*.bmp *.jpg *.gif *.png)"_s);
        if (file.isEmpty())
            return;
        store(u"로고파일경로"_s, file);
        break;
    }
    case 4: store(u"로고파일경로"_s, QString()); break;
    case 5: store(u"로고파일경로"_s, defaultLogoPath()); break;
    case 7: {
        const int now = UserSettings::read(kBgApp, kBgSection, u"배경색상"_s, QString::number(kDefaultBgColour)).toInt();
        const QColor c = QColorDialog::getColor(colourFromStored(now), this, u"배경색상 선택"_s);
        if (!c.isValid())
            return;
        store(u"배경색상"_s, storedFromColour(c));
        break;
    }
    case 8: store(u"배경색상"_s, kDefaultBgColour); break;
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
    screen->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = m_mdi->addSubWindow(screen);
    sub->setAttribute(Qt::WA_DeleteOnClose);
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
            runExternal(u"CalculatorCommand"_s, u"계산기 파일을 찾을 수 없습니다."_s);
        } else if (name == u"mnuReInstall"_s) {
            runExternal(u"UpdateCommand"_s, {});
        } else if (name == u"mnuSupport"_s) {
            runExternal(u"RemoteSupportCommand"_s, {});
        } else if (name == u"mnuHelpDeskSub"_s) {
            runExternal(u"HelpDeskCommand"_s, {});
        } else if (name == u"mnuHomePage"_s) {
            const QString web = UserSettings::get(u"Config"_s, u"WebAddress"_s);
            if (!web.isEmpty())
                QDesktopServices::openUrl(QUrl::fromUserInput(web));
        } else if (name == u"mnuView_Help"_s) {
            const QString manual = Paths::file(u"Doc/사용설명서.htm"_s);
            if (!QFileInfo::exists(manual))
                MsgInfo(u"파일을 찾을 수 없습니다."_s);
            else
                QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
        } else if (name == u"mnuAbout"_s) {
            MsgInfo(u"ASVelmora AS·판매 관리"_s + vbCrLf + u"Ver."_s + QCoreApplication::applicationVersion()
                        + vbCrLf + vbCrLf + App().CompanyName,
                    u"프로그램 안내"_s);
        } else if (name == u"mnuAllWinClose"_s) {
            m_mdi->closeAllSubWindows();
        } else {
            // Entries without a command ("거래명세표 발행", "세금계산서 발행", "스케줄 관리") do nothing.
            openScreen(screenKey(name, index));
        }
        return 0;
    });
}

void frmMain::openConsultDesk()
{
    const QString consult =
        DBGetValue(u"SELECT consult FROM local_user WHERE code = '"_s + SQLQuote(App().UserCode) + u"'"_s);
    if (consult != u"1"_s) {
        Prompter::current().error(u"전화상담자만 사용가능한 메뉴입니다."_s, u"ASVelmora"_s);
        return;
    }
    openScreen(u"mnuSlipCon"_s);
}

void frmMain::openStartScreen()
{
    const QString start = UserSettings::get(u"Config"_s, u"시작화면"_s, u"3"_s);
    if (start == u"1"_s)
        trigger(u"mnuSlipAS"_s, 10);
    else if (start == u"2"_s)
        trigger(u"mnuSlip2"_s);
    else if (start == u"3"_s)
        trigger(u"mnuSlipCon"_s);
    if (start == u"3"_s) {
        if (QMdiSubWindow* desk = m_mdi->activeSubWindow())
            desk->widget()->setFocus();
    }
}

void frmMain::InputFromSeeID(const QString& number, int, bool)
{
    trigger(u"mnuSlipCon"_s);
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (auto* desk = dynamic_cast<CallerIdReceiver*>(sub->widget())) {
            desk->InputCID(number, true);
            return;
        }
    }
}

void frmMain::OpenSeeID()
{
    // The caller-ID devices come with the call intake; until then nothing is opened.
}

void frmMain::CloseSeeID()
{
}

void frmMain::runExternal(const QString& settingKey, const QString& failureText)
{
    // The maker's tools do not exist here; an office may name its own command for each entry.
    static const QHash<QString, QStringList> fallbacks = {
        {u"CalculatorCommand"_s, {u"gnome-calculator"_s, u"kcalc"_s, u"galculator"_s, u"xcalc"_s}},
    };
    QStringList candidates;
    const QString configured = UserSettings::get(u"Config"_s, settingKey);
    if (!configured.isEmpty())
        candidates << configured;
    candidates << fallbacks.value(settingKey);
    for (const QString& command : candidates) {
        QStringList parts = QProcess::splitCommand(command);
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

QString frmMain::takeBarcodeFrame(QByteArray& buffer)
{
    if (buffer.isEmpty())
        return {};
    const char last = buffer.back();
    if (last != '\r' && last != '\x03')
        return {};
    QByteArray frame = buffer.mid(1, buffer.size() - 2);
    buffer.clear();
    if (frame.startsWith('F'))
        frame.remove(0, 1);
    return QString::fromLatin1(frame);
}

void frmMain::openSerialBarcode()
{
    if (UserSettings::get(u"Config"_s, u"시리얼바코드사용"_s, u"0"_s) != u"1"_s)
        return;
    const QString port = UserSettings::get(u"Config"_s, u"시리얼바코드설정0"_s, u"1"_s);
    bool numeric = false;
    const int n = port.toInt(&numeric);
    // Port numbers follow the old COM numbering: 1 is the first serial port.
    const QString device = numeric ? u"/dev/ttyS"_s + QString::number(n - 1) : port;
    m_barcodePort = new QSerialPort(device, this);
    m_barcodePort->setBaudRate(UserSettings::get(u"Config"_s, u"시리얼바코드설정1"_s, u"9600"_s).toInt());
    m_barcodePort->setDataBits(
        static_cast<QSerialPort::DataBits>(UserSettings::get(u"Config"_s, u"시리얼바코드설정2"_s, u"8"_s).toInt()));
    const QString parity = UserSettings::get(u"Config"_s, u"시리얼바코드설정3"_s, u"N"_s);
    m_barcodePort->setParity(parity == u"E"_s   ? QSerialPort::EvenParity
                             : parity == u"O"_s ? QSerialPort::OddParity
                                                : QSerialPort::NoParity);
    const QString stop = UserSettings::get(u"Config"_s, u"시리얼바코드설정4"_s, u"1"_s);
    m_barcodePort->setStopBits(stop == u"2"_s     ? QSerialPort::TwoStop
                               : stop == u"1.5"_s ? QSerialPort::OneAndHalfStop
                                                  : QSerialPort::OneStop);
    if (!m_barcodePort->open(QIODevice::ReadOnly)) {
        delete m_barcodePort;
        m_barcodePort = nullptr;
        return;
    }
    connect(m_barcodePort, &QSerialPort::readyRead, this, &frmMain::readSerialBarcode);
}

void frmMain::readSerialBarcode()
{
    if (!m_barcodePort || m_barcodePort->bytesAvailable() < 1)
        return;
    m_barcodeBuffer += m_barcodePort->readAll();
    const QString text = takeBarcodeFrame(m_barcodeBuffer);
    if (!text.isEmpty())
        typeIntoFocus(text);
}

void frmMain::typeIntoFocus(const QString& text)
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        return;
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, u"\r"_s);
    QKeyEvent enterUp(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, u"\r"_s);
    QApplication::sendEvent(target, &enter);
    QApplication::sendEvent(target, &enterUp);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
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
            const auto number = InputBox(u"* 전화번호를 입력하세요."_s, u"CID TEST"_s);
            if (number && !number->isEmpty()) {
                trigger(u"mnuSlipCon"_s);
                for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
                    if (auto* desk = dynamic_cast<CallerIdReceiver*>(sub->widget()))
                        desk->InputCID(*number, true);
                }
            }
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
    if (m_barcodePort && m_barcodePort->isOpen())
        m_barcodePort->close();
    m_logo = QPixmap();
    RegBackUP();
    event->accept();
}

} // namespace asv
