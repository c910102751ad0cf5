#include "FrmDBConnect.h"

#include "AppError.h"
#include "Cp949.h"
#include "OfficeDatabase.h"
#include "WidgetHelpers.h"
#include "cMySQL.h"
#include "modMsgBox.h"

#include <QCheckBox>
#include <QFormLayout>
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
    connect(local, &QCheckBox::toggled, this, [this](bool on) { findChild<QLineEdit*>(u"txtHost"_s)->setEnabled(!on); });
    findChild<QLineEdit*>(u"txtHost"_s)->setEnabled(!p.localServer);

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

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
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

// The administrator's account is asked for this once and kept nowhere.
bool FrmDBConnect::reachable(const ConnectionProfile& p)
{
    const ServerLogin login{p.host, p.user, p.password, p.database};
    if (!OfficeDatabase::missingOrEmpty(login)) {
        try {
            cMySQL probe;
            probe.real_connect(p.host, p.user, p.password, p.database, 3306, {}, 0, u"euckr"_s);
            return true;
        } catch (const AppError& e) {
            MsgWarn(u"접속에 실패했습니다."_s + vbCrLf + e.description());
            return false;
        }
    }
    if (MsgYesNo(u"서버에 데이터베이스 %1이(가) 없거나 비어 있습니다."_s.arg(p.database) + vbCrLf
                 + u"서버 관리자 계정으로 데이터베이스와 계정 %2을(를) 지금 만드시겠습니까?"_s.arg(p.user))
        != MsgAnswer::Yes)
        return false;
    const std::optional<QString> admin = InputBox(u"서버 관리자 계정"_s, windowTitle(), u"root"_s);
    if (!admin || admin->trimmed().isEmpty())
        return false;
    const std::optional<QString> password = InputBox(u"서버 관리자 암호"_s, windowTitle());
    if (!password)
        return false;
    QString message;
    if (OfficeDatabase::create({p.host, admin->trimmed(), *password, {}}, login, message)
        != OfficeDatabase::Outcome::Created) {
        MsgWarn(message);
        return false;
    }
    MsgInfo(message);
    return true;
}

void FrmDBConnect::testConnection()
{
    const QString host = findChild<QLineEdit*>(u"txtHost"_s)->text().trimmed();
    try {
        cMySQL probe;
        probe.real_connect(host, findChild<QLineEdit*>(u"txtUser"_s)->text().trimmed(),
                           findChild<QLineEdit*>(u"txtPassword"_s)->text(),
                           findChild<QLineEdit*>(u"txtDB"_s)->text().trimmed(), 3306, {}, 0, u"euckr"_s);
        MsgInfo(u"접속에 성공했습니다."_s + vbCrLf + u"서버 버전: "_s + probe.get_server_info());
    } catch (const AppError& e) {
        MsgWarn(u"접속에 실패했습니다."_s + vbCrLf + e.description());
    }
}

} // namespace asv
