#include "modSMSLink.h"

#include "ConfigKeys.h"
#include "Cp949.h"
#include "Paths.h"
#include "modMsgBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kModule = u"modSMSLink"_s;
const QString kWhereToSet =
    u"[환경설정] 화면의 [외부 프로그램 및 메일] - [문자전송 프로그램 폴더]에 문자전송 프로그램이 있는 폴더를 지정하세요."_s;

void startSender(const QString& folder, bool isFaxVoice, const QString& argument)
{
    QProcess::startDetached(SmsFilePath(folder, SenderProgramOf(isFaxVoice).executable), {argument}, folder);
}

// Writes the whole file anew, or throws naming the file.
void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error(u"%1: %2"_s.arg(path, file.errorString()).toStdString());
}

bool runAnyway(const QString& reason, bool isFaxVoice)
{
    return MsgYesNo(reason + vbCrLf + u"그래도, "_s + SenderProgramOf(isFaxVoice).label + u" 프로그램을 실행할까요?"_s,
                    u"SMS"_s)
           == MsgAnswer::Yes;
}

} // namespace

QString SmsFilePath(const QString& folder, const QString& file)
{
    return QDir::toNativeSeparators(QDir(folder).filePath(file));
}

const SenderProgram& SenderProgramOf(bool isFaxVoice)
{
    static const SenderProgram sms{u"OstraSMS.exe"_s, u"문자전송"_s};
    static const SenderProgram faxVoice{u"OstraXroShot.exe"_s, u"팩스/음성전송"_s};
    return isFaxVoice ? faxVoice : sms;
}

QString SmsProgramFolder(bool isFaxVoice)
{
    const QString executable = SenderProgramOf(isFaxVoice).executable;
    if (QFileInfo::exists(Paths::file(executable)))
        return Paths::programFolder();
    const QString folder = (isFaxVoice ? ConfigKeys::FaxVoiceSenderFolder : ConfigKeys::SmsSenderFolder).get();
    if (folder.isEmpty()) {
        MsgInfo(u"문자전송 실행파일을 찾을 수 없습니다."_s + vbCrLf + kWhereToSet);
        return {};
    }
    if (!QFileInfo::exists(QDir(folder).filePath(executable))) {
        MsgInfo(u"문자전송 프로그램을 찾을 수 없습니다."_s + vbCrLf + u"파일명:"_s + SmsFilePath(folder, executable)
                + vbCrLf + u"OstraSoft 홈페이지에서 문자전송 프로그램을 다운받아 설치하세요."_s + vbCrLf + kWhereToSet);
        return {};
    }
    return folder;
}

QString SmsArgument(const QString& folder, bool listFile, bool messageFile)
{
    const QString list = SmsFilePath(folder, kSmsListFile);
    const QString message = SmsFilePath(folder, kSmsMessageFile);
    if (listFile && messageFile)
        return list + u';' + message;
    if (listFile)
        return list;
    if (messageFile)
        return u' ' + message;
    return u"0"_s;
}

QList<SmsRecipient> LeaveOutWithoutNumber(const QList<SmsRecipient>& recipients)
{
    QList<SmsRecipient> kept;
    for (const SmsRecipient& r : recipients) {
        if (!r.numbers.trimmed().isEmpty())
            kept.append(r);
    }
    if (const qsizetype leftOut = recipients.size() - kept.size(); leftOut > 0)
        MsgInfo(u"핸드폰 번호가 없는 고객 %1명은 받는 사람에서 제외했습니다."_s.arg(leftOut));
    return kept;
}

bool CreateTelListFile(const QString& path, const QList<SmsRecipient>& ticked)
{
    if (const std::optional<QString> refused = SmsList::refusal(ticked)) {
        MsgInfo(*refused);
        return false;
    }
    return Guarded(u"CreateTelListFile"_s, u"Module"_s, kModule, false, [&] {
        const SmsList::Lines lines = SmsList::lines(ticked);
        writeFile(path, SmsList::encode(lines.lines));
        return lines.complete;
    });
}

bool TransFromSpread(const QList<SmsRecipient>& ticked, bool isFaxVoice)
{
    if (isFaxVoice) {
        MsgInfo(u"팩스,음성은 현재 지원하지 않은 기능입니다."_s);
        return false;
    }
    const QString folder = SmsProgramFolder(false);
    if (folder.isEmpty())
        return false;
    const QList<SmsRecipient> recipients = LeaveOutWithoutNumber(ticked);
    if (recipients.isEmpty()) {
        if (!runAnyway(u"전송할 자료를 선택하지 않았습니다."_s, false))
            return false;
        startSender(folder, false, SmsArgument(folder, false, false));
        return true;
    }
    const bool written = CreateTelListFile(SmsFilePath(folder, kSmsListFile), recipients);
    startSender(folder, false, SmsArgument(folder, written, false));
    return true;
}

bool TransSMS(const QString& telNo, const QString& name, bool isFaxVoice, const QString& message)
{
    const QString folder = SmsProgramFolder(isFaxVoice);
    if (folder.isEmpty())
        return false;
    const bool hasNumber = !telNo.trimmed().isEmpty();
    if (!hasNumber && !runAnyway(u"전화번호가 입력되지 않았습니다."_s, isFaxVoice))
        return false;
    const QString line = telNo + u',' + SmsList::cleanName(name, false);
    if (const std::optional<QString> refused = SmsList::refusal(QStringList{line, message})) {
        MsgInfo(*refused);
        return false;
    }
    const bool sent = Guarded(u"TransSMS"_s, u"Module"_s, kModule, false, [&] {
        if (hasNumber)
            writeFile(SmsFilePath(folder, kSmsListFile), SmsList::encode({line}));
        if (!message.isEmpty())
            writeFile(SmsFilePath(folder, kSmsMessageFile), Cp949::encode(message));
        return true;
    });
    if (!sent)
        return false;
    startSender(folder, isFaxVoice, SmsArgument(folder, hasNumber, !message.isEmpty()));
    return true;
}

} // namespace asv
