#include "ZipcodeDownload.h"

#include "AppError.h"
#include "CurlHandles.h"
#include "ZipcodeArchive.h"
#include "ZipcodeFolder.h"
#include "ZipcodeProvinces.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

size_t writeToFile(char* data, size_t size, size_t count, void* file)
{
    const auto n = static_cast<qint64>(size * count);
    return static_cast<QFile*>(file)->write(data, n) == n ? size * count : 0;
}

int reportProgress(void* progress, curl_off_t expected, curl_off_t received, curl_off_t, curl_off_t)
{
    const auto& p = *static_cast<const ZipcodeDownload::Progress*>(progress);
    if (p)
        p(static_cast<qint64>(received), static_cast<qint64>(expected));
    return 0;
}

} // namespace

ZipcodeDownload::ZipcodeDownload(QString baseUrl, QString folder)
    : m_baseUrl(std::move(baseUrl)), m_folder(std::move(folder))
{
}

QString ZipcodeDownload::zipName(const ZipcodeProvince& province)
{
    return province.tag + u".zip"_s;
}

bool ZipcodeDownload::install(const ZipcodeProvince& province, const Progress& progress)
{
    m_error.clear();
    QDir().mkpath(m_folder);
    const QString zip = m_folder + u'/' + zipName(province);
    QString url = m_baseUrl.trimmed();
    if (!url.endsWith(u'/'))
        url += u'/';
    if (!fetch(url + zipName(province), zip, progress))
        return false;
    try {
        unpack(zip, m_folder);
    } catch (const AppError& e) {
        m_error = e.description();
    }
    QFile::remove(zip);
    return m_error.isEmpty();
}

bool ZipcodeDownload::fetch(const QString& url, const QString& target, const Progress& progress)
{
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_error = file.errorString();
        return false;
    }
    const CurlEasy curl(curl_easy_init());
    const QByteArray address = url.toUtf8();
    curl_easy_setopt(curl.get(), CURLOPT_URL, address.constData());
    curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, 20L);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, writeToFile);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &file);
    curl_easy_setopt(curl.get(), CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl.get(), CURLOPT_XFERINFOFUNCTION, reportProgress);
    curl_easy_setopt(curl.get(), CURLOPT_XFERINFODATA, &progress);
    const CURLcode rc = curl_easy_perform(curl.get());
    file.close();
    if (rc != CURLE_OK) {
        m_error = QString::fromUtf8(curl_easy_strerror(rc));
        file.remove();
        return false;
    }
    return true;
}

void ZipcodeDownload::unpack(const QString& zipPath, const QString& folder)
{
    const ZipcodeArchive archive(zipPath);
    for (int i = 0; i < archive.count(); ++i) {
        const QString name = archive.name(i);
        if (name.endsWith(u'/'))
            continue;
        if (name.contains(u'/') || name.contains(u'\\') || name == u".."_s)
            throw AppError(10, zipPath, u"압축 파일에 허용되지 않는 경로가 있습니다. : "_s + name);
        QSaveFile out(folder + u'/' + name);
        if (!out.open(QIODevice::WriteOnly) || out.write(archive.read(i)) < 0)
            throw AppError(10, out.fileName(), out.errorString());
        const QString existing = ZipcodeFolder::find(folder, name);
        if (!existing.isEmpty() && QFileInfo(existing).fileName() != name)
            QFile::remove(existing);
        if (!out.commit())
            throw AppError(10, out.fileName(), out.errorString());
    }
}

} // namespace asv
