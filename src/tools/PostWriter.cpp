#include "PostWriter.h"

#include "AppError.h"
#include "PostDatabase.h"
#include "ZipcodeFolder.h"
#include "ZipcodeProvinces.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

bool isNumberColumn(int column)
{
    return column == 7 || column == 8 || column == 9 || column == 11 || column == 12 || column == 13;
}

} // namespace

PostWriter::PostWriter(const QString& folder, const ZipcodeProvince& province)
    : m_folder(folder), m_fileName(ZipcodeProvinces::fileName(province)),
      m_partPath(folder + u'/' + m_fileName + u".part"_s)
{
    QDir().mkpath(folder);
    QFile::remove(m_partPath);
    m_db = std::make_unique<PostDatabase>(m_partPath, true);
    // Nothing to protect in a file that replaces the real one only when complete.
    m_db->exec(u"PRAGMA journal_mode = OFF"_s);
    m_db->exec(u"PRAGMA synchronous = OFF"_s);
    m_db->exec(u"PRAGMA cache_size = -65536"_s);
    for (const QString& statement : PostDatabase::schemaStatements())
        m_db->exec(statement);
    m_db->exec(u"BEGIN"_s);
    const QByteArray sql = PostDatabase::insertStatement().toUtf8();
    if (sqlite3_prepare_v2(m_db->handle(), sql.constData(), -1, &m_insert, nullptr) != SQLITE_OK)
        m_db->fail(PostDatabase::insertStatement());
}

PostWriter::~PostWriter()
{
    sqlite3_finalize(m_insert);
    m_db.reset();
    if (!m_installed)
        QFile::remove(m_partPath);
}

void PostWriter::add(const Row& row)
{
    for (int i = 0; i < kColumns; ++i) {
        const QByteArrayView v = row[static_cast<size_t>(i)];
        if (isNumberColumn(i)) {
            bool ok = true;
            const int n = v.isEmpty() ? 0 : v.trimmed().toInt(&ok);
            if (!ok)
                throw AppError(3, m_fileName, u"숫자가 아닌 값: "_s + QString::fromUtf8(v));
            sqlite3_bind_int(m_insert, i + 1, n);
        } else {
            sqlite3_bind_text(m_insert, i + 1, v.data(), static_cast<int>(v.size()), SQLITE_STATIC);
        }
    }
    if (sqlite3_step(m_insert) != SQLITE_DONE)
        m_db->fail(u"INSERT INTO Post"_s);
    sqlite3_reset(m_insert);
    ++m_rows;
}

void PostWriter::seal(const QString& ver)
{
    sqlite3_finalize(m_insert);
    m_insert = nullptr;
    for (const QString& statement : PostDatabase::indexStatements())
        m_db->exec(statement);
    m_db->setVersion(ver);
    m_db->exec(u"COMMIT"_s);
    // Statistics for the planner's choice among the indexes.
    m_db->exec(u"PRAGMA analysis_limit = 1000"_s);
    m_db->exec(u"ANALYZE"_s);
    m_db.reset();
}

void PostWriter::install()
{
    const QString old = ZipcodeFolder::find(m_folder, m_fileName);
    const QString target = m_folder + u'/' + m_fileName;
    // rename() replaces the file in one step: a finder opened meanwhile sees the old or the new one.
    if (std::rename(QFile::encodeName(m_partPath).constData(), QFile::encodeName(target).constData()) != 0)
        throw AppError(4, m_partPath, u"우편번호 파일을 설치할 수 없습니다. : "_s + QString::fromLocal8Bit(std::strerror(errno)));
    m_installed = true;
    if (!old.isEmpty() && old != target)
        QFile::remove(old);
}

} // namespace asv
