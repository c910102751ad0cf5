#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct zip;

namespace asv {

// A zip archive read with libzip. Entry names written by Korean tools are code page 949 bytes
// without the UTF-8 flag; a name that is not UTF-8 is read as such.
class ZipcodeArchive {
public:
    // Throws AppError when the file is not a readable archive.
    explicit ZipcodeArchive(const QString& path);
    ~ZipcodeArchive();
    ZipcodeArchive(const ZipcodeArchive&) = delete;
    ZipcodeArchive& operator=(const ZipcodeArchive&) = delete;

    int count() const;
    QString name(int index) const;
    QByteArray read(int index) const;
    // Seconds since the epoch of the entry's modification.
    qint64 modified(int index) const;

private:
    zip* m_zip = nullptr;
    QString m_path;
};

} // namespace asv
