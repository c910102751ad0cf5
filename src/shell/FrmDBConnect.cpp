#include "FrmDBConnect.h"

#include "AppError.h"
#include "Cp949.h"
#include "OfficeDatabase.h"
#include "WidgetHelpers.h"
#include "cMySQL.h"
#include "modMsgBox.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

QLineEdit* field(QWidget* parent, const QString& name, const QString& text)
{
    auto* f = new QLineEdit(text, parent);
    f->setObjectName(name);
    return f;
}

} // namespace

FrmDBConnect::FrmDBConnect(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"FrmDBConnect"_s);
    setWindowTitle(u"데이터베이스 접속 설정"_s);
    const ConnectionProfile p = ConnectionProfile::read();
    auto* form = new QFormLayout;
    form->addRow(u"서버 주소"_s, field(this, u"txtHost"_s, p.host));
    form->addRow(u"계정"_s, field(this, u"txtUser"_s, p.user));
    form->addRow(u"DB명"_s, field(this, u"txtDB"_s, p.database));
    QLineEdit* password = field(this, u"txtPassword"_s, p.password);
    password->setEchoMode(QLineEdit::Password);
    form->addRow(u"비밀번호"_s, password);
    auto* local = new QCheckBox(u"이 PC의 전용 데이터베이스 서버 사용 (1대 사용)"_s, this);
    local->setObjectName(u"chkLocalServer"_s);
    local->setChecked(p.localServer);
    form->addRow(local);
    auto* tls = new QCheckBox(u"TLS 암호화 사용"_s, this);
    tls->setObjectName(u"chkTLS"_s);
    tls->setChecked(p.tls.required);
    form->addRow(tls);
    // Empty: the authorities the system trusts.
    QLineEdit* ca = field(this, u"txtTlsCa"_s, p.tls.caFile);
    QPushButton* browse = NamedButton(this, u"btnTlsCa"_s, u"찾기"_s);
    auto* caRow = new QHBoxLayout;
    caRow->addWidget(ca);
    caRow->addWidget(browse);
    form->addRow(u"CA 파일"_s, caRow);
    connect(browse, &QPushButton::clicked, this, [this, ca] {
        const QString file = QFileDialog::getOpenFileName(this, u"CA 인증서 파일"_s, ca->text(),
                                                          u"인증서 (*.pem *.crt *.cer);;모든 파일 (*)"_s);
        if (!file.isEmpty())
            ca->setText(file);
    });
    // The private server is on this machine: nothing to encrypt.
    const auto enable = [this, tls, ca, browse] {
        const bool office = !findChild<QCheckBox*>(u"chkLocalServer"_s)->isChecked();
        findChild<QLineEdit*>(u"txtHost"_s)->setEnabled(office);
        tls->setEnabled(office);
        ca->setEnabled(office && tls->isChecked());
        browse->setEnabled(office && tls->isChecked());
    };
    connect(local, &QCheckBox::toggled, this, enable);
    connect(tls, &QCheckBox::toggled, this, enable);
    enable();

    auto* buttons = new QHBoxLayout;
    QPushButton* test = NamedButton(this, u"btnTest"_s, u"접속 테스트"_s);
    QPushButton* ok = NamedButton(this, u"btnSave"_s, u"저장"_s);
    QPushButton* cancel = NamedButton(this, u"btnCancel"_s, u"취소"_s);
    buttons->addWidget(test);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    connect(test, &QPushButton::clicked, this, &FrmDBConnect::testConnection);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (saveTested())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Shown only when the office server lacks the database; the administrator's password is used
    // for the create and then cleared.
    m_create = new QGroupBox(u"서버 관리자 계정"_s, this);
    m_create->setObjectName(u"grpCreate"_s);
    auto* admin = new QFormLayout(m_create);
    admin->addRow(u"관리자 계정"_s, field(m_create, u"txtAdminUser"_s, u"root"_s));
    QLineEdit* adminPassword = field(m_create, u"txtAdminPassword"_s, {});
    adminPassword->setEchoMode(QLineEdit::Password);
    admin->addRow(u"관리자 암호"_s, adminPassword);
    QPushButton* create = NamedButton(m_create, u"btnCreate"_s, u"데이터베이스 만들기"_s);
    admin->addRow(create);
    m_create->hide();
    connect(create, &QPushButton::clicked, this, [this] {
        if (createDatabase())
            accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_create);
    layout->addLayout(buttons);
}

std::optional<ConnectionProfile> FrmDBConnect::typed() const
{
    ConnectionProfile p;
    p.host = findChild<QLineEdit*>(u"txtHost"_s)->text().trimmed();
    p.user = findChild<QLineEdit*>(u"txtUser"_s)->text().trimmed();
    p.database = findChild<QLineEdit*>(u"txtDB"_s)->text().trimmed();
    p.password = findChild<QLineEdit*>(u"txtPassword"_s)->text();
    p.localServer = findChild<QCheckBox*>(u"chkLocalServer"_s)->isChecked();
    p.tls.required = findChild<QCheckBox*>(u"chkTLS"_s)->isChecked();
    p.tls.caFile = findChild<QLineEdit*>(u"txtTlsCa"_s)->text().trimmed();
    if (p.user.isEmpty() || p.database.isEmpty() || (p.host.isEmpty() && !p.localServer)) {
        MsgInfo(u"서버 주소, 계정, DB명은 필수 입력 사항입니다."_s, u"필수입력"_s);
        return std::nullopt;
    }
    // The password is kept in the code page's bytes, as the older tool reads it.
    if (const qsizetype bad = Cp949::firstUnencodable(p.password); bad >= 0) {
        MsgInfo(Cp949::unencodableMessage(p.password, bad));
        return std::nullopt;
    }
    return p;
}

bool FrmDBConnect::save()
{
    const std::optional<ConnectionProfile> p = typed();
    if (!p)
        return false;
    p->write();
    ShowSaved();
    return true;
}

bool FrmDBConnect::saveTested()
{
    const std::optional<ConnectionProfile> p = typed();
    if (!p || (!p->localServer && !reachable(*p)))
        return false;
    p->write();
    ShowSaved();
    return true;
}

bool FrmDBConnect::reachable(const ConnectionProfile& p)
{
    if (p.tls.required && !p.tls.caFile.isEmpty() && !QFileInfo(p.tls.caFile).isReadable()) {
        MsgInfo(u"CA 파일을 읽을 수 없습니다: %1"_s.arg(p.tls.caFile));
        return false;
    }
    if (OfficeDatabase::missingOrEmpty({p.host, p.user, p.password, p.database, p.tls})) {
        m_create->show();
        MsgInfo(u"서버에 데이터베이스 %1이(가) 없거나 비어 있습니다."_s.arg(p.database) + vbCrLf
                + u"서버 관리자 계정과 암호를 입력하고 [데이터베이스 만들기]를 누르면 데이터베이스와 계정 %1을(를) 만듭니다."_s.arg(p.user));
        return false;
    }
    try {
        cMySQL probe;
        probe.setTls(p.tls);
        probe.real_connect(p.host, p.user, p.password, p.database, 3306, {}, 0, u"euckr"_s);
        return true;
    } catch (const AppError& e) {
        MsgWarn(u"접속에 실패했습니다."_s + vbCrLf + e.description());
        return false;
    }
}

bool FrmDBConnect::createDatabase()
{
    const std::optional<ConnectionProfile> p = typed();
    if (!p)
        return false;
    auto* adminPassword = findChild<QLineEdit*>(u"txtAdminPassword"_s);
    const ServerLogin admin{p->host, findChild<QLineEdit*>(u"txtAdminUser"_s)->text().trimmed(), adminPassword->text(), {},
                            p->tls};
    adminPassword->clear();
    QString message;
    if (OfficeDatabase::create(admin, {p->host, p->user, p->password, p->database, p->tls}, message)
        != OfficeDatabase::Outcome::Created) {
        MsgWarn(message);
        return false;
    }
    MsgInfo(message);
    p->write();
    return true;
}

void FrmDBConnect::testConnection()
{
    const QString host = findChild<QLineEdit*>(u"txtHost"_s)->text().trimmed();
    try {
        cMySQL probe;
        probe.setTls({findChild<QCheckBox*>(u"chkTLS"_s)->isChecked(), findChild<QLineEdit*>(u"txtTlsCa"_s)->text().trimmed()});
        probe.real_connect(host, findChild<QLineEdit*>(u"txtUser"_s)->text().trimmed(),
                           findChild<QLineEdit*>(u"txtPassword"_s)->text(),
                           findChild<QLineEdit*>(u"txtDB"_s)->text().trimmed(), 3306, {}, 0, u"euckr"_s);
        MsgInfo(u"접속에 성공했습니다."_s + vbCrLf + u"서버 버전: "_s + probe.get_server_info());
    } catch (const AppError& e) {
        MsgWarn(u"접속에 실패했습니다."_s + vbCrLf + e.description());
    }
}

} // namespace asv
