#include "MailSettings.h"

#include "ConfigKeys.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kHostKey = u"SMTP_URL"_s;
const QString kPortKey = u"SMTP_PORT"_s;
const QString kUserKey = u"SMTP_ID"_s;
const QString kPasswordKey = u"SMTP_PWD"_s;
const QString kSslKey = u"SMTP_SSL"_s;
const QString kAddressKey = u"SMTP_EMAIL"_s;

// The maker's relay accepts mail from installations with this account.
const QString kMakersHost = u"smtp.asvelmora.example"_s;
const QString kMakersPort = u"25"_s;
const QString kMakersUser = u"asvelmora-desk"_s;
const QString kMakersPassword = u"desk-relay"_s;

QString serverValue(const QString& key, int kind)
{
    const QString own = ConfigKeys::MailServerValue(key, kind).text();
    return own == ConfigKeys::kMailUndecided ? ConfigKeys::MailServerValue(key).text() : own;
}

// Keeps the password out of plain sight in the settings file and the sender's data file; not a
// protection against someone who has this program.
const QByteArray kScrambleKey = QByteArrayLiteral("Velmora#Mail");

QByteArray xorWithKey(QByteArray bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(bytes[i] ^ kScrambleKey[i % kScrambleKey.size()]);
    return bytes;
}

} // namespace

MailSettings MailSettings::load()
{
    return load(ConfigKeys::MailServerKind.get());
}

MailSettings MailSettings::load(int serverKind)
{
    MailSettings s;
    s.serverKind = serverKind == MakersServer ? MakersServer : OwnServer;
    s.method = ConfigKeys::MailMethod.get() == SenderProgram ? SenderProgram : DirectSmtp;
    s.webForm = ConfigKeys::MailWebForm.get();
    s.webFormUrl = ConfigKeys::MailWebFormUrl.get();
    s.host = serverValue(kHostKey, s.serverKind);
    s.port = serverValue(kPortKey, s.serverKind);
    s.user = serverValue(kUserKey, s.serverKind);
    s.password = unscramble(serverValue(kPasswordKey, s.serverKind));
    s.ssl = serverValue(kSslKey, s.serverKind) == u"1"_s;
    s.senderAddress = serverValue(kAddressKey, s.serverKind);
    s.applyServerKind();
    return s;
}

void MailSettings::save() const
{
    ConfigKeys::MailServerKind.set(serverKind);
    ConfigKeys::MailMethod.set(method);
    ConfigKeys::MailWebForm.set(webForm);
    ConfigKeys::MailServerValue(kHostKey, serverKind).setText(host);
    ConfigKeys::MailServerValue(kPortKey, serverKind).setText(port);
    ConfigKeys::MailServerValue(kUserKey, serverKind).setText(user);
    ConfigKeys::MailServerValue(kPasswordKey, serverKind).setText(scramble(password));
    ConfigKeys::MailServerValue(kSslKey, serverKind).setText(ssl ? u"1"_s : u"0"_s);
    ConfigKeys::MailServerValue(kAddressKey, serverKind).setText(senderAddress);
}

void MailSettings::applyServerKind()
{
    if (serverKind != MakersServer)
        return;
    host = kMakersHost;
    port = kMakersPort;
    user = kMakersUser;
    password = kMakersPassword;
    ssl = false;
}

QString MailSettings::problem(const QString& computerName) const
{
    static const QRegularExpression hangul(u"[\\x{AC00}-\\x{D7A3}\\x{3131}-\\x{318E}]"_s);
    if (!webForm && method == SenderProgram && computerName.contains(hangul))
        return u"내컴퓨터명이 한글인 경우, [닷넷방식]을 사용하면 전송오류가 발생합니다.\n내컴퓨터명: "_s + computerName;
    const std::pair<const QString*, QString> required[] = {
        {&host, u"[보내는 메일서버]가 입력되지 않았습니다."_s}, {&port, u"[포트]가 입력되지 않았습니다."_s},
        {&user, u"[사용자 ID]가 입력되지 않았습니다."_s},        {&password, u"[암호]가 입력되지 않았습니다."_s},
        {&senderAddress, u"[메일주소]가 입력되지 않았습니다."_s}};
    for (const auto& [value, message] : required)
        if (value->trimmed().isEmpty())
            return message;
    if (!isValidAddress(senderAddress))
        return u"[메일주소] 형식이 잘못되었습니다.\n(예: desk@example.co.kr)"_s;
    return {};
}

bool MailSettings::isValidAddress(const QString& address)
{
    // "*@*.*" but not "*@*.", "*@.*" nor "@*.*", and no blank, ";" or "&".
    const qsizetype at = address.indexOf(u'@');
    if (at <= 0 || address.endsWith(u'.') || address.contains(u"@."_s))
        return false;
    if (address.contains(u' ') || address.contains(u';') || address.contains(u'&'))
        return false;
    return address.indexOf(u'.', at) > at;
}

QString MailSettings::scramble(const QString& plain)
{
    return QString::fromLatin1(xorWithKey(plain.toUtf8()).toBase64());
}

QString MailSettings::unscramble(const QString& scrambled)
{
    return QString::fromUtf8(xorWithKey(QByteArray::fromBase64(scrambled.toLatin1())));
}

} // namespace asv
