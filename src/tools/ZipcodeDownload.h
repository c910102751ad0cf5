#pragma once

#include <QString>
#include <functional>

namespace asv {

struct ZipcodeProvince;

// Fetches a province's "<tag>.zip" from the download folder on the web into the local folder and
// unpacks it there.
class ZipcodeDownload {
public:
    // Bytes received and expected (0 while unknown); called often, also to keep windows painted.
    using Progress = std::function<void(qint64 received, qint64 expected)>;

    ZipcodeDownload(QString baseUrl, QString folder);

    // The zip file's name, "<tag>.zip".
    static QString zipName(const ZipcodeProvince& province);
    // false when the zip did not arrive or could not be unpacked; error() says why.
    bool install(const ZipcodeProvince& province, const Progress& progress = {});
    const QString& error() const { return m_error; }

    // Unpacks the archive's files into the folder, replacing files of the same name in any case.
    // Entries with a path are refused. Throws AppError.
    static void unpack(const QString& zipPath, const QString& folder);

private:
    bool fetch(const QString& url, const QString& target, const Progress& progress);

    QString m_baseUrl;
    QString m_folder;
    QString m_error;
};

} // namespace asv
