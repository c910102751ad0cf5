#include "PostImport.h"

#include "AppError.h"
#include "PostWriter.h"
#include "ZipcodeArchive.h"
#include "ZipcodeProvinces.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <vector>

#include <glib.h>
// After glib: it includes glib inside its own extern "C".
#include <mdbtools.h>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

constexpr int kTextColumns = 26;
// Where each column of Post comes from in a line of the text files.
constexpr std::array<int, PostWriter::kColumns> kTextSource{0, 1, 3, 19, 17, 5, 18, 20, 21, 23, 8, 10, 11, 12, 14, 15};

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    constexpr qsizetype kChunk = 1 << 20;
    // Chunks end inside a character at most three bytes early; the next chunk starts there.
    for (qsizetype at = 0; at < bytes.size();) {
        qsizetype end = std::min(bytes.size(), at + kChunk);
        // No character has more than three continuation bytes: a longer run is not UTF-8, and
        // backing over it would make the chunk empty and the loop endless.
        for (int back = 0; back < 3 && end < bytes.size() && (static_cast<uchar>(bytes[end]) & 0xC0) == 0x80; ++back)
            --end;
        // The decoder works only when its result is taken.
        const QString discarded = utf8.decode(QByteArrayView(bytes).sliced(at, end - at));
        if (utf8.hasError())
            return false;
        at = end;
    }
    return true;
}

QString dateOf(qint64 secondsSinceEpoch)
{
    const QDateTime t = secondsSinceEpoch > 0 ? QDateTime::fromSecsSinceEpoch(secondsSinceEpoch)
                                              : QDateTime::currentDateTime();
    return t.date().toString(u"yyyy-MM-dd"_s);
}

} // namespace

PostImport::PostImport(QString folder) : m_folder(std::move(folder)) {}

PostImport::~PostImport() = default;

QByteArray PostImport::toUtf8(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return bytes.remove(0, 3);
    if (isValidUtf8(bytes))
        return bytes;
    return QStringDecoder("windows-949").decode(bytes).operator QString().toUtf8();
}

void PostImport::importText(const QString& path)
{
    wholeOrNothing([&] { readTextSources(path); });
}

void PostImport::importMdb(const QString& path)
{
    wholeOrNothing([&] { readMdb(path); });
}

void PostImport::importAny(const QString& path)
{
    if (path.endsWith(u".mdb"_s, Qt::CaseInsensitive))
        importMdb(path);
    else
        importText(path);
}

void PostImport::wholeOrNothing(const std::function<void()>& body)
{
    m_writers.clear();
    m_rows.clear();
    try {
        body();
    } catch (...) {
        // The files begun go now, not when the importer does.
        m_writers.clear();
        throw;
    }
}

void PostImport::readTextSources(const QString& path)
{
    const QFileInfo info(path);
    qint64 newest = 0;
    if (info.isDir()) {
        const QFileInfoList files =
            QDir(path).entryInfoList({u"*.txt"_s}, QDir::Files, QDir::Name);
        for (const QFileInfo& f : files) {
            QFile file(f.filePath());
            if (!file.open(QIODevice::ReadOnly))
                throw AppError(5, f.filePath(), f.filePath() + u" : "_s + file.errorString());
            readText(f.fileName(), file.readAll());
            newest = std::max(newest, f.lastModified().toSecsSinceEpoch());
        }
    } else if (info.suffix().compare(u"zip"_s, Qt::CaseInsensitive) == 0) {
        const ZipcodeArchive archive(path);
        for (int i = 0; i < archive.count(); ++i) {
            const QString name = archive.name(i);
            if (!name.endsWith(u".txt"_s, Qt::CaseInsensitive))
                continue;
            readText(name, archive.read(i));
            newest = std::max(newest, archive.modified(i));
        }
    } else {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw AppError(5, path, path + u" : "_s + file.errorString());
        readText(info.fileName(), file.readAll());
        newest = info.lastModified().toSecsSinceEpoch();
    }
    if (m_writers.empty())
        throw AppError(6, path, u"주소 자료가 없습니다."_s);
    finish(dateOf(newest));
}

void PostImport::readText(const QString& source, QByteArray bytes)
{
    const QByteArray text = toUtf8(std::move(bytes));
    const QByteArrayView all(text);
    PostWriter::Row row;
    std::array<QByteArrayView, kTextColumns> fields;
    qint64 lineNo = 0;
    for (qsizetype at = 0; at < all.size();) {
        qsizetype end = all.indexOf('\n', at);
        if (end < 0)
            end = all.size();
        QByteArrayView line = all.sliced(at, end - at);
        at = end + 1;
        ++lineNo;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || (lineNo == 1 && line.startsWith("우편번호|")))
            continue;
        int n = 0;
        for (qsizetype from = 0;; ++n) {
            const qsizetype bar = line.indexOf('|', from);
            if (n < kTextColumns)
                fields[static_cast<size_t>(n)] = line.sliced(from, (bar < 0 ? line.size() : bar) - from);
            if (bar < 0)
                break;
            from = bar + 1;
        }
        if (n + 1 != kTextColumns)
            throw AppError(7, source,
                           u"%1번째 줄: 항목이 %2개입니다 (%3개여야 합니다)."_s.arg(lineNo).arg(n + 1).arg(kTextColumns));
        for (size_t i = 0; i < row.size(); ++i)
            row[i] = fields[static_cast<size_t>(kTextSource[i])];
        const int province = ZipcodeProvinces::indexOfName(QString::fromUtf8(fields[1]));
        PostWriter& w = writer(province, source, lineNo);
        try {
            w.add(row);
        } catch (const AppError& e) {
            throw AppError(e.number(), source, u"%1번째 줄: "_s.arg(lineNo) + e.description());
        }
    }
}

void PostImport::readMdb(const QString& path)
{
    struct MdbClose {
        void operator()(MdbHandle* h) const { mdb_close(h); }
    };
    struct TableFree {
        void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
    };
    const std::unique_ptr<MdbHandle, MdbClose> mdb(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
    if (!mdb || !mdb_read_catalog(mdb.get(), MDB_TABLE))
        throw AppError(9, path, u"Access 파일을 열 수 없습니다."_s);
    mdb_set_date_fmt(mdb.get(), "%Y-%m-%d");
    const auto openTable = [&](const char* name) {
        std::unique_ptr<MdbTableDef, TableFree> t(mdb_read_table_by_name(mdb.get(), const_cast<gchar*>(name), MDB_TABLE));
        if (!t || !mdb_read_columns(t.get()))
            throw AppError(9, path, u"%1 표가 없습니다."_s.arg(QString::fromUtf8(name)));
        mdb_rewind_table(t.get());
        return t;
    };
    // Every column is read as text into a buffer of its own; libmdb's filtering is not trusted.
    const auto bindAll = [](MdbTableDef* t, std::vector<QByteArray>& buffers, std::vector<int>& lengths) {
        buffers.assign(t->num_cols, QByteArray(MDB_BIND_SIZE, '\0'));
        lengths.assign(t->num_cols, 0);
        for (unsigned i = 0; i < t->num_cols; ++i)
            mdb_bind_column(t, static_cast<int>(i + 1), buffers[i].data(), &lengths[i]);
    };
    const auto columnIndex = [&](MdbTableDef* t, const QString& name) {
        for (unsigned i = 0; i < t->num_cols; ++i) {
            const auto* c = static_cast<MdbColumn*>(g_ptr_array_index(t->columns, i));
            if (QString::fromUtf8(c->name) == name)
                return static_cast<int>(i);
        }
        throw AppError(9, path, u"Post 표에 %1 열이 없습니다."_s.arg(name));
    };

    const auto post = openTable("Post");
    std::vector<QByteArray> buffers;
    std::vector<int> lengths;
    bindAll(post.get(), buffers, lengths);
    std::array<int, PostWriter::kColumns> source{};
    const QStringList names{u"우편번호"_s, u"시도"_s,     u"시군구"_s,     u"행정동명"_s,     u"법정동명"_s,   u"읍면"_s,
                            u"리명"_s,     u"산여부"_s,   u"지번본번"_s,   u"지번부번"_s,     u"도로명"_s,     u"지하여부"_s,
                            u"건물번호본번"_s, u"건물번호부번"_s, u"다량배달처명"_s, u"시군구용건물명"_s};
    for (size_t i = 0; i < source.size(); ++i)
        source[i] = columnIndex(post.get(), names[static_cast<qsizetype>(i)]);
    PostWriter::Row row;
    qint64 rowNo = 0;
    while (mdb_fetch_row(post.get())) {
        ++rowNo;
        for (size_t i = 0; i < row.size(); ++i) {
            const auto c = static_cast<size_t>(source[i]);
            row[i] = QByteArrayView(buffers[c].constData(), lengths[c]);
        }
        const int province = ZipcodeProvinces::indexOfName(QString::fromUtf8(row[1]));
        writer(province, path, rowNo).add(row);
    }
    QString ver;
    const auto postVer = openTable("PostVer");
    bindAll(postVer.get(), buffers, lengths);
    if (mdb_fetch_row(postVer.get()))
        ver = QString::fromUtf8(buffers[0].constData(), lengths[0]).left(10);
    if (m_writers.empty())
        throw AppError(6, path, u"주소 자료가 없습니다."_s);
    finish(ver.isEmpty() ? dateOf(QFileInfo(path).lastModified().toSecsSinceEpoch()) : ver);
}

PostWriter& PostImport::writer(int province, const QString& source, qint64 line)
{
    if (province < 0)
        throw AppError(8, source, u"%1번째 줄: 알 수 없는 시도입니다."_s.arg(line));
    std::unique_ptr<PostWriter>& w = m_writers[province];
    if (!w)
        w = std::make_unique<PostWriter>(m_folder, ZipcodeProvinces::all()[province]);
    return *w;
}

void PostImport::finish(const QString& ver)
{
    // Every file complete before the first replaces one in use.
    for (auto& [province, w] : m_writers)
        w->seal(ver);
    for (auto& [province, w] : m_writers) {
        w->install();
        m_rows[province] = w->rows();
    }
    m_writers.clear();
}

} // namespace asv
