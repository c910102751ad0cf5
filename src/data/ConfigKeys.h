#pragma once

#include "Setting.h"

#include <QList>

// Every per-PC setting that more than one place reads, with its default, in one place.
namespace asv::ConfigKeys {

inline const QString kConfig = QStringLiteral("Config");

// What the main window opens after login: 3 consult desk, 1 AS entry, 2 sales slip, 0 nothing.
inline const Setting<int> StartScreen{kConfig, QStringLiteral("시작화면"), 3};
// VAT mode of a new customer: 1 included, 0 none, 2 on top.
inline const Setting<int> NewCustomerVat{kConfig, QStringLiteral("거래처등록부가세기본값"), 1};
inline const Setting<bool> NewCustomerAutoCode{kConfig, QStringLiteral("NewCust_AutoCode"), true};
inline const Setting<bool> NewUserAutoCode{kConfig, QStringLiteral("FrmLUser_save_AutoCode"), true};
inline const Setting<bool> EditOthersConsults{kConfig, QStringLiteral("상담내용수정"), true};
inline const Setting<bool> SkipStatementPrintOptions{kConfig, QStringLiteral("명세표인쇄옵션생략"), false};

// Caller-ID: the port of each line (0 none), the kind of device, relaying to and from other PCs.
inline const QList<Setting<int>> CallerIdPorts{{kConfig, QStringLiteral("OpenSeeIDPort1"), 0},
                                               {kConfig, QStringLiteral("OpenSeeIDPort2"), 0}};
inline const Setting<int> CallerIdDevice{kConfig, QStringLiteral("SeeIDType"), 0};
inline const QList<Setting<bool>> CallerIdRelay{{kConfig, QStringLiteral("RemoteCIDSvr"), false},
                                                {kConfig, QStringLiteral("RemoteCIDCli"), false}};

// The serial barcode reader; the port is a number of the old COM numbering or a device path.
inline const Setting<bool> SerialBarcode{kConfig, QStringLiteral("시리얼바코드사용"), false};
inline const Setting<QString> SerialBarcodePort{kConfig, QStringLiteral("시리얼바코드설정0"), QStringLiteral("1")};
inline const Setting<QString> SerialBarcodeBaud{kConfig, QStringLiteral("시리얼바코드설정1"), QStringLiteral("9600")};
inline const Setting<QString> SerialBarcodeDataBits{kConfig, QStringLiteral("시리얼바코드설정2"), QStringLiteral("8")};
inline const Setting<QString> SerialBarcodeParity{kConfig, QStringLiteral("시리얼바코드설정3"), QStringLiteral("N")};
inline const Setting<QString> SerialBarcodeStopBits{kConfig, QStringLiteral("시리얼바코드설정4"), QStringLiteral("1")};

// The database account shared by the maker's installations; connected with it, the administrator's
// record stays as it is.
inline const Setting<QString> SharedDbAccount{kConfig, QStringLiteral("SharedDbAccount"), QStringLiteral("Ostra")};
// The vendor's support number in the structure messages.
inline const Setting<QString> SupportTelephone{kConfig, QStringLiteral("SupportTel"), QStringLiteral("02-0000-0000")};
// Statement logs: 0 none, 1 the day's writes, 2 every statement by the hour; statements slower than
// the seconds always go to the slow log.
inline const Setting<int> SqlLogLevel{kConfig, QStringLiteral("SQLLogLevel"), 0};
inline const Setting<QString> SqlSlowSeconds{kConfig, QStringLiteral("SQLSlowTime"), QStringLiteral("3")};
// The customer picker shows company names (otherwise short names first).
inline const Setting<bool> CustomerPickerShowsNames{kConfig, QStringLiteral("거래처검색_상호명보기"), true};

// The greeting after login, until the operator ticks "다시 보지 않기".
inline const Setting<bool> HideIntroMessage{kConfig, QStringLiteral("NoMsg"), false};
// Number display: subtotals on one line, trailing zeros of decimals.
inline const Setting<bool> OneLineSubtotal{kConfig, QStringLiteral("한줄소계표시"), false};
inline const Setting<bool> ShowTrailingZeros{kConfig, QStringLiteral("소수이하0표시"), false};

inline const Setting<QString> WebAddress{kConfig, QStringLiteral("WebAddress"), {}};
// Commands an office may name for the maker's tools of the menu.
inline const Setting<QString> CalculatorCommand{kConfig, QStringLiteral("CalculatorCommand"), {}};
inline const Setting<QString> UpdateCommand{kConfig, QStringLiteral("UpdateCommand"), {}};
inline const Setting<QString> RemoteSupportCommand{kConfig, QStringLiteral("RemoteSupportCommand"), {}};
inline const Setting<QString> HelpDeskCommand{kConfig, QStringLiteral("HelpDeskCommand"), {}};

// The main window's background, shared with the maker's other programs.
inline const QString kBackgroundApp = QStringLiteral("Ostra공통");
inline const QString kBackgroundSection = QStringLiteral("메인배경");
// Colours are stored in blue-green-red order; the default is RGB 241,241,241.
inline const Setting<int> BackgroundColour{kBackgroundSection, QStringLiteral("배경색상"), 15856113, kBackgroundApp};
inline const Setting<bool> LogoCentred{kBackgroundSection, QStringLiteral("로고배치형태"), false, kBackgroundApp};
// The default logo lies in the program folder, known only at run time.
inline Setting<QString> LogoFile(const QString& defaultPath)
{
    return {kBackgroundSection, QStringLiteral("로고파일경로"), defaultPath, kBackgroundApp};
}

// The sales slip: no question before a stored line is changed; the warning before a registered
// product's norm is typed over, shown while this is on.
inline const Setting<bool> SlipNoEditQuestion{kConfig, QStringLiteral("전표_수정시묻지않기"), false};
inline const Setting<bool> SlipNormWarning{kConfig, QStringLiteral("규격수정MSGSKIP"), true};

// The unit of a new product, also set from the product list.
inline const Setting<QString> ProductDefaultUnit{kConfig, QStringLiteral("상품기본단위"), QStringLiteral("EA")};

// E-mail: server kind (0 the maker's, 1 own), method (0 direct SMTP, 1 the external sender
// program), the web form instead of both, and the default copy recipient.
inline const Setting<int> MailServerKind{kConfig, QStringLiteral("SMTP_TYPE"), 1};
inline const Setting<int> MailMethod{kConfig, QStringLiteral("SMTP_METHOD"), 0};
inline const Setting<bool> MailWebForm{kConfig, QStringLiteral("SMTP_WEBCHK"), false};
inline const Setting<QString> MailWebFormUrl{kConfig, QStringLiteral("SMTP_WEBURL"),
                                             QStringLiteral("https://mail.asvelmora.example/send")};
inline const Setting<QString> MailCcName{kConfig, QStringLiteral("CC_NAME"), {}};
inline const Setting<QString> MailCcAddress{kConfig, QStringLiteral("CC_MAIL"), {}};
inline const Setting<bool> MailUseCc{kConfig, QStringLiteral("E-MAIL전송_등록된참조메일"), false};
// The server values are kept per server kind under the key plus "_" and the kind; the plain key is
// what older installations stored.
inline const QString kMailUndecided = QStringLiteral("미정");
inline Setting<QString> MailServerValue(const QString& key, int kind)
{
    return {kConfig, key + QStringLiteral("_") + QString::number(kind), kMailUndecided};
}
inline Setting<QString> MailServerValue(const QString& key)
{
    return {kConfig, key, key == QStringLiteral("SMTP_SSL") ? QStringLiteral("0") : QString()};
}

// The alternative a toolbar button with several shows, by its index.
inline Setting<int> ToolbarChoice(const QString& button)
{
    return {QStringLiteral("Config_Form"), QStringLiteral("툴바_") + button, 0};
}

// The folder the SMS and the fax/voice sender programs record in their own settings.
inline const Setting<QString> SmsSenderFolder{QStringLiteral("환경설정"), QStringLiteral("AppPath"), {},
                                              QStringLiteral("OstraSMS")};
inline const Setting<QString> FaxVoiceSenderFolder{QStringLiteral("환경설정"), QStringLiteral("AppPath"), {},
                                                   QStringLiteral("Ostra크로샷")};

// Where "<tag>.zip" of each province is downloaded from; the folder's address, with or without "/".
inline const Setting<QString> ZipcodeDownloadUrl{QStringLiteral("우편번호"), QStringLiteral("DownloadUrl"), {}};

} // namespace asv::ConfigKeys
