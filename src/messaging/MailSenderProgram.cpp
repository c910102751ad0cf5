#include "MailSenderProgram.h"

#include "MailMessage.h"
#include "MailSettings.h"
#include "Paths.h"
#include "Prompter.h"

#include <QFile>
#include <QProcess>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

bool writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    Prompter::current().info(u"파일을 쓸 수 없습니다.\n"_s + path, u"이메일"_s);
    return false;
}

} // namespace

QString MailSenderProgram::programPath() { return Paths::file(u"OstraEmailSender.exe"_s); }
QString MailSenderProgram::bodyFile() { return Paths::file(u"OstraEmailSender_Body.dat"_s); }
QString MailSenderProgram::dataFile() { return Paths::file(u"OstraEmailSender_Data.dat"_s); }

bool MailSenderProgram::writeFiles(const MailSettings& settings, const MailMessage& message)
{
    QStringList lines{u"fr_addr="_s + MailMessage::withoutParentheses(message.fromAddress),
                      u"fr_name="_s + MailMessage::withoutParentheses(message.fromName),
                      u"to_addr="_s + MailMessage::withoutParentheses(message.toAddress),
                      u"to_name="_s + MailMessage::withoutParentheses(message.toName)};
    if (!message.ccAddresses.isEmpty())
        lines << u"cc_addrs="_s + MailMessage::withoutParentheses(message.ccAddresses.join(u';'))
              << u"cc_names="_s + MailMessage::withoutParentheses(message.ccNames.join(u';'));
    lines << u"subject="_s + message.subject << u"files="_s + message.files.join(u';') << u"is_html=0"_s
          << u"smtp_host="_s + settings.host << u"smtp_port="_s + settings.port
          << u"smtp_ssl="_s + (settings.ssl ? u"1"_s : u"0"_s) << u"smtp_id="_s + MailSettings::scramble(settings.user)
          << u"smtp_pwd="_s + MailSettings::scramble(settings.password);
    return writeWhole(bodyFile(), message.body.toUtf8()) && writeWhole(dataFile(), (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8());
}

bool MailSenderProgram::send(const MailSettings& settings, const MailMessage& message)
{
    if (!QFile::exists(programPath())) {
        Prompter::current().info(u"메일 전송 프로그램을 찾을 수 없습니다.\n"_s + programPath(), u"이메일"_s);
        return false;
    }
    if (const QString problem = message.addressProblem(); !problem.isEmpty()) {
        Prompter::current().info(problem, u"이메일"_s);
        return false;
    }
    if (!writeFiles(settings, message))
        return false;
    QProcess sender;
    sender.setWorkingDirectory(Paths::programFolder());
    sender.start(programPath(), {u"Ostra"_s});
    if (!sender.waitForFinished(-1) || sender.exitStatus() != QProcess::NormalExit)
        return false;
    return sender.exitCode() != 1;
}

} // namespace asv
