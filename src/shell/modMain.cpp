#include "modMain.h"

#include "AppState.h"
#include "ConfigKeys.h"
#include "ConnectionProfile.h"
#include "DemoData.h"
#include "FrmDBConnect.h"
#include "FrmFirstStart.h"
#include "FrmDbIndex.h"
#include "FrmGallery.h"
#include "FrmLogin.h"
#include "GetLoginUserInfo.h"
#include "LocalServer.h"
#include "Paths.h"
#include "ServerAddresses.h"
#include "SharedOptions.h"
#include "ShellScreens.h"
#include "SingleInstance.h"
#include "UserSettings.h"
#include "frmIntroMsg.h"
#include "frmMain.h"
#include "modMain_SQL.h"
#include "modMain_dbPatch.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kModule = u"modMain"_s;

std::unique_ptr<LocalServer>& localServer()
{
    static std::unique_ptr<LocalServer> server;
    return server;
}

void endAfterFailedInit()
{
    if (!App().NeedsProgramUpgrade) {
        MsgInfo(u"프로그램 초기화에 실패하여 종료합니다."_s);
        return;
    }
    const QString upgrader = Paths::file(u"재설치.exe"_s);
    if (QFileInfo(upgrader).isExecutable())
        QProcess::startDetached(upgrader, {u"A"_s});
    else
        MsgInfo(u"업그레이드 프로그램을 찾을 수 없습니다."_s + vbCrLf + u"경로: "_s + upgrader);
}

// Measuring the start needs nobody at the keyboard: the administrator logs in at once.
void loginAsAdministratorForMeasuring()
{
    auto* login = qobject_cast<FrmLogin*>(QApplication::activeModalWidget());
    if (!login) {
        QTimer::singleShot(10, [] { loginAsAdministratorForMeasuring(); });
        return;
    }
    login->findChild<QLineEdit*>(u"txtUser"_s)->setText(u"ADMIN"_s);
    login->findChild<QPushButton*>(u"btnLogin"_s)->click();
}

} // namespace

StartOptions StartOptions::parse(const QStringList& arguments)
{
    StartOptions o;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"--local-server"_s)
            o.localServer = true;
        else if (a == u"--demo"_s)
            o.demo = true;
        else if (a == u"--measure-startup"_s)
            o.measureStartup = true;
        else if (a == u"--connection"_s)
            o.connectionSettings = true;
        else if (a == u"--gallery"_s)
            o.gallery = true;
        else if (a == u"--home"_s && i + 1 < arguments.size())
            o.home = arguments[++i];
    }
    return o;
}

void ReadConnectionProfile()
{
    const ConnectionProfile p = ConnectionProfile::read();
    AppState& app = App();
    app.DbHost = p.host;
    app.DbUser = p.user;
    app.DbName = p.database;
    app.DbPassword = p.password;
    app.UseLocalServer = p.localServer;
    app.DbTls = p.tls;
    app.SharedDbAccount = ConnectionProfile::sharedAccount();
}

LocalServer* RunningLocalServer()
{
    return localServer().get();
}

bool StartLocalServerIfWanted(const StartOptions& options)
{
    AppState& app = App();
    if (!options.localServer && !app.UseLocalServer)
        return true;
    app.UseLocalServer = true;
    auto& server = localServer();
    server = std::make_unique<LocalServer>();

    QProgressDialog progress(u"데이터베이스 서버를 시작하는 중입니다..."_s, {}, 0, 0);
    progress.setWindowTitle(app.AppTitle);
    progress.setMinimumDuration(300);
    ConnectionProfile profile = ConnectionProfile::read();
    profile.user = app.DbUser;
    profile.password = app.DbPassword;
    profile.database = app.DbName;
    const bool ok = server->start() && server->prepare(profile);
    progress.close();
    if (!ok) {
        MsgWarn(server->error());
        server.reset();
        return false;
    }
    app.DbHost = server->host();
    // The private server answers on this machine only, in clear.
    app.DbTls = {};
    app.DbUser = profile.user;
    app.DbPassword = profile.password;
    if (options.demo && !DemoData::loadOnce(server->socketPath(), app.DbName))
        MsgWarn(u"데모 자료를 불러오지 못했습니다."_s);
    return true;
}

bool InitApp()
{
    return Guarded(u"InitApp"_s, u"Module"_s, kModule, false, [] {
        AppState& app = App();
        if (UserSettings::get(u"Config"_s, u"AppPath"_s).isEmpty()) {
            UserSettings::set(u"Config"_s, u"AppPath"_s, Paths::programFolder());
            UserSettings::set(u"Config"_s, u"AppExeName"_s,
                              QFileInfo(QCoreApplication::applicationFilePath()).fileName() + u".exe"_s);
        }
        // Off unless support turns it up to see what a desk sends.
        if (!DBInit(app.DbHost, app.DbUser, app.DbPassword, app.DbName, {}, ConfigKeys::SqlLogLevel.get(), u"euckr"_s,
                    app.DbTls))
            return false;
        RecordSetPtr rs;
        if (DBOpenRS(rs, u"SHOW VARIABLES like 'character_set_client'"_s) > 0
            && rs->value(0, 1) != u"euckr"_s)
            DBExecute(u"set names euckr"_s);
        CloseRS(rs);
        // Report printing goes through our own printer, not an ODBC data source: nothing to register.
        if (!ChkDBpatch(&app.NeedsProgramUpgrade))
            return false;
        return ReadOptions();
    });
}

void DestroyApp()
{
    DBClose();
    if (auto& server = localServer()) {
        server->stop();
        server.reset();
    }
}

int SubMain(const StartOptions& options)
{
    if (!options.home.isEmpty())
        Paths::setProgramFolder(options.home);
    QElapsedTimer started;
    started.start();
    if (options.gallery) {
        FrmGallery gallery;
        gallery.show();
        return QApplication::exec();
    }

    SingleInstance instance;
    if (!instance.acquire()) {
        MsgInfo(u"이미 프로그램이 실행 중입니다."_s);
        return 1;
    }
    AppState& app = App();
    app.AppTitle = UserSettings::appTitle();
    ServerAddresses::refreshConfigIni();
    if (options.connectionSettings) {
        FrmDBConnect dialog;
        if (dialog.exec() != QDialog::Accepted)
            return 0;
    } else if (!options.localServer && !ConnectionProfile::exists()) {
        FrmFirstStart choice;
        if (choice.exec() != QDialog::Accepted)
            return 0;
    }
    ReadConnectionProfile();
    if (!StartLocalServerIfWanted(options)) {
        DestroyApp();
        return 1;
    }

    app.LoginId.clear();
    if (!InitApp()) {
        DestroyApp();
        endAfterFailedInit();
        return 1;
    }
    app.LoginId = u"-1"_s;
    if (options.measureStartup)
        QTimer::singleShot(0, [] { loginAsAdministratorForMeasuring(); });
    FrmLogin::run(nullptr);
    if (app.LoginId == u"-1"_s) {
        DestroyApp();
        return 0;
    }
    GetLoginUserInfo(app.LoginId);
    // Nobody is at the keyboard to answer while the start is measured.
    if (!options.measureStartup)
        FrmDbIndex::offerAfterLogin(nullptr);
    if (!ConfigKeys::HideIntroMessage.get() && !options.measureStartup)
        frmIntroMsg::showOnce(nullptr);
    app.EditionCode = GetOption(u"Customize_Tamber"_s, {});

    RegisterScreens();
    int result = 0;
    {
        frmMain main;
        main.show();
        main.openStartScreen();
        if (options.measureStartup) {
            std::printf("main window shown after %lld ms\n", static_cast<long long>(started.elapsed()));
            std::fflush(stdout);
            QTimer::singleShot(0, &main, &frmMain::closeByProgram);
        }
        result = QApplication::exec();
    }
    DestroyApp();
    return result;
}

} // namespace asv
