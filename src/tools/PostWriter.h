#pragma once

#include <QByteArrayView>
#include <QString>
#include <array>
#include <memory>

struct sqlite3_stmt;

namespace asv {

class PostDatabase;
struct ZipcodeProvince;

// Builds one province file beside the one in use and puts it in its place only when complete, so
// that a failed import leaves the old file as it was.
class PostWriter {
public:
    // The columns of Post in their order; the flags and numbers are integers.
    static constexpr int kColumns = 16;
    using Row = std::array<QByteArrayView, kColumns>;

    PostWriter(const QString& folder, const ZipcodeProvince& province);
    ~PostWriter();
    PostWriter(const PostWriter&) = delete;
    PostWriter& operator=(const PostWriter&) = delete;

    // Throws AppError naming the column when a number is not a number.
    void add(const Row& row);
    qint64 rows() const { return m_rows; }
    // Indexes and the date of the data; the file is complete but not yet in use.
    void seal(const QString& ver);
    // The sealed file in place of the province's old one.
    void install();

private:
    QString m_folder;
    QString m_fileName;
    QString m_partPath;
    std::unique_ptr<PostDatabase> m_db;
    sqlite3_stmt* m_insert = nullptr;
    qint64 m_rows = 0;
    bool m_installed = false;
};

} // namespace asv
