#include "frmOptions2.h"

#include "CallerIdSettings.h"
#include "ConfigKeys.h"
#include "Paths.h"
#include "ScreenOpener.h"
#include "ScreenRegistry.h"
#include "UdpRelaySettings.h"
#include "WidgetHelpers.h"
#include "modMsgBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

using namespace ConfigKeys;

namespace {

struct ReaderSetting {
    const Setting<QString>& setting;
    QString label;
    QStringList values;
};
const QList<ReaderSetting> kReader{
    {SerialBarcodePort, u"포트"_s, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"9"_s}},
    {SerialBarcodeBaud, u"속도"_s, {u"9600"_s, u"19200"_s, u"38400"_s, u"57600"_s, u"115200"_s}},
    {SerialBarcodeDataBits, u"데이터비트"_s, {u"5"_s, u"6"_s, u"7"_s, u"8"_s}},
    {SerialBarcodeParity, u"패리티"_s, {u"N"_s, u"E"_s, u"O"_s}},
    {SerialBarcodeStopBits, u"정지비트"_s, {u"1"_s, u"1.5"_s, u"2"_s}},
};

} // namespace

struct frmOptions2::TextSetting {
    QString key;
    QString label;
    QString name;
    std::function<QString()> read;
    std::function<void(const QString&)> write;
    bool secret = false;
};

namespace {

using TextSetting = frmOptions2::TextSetting;

TextSetting text(const Setting<QString>& s, const QString& label, const QString& name, bool secret = false)
{
    return {s.key(), label, name, [&s] { return s.get(); }, [&s](const QString& v) { s.set(v.trimmed()); }, secret};
}

TextSetting number(const Setting<int>& s, const QString& label, const QString& name)
{
    return {s.key(), label, name, [&s] { return QString::number(s.get()); },
            [&s](const QString& v) {
                bool ok = false;
                const int n = v.trimmed().toInt(&ok);
                s.set(ok && n > 0 ? n : s.defaultValue());
            }};
}

// The connection details of the caller-ID sources and of the desks' relay.
QList<TextSetting> connectionSettings()
{
    using namespace CallerIdSettings;
    return {text(LibraryPath, u"CID 라이브러리 파일"_s, u"txtCidLibrary"_s),
            text(DevicePaths[0], u"1번 회선 장치 경로"_s, u"txtCidDevice1"_s),
            text(DevicePaths[1], u"2번 회선 장치 경로"_s, u"txtCidDevice2"_s),
            number(ModemBaud, u"CID 장치 속도"_s, u"txtCidBaud"_s),
            text(NcidHost, u"CID 서버 주소"_s, u"txtNcidHost"_s),
            number(NcidPort, u"CID 서버 포트"_s, u"txtNcidPort"_s),
            text(PbxHost, u"교환기 주소"_s, u"txtPbxHost"_s),
            number(PbxPort, u"교환기 포트"_s, u"txtPbxPort"_s),
            text(PbxUser, u"교환기 사용자"_s, u"txtPbxUser"_s),
            text(PbxSecret, u"교환기 암호"_s, u"txtPbxSecret"_s, true),
            text(PbxExtension, u"내선번호"_s, u"txtPbxExtension"_s),
            number(UdpRelaySettings::Port, u"상담판 전달 포트(UDP)"_s, u"txtUdpPort"_s),
            text(UdpRelaySettings::BroadcastAddress, u"전달 주소(비우면 같은 망 전체)"_s, u"txtUdpBroadcast"_s),
            text(UdpRelaySettings::Peers, u"전달할 PC 목록(주소를 쉼표로 구분)"_s, u"txtUdpPeers"_s)};
}

// The programs and addresses this PC uses outside the program; the messages of the menu
// entries, the SMS hand-over and the zipcode download name these captions.
QList<TextSetting> programSettings()
{
    return {text(SmsSenderFolder, u"문자전송 프로그램 폴더"_s, u"txtSmsFolder"_s),
            text(ZipcodeDownloadUrl, u"우편번호 DB 내려받을 주소"_s, u"txtZipcodeUrl"_s),
            text(HelpDeskCommand, u"헬프데스크 실행 명령"_s, u"txtHelpDeskCommand"_s),
            text(RemoteSupportCommand, u"원격지원 실행 명령"_s, u"txtRemoteSupportCommand"_s),
            text(UpdateCommand, u"업데이트 실행 명령"_s, u"txtUpdateCommand"_s),
            text(CalculatorCommand, u"계산기 실행 명령"_s, u"txtCalculatorCommand"_s),
            text(WebAddress, u"홈페이지 주소"_s, u"txtWebAddress"_s)};
}

QList<TextSetting> textSettings()
{
    return connectionSettings() + programSettings();
}

void checkValue(QButtonGroup* group, int value)
{
    if (QAbstractButton* b = group->button(value))
        b->setChecked(true);
}

} // namespace

frmOptions2::frmOptions2(QWidget* parent) : OptionsDialog(parent)
{
    setObjectName(u"frmOptions2"_s);
    setWindowTitle(u"환경설정"_s);

    m_optStartForm = addChoices(u"시작화면"_s, u"optStartForm"_s, StartScreen.key(),
                                {{3, u"상담 및 AS 접수"_s}, {1, u"AS등록"_s}, {2, u"매출전표"_s}, {0, u"없음"_s}});
    m_optCustVat = addChoices(u"신규 거래처의 부가세 기본값"_s, u"OptCustVat"_s, NewCustomerVat.key(),
                              {{1, u"부가세포함"_s}, {0, u"계산안합"_s}, {2, u"부가세별도"_s}});

    const QList<QCheckBox*> work =
        addChecks(u"상담 및 출력"_s,
                  {{u"chkConsultEdit"_s, u"타 상담자의 상담내용 수정가능"_s, EditOthersConsults.key()},
                   {u"chkSkipPrnOpt"_s, u"거래명세서 인쇄시 옵션창 생략<바로 인쇄>"_s, SkipStatementPrintOptions.key()}});
    m_chkConsultEdit = work[0];
    m_chkSkipPrnOpt = work[1];

    // Named as the slip's own messages name them, so that an operator told where to look finds them.
    const QList<QCheckBox*> slip =
        addChecks(u"전표"_s, {{u"chkSlipNoAsk"_s, u"수정시 묻지 않기"_s, SlipNoEditQuestion.key()},
                              {u"chkSlipNormMsg"_s, u"규격 수정시 안내 메시지 생략"_s, SlipNormWarning.key()}});
    m_chkSlipNoAsk = slip[0];
    m_chkSlipNormMsg = slip[1];
    m_chkSlipNormMsg->setToolTip(u"체크를 해제하면 규격 수정시 안내 메시지가 생략됩니다."_s);

    m_optCidType = addChoices(u"발신자표시(CID) 장치"_s, u"optCidType"_s, CallerIdDevice.key(),
                              {{0, u"CID 장치 (기본형)"_s}, {1, u"CID 장치 (USB 라이브러리)"_s},
                               {2, u"CID 장치 (시리얼 포트)"_s}, {CallerIdSettings::NcidServer, u"CID 서버 (네트워크)"_s},
                               {CallerIdSettings::PbxManager, u"전화 교환기"_s}});
    auto* cid = new QGroupBox(u"발신자표시(CID) 포트 및 전달"_s, this);
    auto* cidForm = new QFormLayout(cid);
    for (int line = 0; line < CallerIdPorts.size(); ++line) {
        auto* combo = indexed(new QComboBox(cid), u"cmbCIDPortNo"_s, line);
        combo->addItem(u"사용안함"_s);
        for (int port = 1; port <= 9; ++port)
            combo->addItem(u"COM"_s + QString::number(port));
        track(combo, CallerIdPorts[line].key());
        cidForm->addRow(QString::number(line + 1) + u"번 회선 포트"_s, combo);
        m_cmbCIDPortNo << combo;
    }
    const QStringList relayCaptions{u"발신번호를 다른 PC로 전달(서버)"_s, u"다른 PC의 발신번호 받기(클라이언트)"_s};
    for (int i = 0; i < relayCaptions.size(); ++i) {
        auto* box = indexed(new QCheckBox(relayCaptions[i], cid), u"chkRemoteCID"_s, i);
        track(box, CallerIdRelay[i].key());
        cidForm->addRow(box);
        m_chkRemoteCID << box;
    }
    body()->addWidget(cid);

    addTextGroup(u"CID 장치 및 상담판 연결"_s, connectionSettings());

    auto* reader = new QGroupBox(u"시리얼 바코드 리더기"_s, this);
    auto* readerForm = new QFormLayout(reader);
    m_chkSirialBCode = new QCheckBox(u"시리얼 바코드 리더기 사용"_s, reader);
    m_chkSirialBCode->setObjectName(u"chkSirialBCode"_s);
    track(m_chkSirialBCode, SerialBarcode.key());
    readerForm->addRow(m_chkSirialBCode);
    for (int i = 0; i < kReader.size(); ++i) {
        auto* combo = indexed(new QComboBox(reader), u"cmbSnBCode"_s, i);
        combo->addItems(kReader[i].values);
        track(combo, kReader[i].setting.key());
        readerForm->addRow(kReader[i].label, combo);
        m_cmbSnBCode << combo;
    }
    // Besides the old port numbers, a device path of this machine can be typed ("/dev/ttyUSB0").
    m_cmbSnBCode[0]->setEditable(true);
    connect(m_cmbSnBCode[0], &QComboBox::editTextChanged, this, [this] { markChanged(SerialBarcodePort.key()); });
    body()->addWidget(reader);

    QFormLayout* programs = addTextGroup(u"외부 프로그램 및 메일"_s, programSettings());
    QPushButton* mail = NamedButton(this, u"btnMailSettings"_s, u"메일 설정"_s);
    mail->setEnabled(ScreenRegistry::has(kMailSettingsScreen));
    connect(mail, &QPushButton::clicked, this, [this] { OpenRegisteredScreen(this, kMailSettingsScreen); });
    programs->addRow(u"메일 보내기"_s, mail);

    QPushButton* setup = NamedButton(this, u"btnSvrSetup"_s, u"서버 설정"_s);
    connect(setup, &QPushButton::clicked, this, &frmOptions2::startServerSetup);
    auto* setupRow = new QHBoxLayout;
    setupRow->addWidget(setup);
    setupRow->addStretch();
    body()->addLayout(setupRow);

    ReadValue();
}

QButtonGroup* frmOptions2::addChoices(const QString& title, const QString& name, const QString& key,
                                      const QList<std::pair<int, QString>>& choices)
{
    auto* box = new QGroupBox(title, this);
    auto* layout = new QHBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (const auto& [value, caption] : choices) {
        auto* option = indexed(new QRadioButton(caption, box), name, value);
        group->addButton(option, value);
        layout->addWidget(option);
        track(option, key);
    }
    layout->addStretch();
    body()->addWidget(box);
    return group;
}

QFormLayout* frmOptions2::addTextGroup(const QString& title, const QList<TextSetting>& settings)
{
    auto* box = new QGroupBox(title, this);
    auto* form = new QFormLayout(box);
    for (const TextSetting& setting : settings) {
        auto* edit = new QLineEdit(box);
        edit->setObjectName(setting.name);
        if (setting.secret)
            edit->setEchoMode(QLineEdit::Password);
        connect(edit, &QLineEdit::textEdited, this, [this, key = setting.key] { markChanged(key); });
        form->addRow(setting.label, edit);
        m_textEdits << edit;
    }
    body()->addWidget(box);
    return form;
}

QList<QCheckBox*> frmOptions2::addChecks(const QString& title, const QList<CheckSetting>& checks)
{
    auto* box = new QGroupBox(title, this);
    auto* layout = new QVBoxLayout(box);
    QList<QCheckBox*> boxes;
    for (const CheckSetting& check : checks) {
        auto* checkBox = new QCheckBox(check.caption, box);
        checkBox->setObjectName(check.name);
        track(checkBox, check.key);
        layout->addWidget(checkBox);
        boxes << checkBox;
    }
    body()->addWidget(box);
    return boxes;
}

void frmOptions2::ReadValue()
{
    beginLoad();
    checkValue(m_optStartForm, StartScreen.get());
    checkValue(m_optCustVat, NewCustomerVat.get());
    m_chkConsultEdit->setChecked(EditOthersConsults.get());
    m_chkSkipPrnOpt->setChecked(SkipStatementPrintOptions.get());
    m_chkSlipNoAsk->setChecked(SlipNoEditQuestion.get());
    m_chkSlipNormMsg->setChecked(SlipNormWarning.get());
    for (int line = 0; line < CallerIdPorts.size(); ++line) {
        const int port = CallerIdPorts[line].get();
        m_cmbCIDPortNo[line]->setCurrentIndex(port >= 0 && port < m_cmbCIDPortNo[line]->count() ? port : -1);
    }
    checkValue(m_optCidType, CallerIdDevice.get());
    for (int i = 0; i < CallerIdRelay.size(); ++i)
        m_chkRemoteCID[i]->setChecked(CallerIdRelay[i].get());
    const QList<TextSetting> texts = textSettings();
    for (int i = 0; i < texts.size(); ++i)
        m_textEdits[i]->setText(texts[i].read());
    m_chkSirialBCode->setChecked(SerialBarcode.get());
    for (int i = 0; i < kReader.size(); ++i)
        m_cmbSnBCode[i]->setCurrentIndex(static_cast<int>(kReader[i].values.indexOf(kReader[i].setting.text())));
    m_cmbSnBCode[0]->setCurrentText(SerialBarcodePort.text());
    endLoad();
}

bool frmOptions2::writeChanges()
{
    auto write = [this](const auto& setting, const auto& value) {
        if (isChanged(setting.key()))
            setting.set(value);
    };
    write(StartScreen, m_optStartForm->checkedId());
    write(NewCustomerVat, m_optCustVat->checkedId());
    for (int line = 0; line < CallerIdPorts.size(); ++line)
        write(CallerIdPorts[line], std::max(m_cmbCIDPortNo[line]->currentIndex(), 0));
    write(CallerIdDevice, m_optCidType->checkedId());
    for (int i = 0; i < CallerIdRelay.size(); ++i)
        write(CallerIdRelay[i], m_chkRemoteCID[i]->isChecked());
    write(SkipStatementPrintOptions, m_chkSkipPrnOpt->isChecked());
    write(SerialBarcode, m_chkSirialBCode->isChecked());
    for (int i = 0; i < kReader.size(); ++i) {
        const QString value = m_cmbSnBCode[i]->currentText().trimmed();
        if (!value.isEmpty())
            write(kReader[i].setting, value);
    }
    write(EditOthersConsults, m_chkConsultEdit->isChecked());
    write(SlipNoEditQuestion, m_chkSlipNoAsk->isChecked());
    write(SlipNormWarning, m_chkSlipNormMsg->isChecked());
    const QList<TextSetting> texts = textSettings();
    for (int i = 0; i < texts.size(); ++i) {
        if (isChanged(texts[i].key))
            texts[i].write(m_textEdits[i]->text());
    }
    return true;
}

void frmOptions2::startServerSetup()
{
    const QString program = Paths::file(serverSetupProgram());
    if (!QFileInfo::exists(program) || !QProcess::startDetached(program, {}, Paths::programFolder()))
        MsgInfo(u"서버설정 파일(SvrSetup.exe)을 찾을 수 없습니다."_s);
}

} // namespace asv
