#include "ZipcodeArchive.h"

#include "AppError.h"

#include <QFile>
#include <QStringDecoder>
#include <zip.h>

using namespace Qt::StringLiterals;

namespace asv {

ZipcodeArchive::ZipcodeArchive(const QString& path) : m_path(path)
{
    int error = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!m_zip) {
        zip_error_t e;
        zip_error_init_with_code(&e, error);
        const QString message = QString::fromUtf8(zip_error_strerror(&e));
        zip_error_fini(&e);
        throw AppError(error, path, u"압축 파일을 열 수 없습니다. : "_s + message);
    }
}

ZipcodeArchive::~ZipcodeArchive()
{
    zip_discard(m_zip);
}

int ZipcodeArchive::count() const
{
    return static_cast<int>(zip_get_num_entries(m_zip, 0));
}

QString ZipcodeArchive::name(int index) const
{
    const char* raw = zip_get_name(m_zip, static_cast<zip_uint64_t>(index), ZIP_FL_ENC_RAW);
    if (!raw)
        return {};
    const QByteArray bytes(raw);
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString name = utf8(bytes);
    if (!utf8.hasError())
        return name;
    return QStringDecoder("windows-949")(bytes);
}

QByteArray ZipcodeArchive::read(int index) const
{
    zip_stat_t st;
    zip_stat_init(&st);
    const auto i = static_cast<zip_uint64_t>(index);
    if (zip_stat_index(m_zip, i, 0, &st) != 0)
        throw AppError(2, m_path, u"압축 파일의 항목을 읽을 수 없습니다. : "_s + name(index));
    // The largest province is about 250 MB of text; a packed entry stating gigabytes is refused
    // before anything is unpacked.
    constexpr zip_uint64_t kMaxEntrySize = 1024u * 1024u * 1024u;
    if (!(st.valid & ZIP_STAT_SIZE) || st.size > kMaxEntrySize)
        throw AppError(2, m_path, u"압축 파일의 항목이 너무 큽니다. : "_s + name(index));
    zip_file_t* f = zip_fopen_index(m_zip, i, 0);
    if (!f)
        throw AppError(2, m_path, u"압축 파일의 항목을 읽을 수 없습니다. : "_s + name(index));
    QByteArray data(static_cast<qsizetype>(st.size), Qt::Uninitialized);
    const zip_int64_t n = zip_fread(f, data.data(), st.size);
    zip_fclose(f);
    if (n < 0 || static_cast<zip_uint64_t>(n) != st.size)
        throw AppError(2, m_path, u"압축 파일이 손상되었습니다. : "_s + name(index));
    return data;
}

qint64 ZipcodeArchive::modified(int index) const
{
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(m_zip, static_cast<zip_uint64_t>(index), 0, &st) != 0 || !(st.valid & ZIP_STAT_MTIME))
        return 0;
    return static_cast<qint64>(st.mtime);
}

} // namespace asv
