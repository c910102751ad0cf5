#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <functional>
#include <map>
#include <memory>

namespace asv {

class PostWriter;

// Fills the province files from the address files of the postal service: "|"-separated text with
// 26 columns, one file per province, alone, in a folder or in a zip archive; or from the older
// Access province files. A run replaces the files of the provinces it read, only when all went well.
class PostImport {
public:
    explicit PostImport(QString folder);
    ~PostImport();

    // Throws AppError (file and line) on input it cannot read; no province file changes then.
    void importText(const QString& path);
    void importMdb(const QString& path);
    // An Access file by its ".mdb", anything else as the text files.
    void importAny(const QString& path);
    // Rows per province index written by the last import.
    const QMap<int, qint64>& rowsByProvince() const { return m_rows; }

    // The text in UTF-8: a BOM or valid UTF-8 is taken as it is, anything else is code page 949.
    static QByteArray toUtf8(QByteArray bytes);

private:
    void wholeOrNothing(const std::function<void()>& body);
    void readTextSources(const QString& path);
    void readMdb(const QString& path);
    void readText(const QString& source, QByteArray bytes);
    PostWriter& writer(int province, const QString& source, qint64 line);
    void finish(const QString& ver);

    QString m_folder;
    std::map<int, std::unique_ptr<PostWriter>> m_writers;
    QMap<int, qint64> m_rows;
};

} // namespace asv
