#include "modRegedit.h"

#include "AppError.h"
#include "Clock.h"
#include "Paths.h"
#include "UserSettings.h"
#include "modMsgBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kPrefix = u"환경설정_"_s;
const QString kSuffix = u".settings"_s;

void prune(const QDir& dbs, int keep)
{
    // The time stamp in the name sorts like the time itself.
    const QStringList backups =
        dbs.entryList({kPrefix + u'*' + kSuffix}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
    for (qsizetype i = keep; i < backups.size(); ++i)
        QDir(dbs.filePath(backups[i])).removeRecursively();
}

} // namespace

QStringList RegBackupApps()
{
    const QString title = UserSettings::appTitle();
    return {title, title + u"_PritSetUp"_s, u"Ostra공통"_s, u"OstraSMS"_s, u"OstraSoft 로그인 관리자"_s,
            u"OstraSoft 접속관리자"_s};
}

QString RegBackUP(int keep)
{
    return Guarded(u"RegBackUP"_s, u"Module"_s, u"modRegedit"_s, QString(), [&] {
        QStringList sources;
        for (const QString& app : RegBackupApps()) {
            const QString file = UserSettings::fileOf(app);
            if (QFileInfo::exists(file))
                sources << file;
        }
        const QDir dbs(Paths::file(u"DBS"_s));
        QString target;
        if (!sources.isEmpty()) {
            target = dbs.filePath(kPrefix + Clock::now().toString(u"yyyyMMdd_HHmm"_s) + kSuffix);
            if (!QDir().mkpath(target))
                throw AppError(75, u"RegBackUP"_s, u"폴더를 만들 수 없습니다: "_s + target);
            for (const QString& file : sources) {
                const QString copy = target + u'/' + QFileInfo(file).fileName();
                QFile::remove(copy);
                if (!QFile::copy(file, copy))
                    throw AppError(75, u"RegBackUP"_s, u"파일을 복사할 수 없습니다: "_s + file);
            }
        }
        prune(dbs, keep);
        return target;
    });
}

} // namespace asv
