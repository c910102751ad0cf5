#include "MailChecks.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace asv {

QString MailChecks::firstMissing(const QList<std::pair<QString, QString>>& fields)
{
    for (const auto& [text, message] : fields)
        if (text.trimmed().isEmpty())
            return message;
    return {};
}

QString MailChecks::firstWithSeveral(const QList<std::pair<QString, QString>>& fields)
{
    for (const auto& [text, message] : fields)
        if (text.count(u'@') > 1)
            return message;
    return {};
}

QString MailChecks::attachmentProblem(const QStringList& files, bool webForm)
{
    if (webForm && files.size() > 1)
        return u"웹전송방식은 1장이상의 첨부파일은 메일전송되지 않습니다!!!"_s;
    if (webForm && !files.isEmpty())
        return u"웹전송방식은 첨부파일이 지원되지 않습니다!!!"_s;
    for (const QString& path : files) {
        const QFileInfo file(path);
        if (!file.isFile())
            return u"첨부파일 설정 오류!!!"_s;
        if (file.size() > kAttachmentLimit)
            return u"파일의 용량이 커서 전송할수 없습니다.\n용량제한 : 1MB"_s;
    }
    return {};
}

} // namespace asv
