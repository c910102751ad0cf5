#include "XlsReader.h"

#include "BiffCursor.h"
#include "CompoundFile.h"
#include "SheetGrid.h"

#include <QFile>
#include <QtEndian>
#include <cstring>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kBroken = u"엑셀파일의 정보를 알수 없습니다. 파일이 손상되었습니다."_s;
const QString kLocked = u"암호가 걸린 엑셀파일은 읽을 수 없습니다. 암호를 해제한 뒤 다시 시도하세요."_s;
constexpr qint64 kMaxFileSize = 512LL * 1024 * 1024;
constexpr int kMaxColumns = 256;

namespace Rec {
constexpr quint16 Bof = 0x0809;
constexpr quint16 Eof = 0x000A;
constexpr quint16 Continue = 0x003C;
constexpr quint16 FilePass = 0x002F;
constexpr quint16 CodePage = 0x0042;
constexpr quint16 DateMode = 0x0022;
constexpr quint16 BoundSheet = 0x0085;
constexpr quint16 Sst = 0x00FC;
constexpr quint16 Format = 0x041E;
constexpr quint16 Xf = 0x00E0;
constexpr quint16 Label = 0x0204;
constexpr quint16 RString = 0x00D6;
constexpr quint16 LabelSst = 0x00FD;
constexpr quint16 Rk = 0x027E;
constexpr quint16 MulRk = 0x00BD;
constexpr quint16 Number = 0x0203;
constexpr quint16 Formula = 0x0006;
constexpr quint16 String = 0x0207;
constexpr quint16 BoolErr = 0x0205;
} // namespace Rec

// Files of the 1995 format carry no character set of their own: without a CODEPAGE record
// they are in the writer's ANSI code page, which for our users is 949.
QStringDecoder codePageDecoder(int codePage)
{
    if (codePage == 10000 || codePage == 32768)
        return QStringDecoder("macintosh", QStringDecoder::Flag::Stateless);
    if (codePage == 32769 || codePage == 1252)
        return QStringDecoder("windows-1252", QStringDecoder::Flag::Stateless);
    if (codePage == 367 || codePage == 1200)
        return QStringDecoder(QStringDecoder::Latin1);
    // "CP949" reaches IBM-949 in ICU, which loses characters: the windows- name first.
    const QByteArray windows = "windows-" + QByteArray::number(codePage);
    QStringDecoder decoder(windows.constData(), QStringDecoder::Flag::Stateless);
    if (decoder.isValid())
        return decoder;
    const QByteArray cp = "cp" + QByteArray::number(codePage);
    QStringDecoder fallback(cp.constData(), QStringDecoder::Flag::Stateless);
    return fallback.isValid() ? std::move(fallback) : QStringDecoder(QStringDecoder::Latin1);
}

double rkValue(quint32 rk)
{
    double value = 0;
    if (rk & 0x02) {
        value = static_cast<qint32>(rk) >> 2;
    } else {
        const quint64 bits = static_cast<quint64>(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return (rk & 0x01) ? value / 100 : value;
}

QString errorText(quint8 code)
{
    switch (code) {
    case 0x00:
        return u"#NULL!"_s;
    case 0x07:
        return u"#DIV/0!"_s;
    case 0x0F:
        return u"#VALUE!"_s;
    case 0x17:
        return u"#REF!"_s;
    case 0x1D:
        return u"#NAME?"_s;
    case 0x24:
        return u"#NUM!"_s;
    default:
        return u"#N/A"_s;
    }
}

} // namespace

XlsReader::XlsReader(const QString& path) : m_path(path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(kCannotOpen, path, u"파일을 열 수 없습니다."_s);
    if (file.size() > kMaxFileSize)
        fail(kBrokenFile, path, kBroken + u" (파일이 너무 큽니다)"_s);

    bool namedBook = false;
    try {
        const CompoundFile ole(file.readAll());
        m_stream = ole.stream(u"Workbook"_s);
        if (m_stream.isEmpty()) {
            m_stream = ole.stream(u"Book"_s);
            namedBook = !m_stream.isEmpty();
        }
        // Newer workbooks with a password are wrapped in a compound file holding only this.
        if (m_stream.isEmpty() && ole.rootStreams().contains(u"EncryptedPackage"_s, Qt::CaseInsensitive))
            fail(kCannotOpen, path, kLocked);
    } catch (const CompoundFile::Broken& e) {
        broken(e.reason);
    }
    if (m_stream.isEmpty())
        fail(kNotSpreadsheet, path, u"엑셀파일이 아닙니다. (통합문서가 들어 있지 않은 문서 파일입니다)"_s);

    qsizetype pos = 0;
    Record bof;
    if (!nextRecord(pos, bof) || bof.body.size() < 4)
        broken();
    if (bof.type != Rec::Bof)
        fail(kNotSpreadsheet, path, u"엑셀파일이 아니거나, 지원되지 않는 버전입니다."_s);
    const quint16 version = qFromLittleEndian<quint16>(bof.body.data());
    m_biff8 = version == 0x0500 ? false : version >= 0x0600 || !namedBook;
    m_codePage = codePageDecoder(m_biff8 ? 1252 : 949);
    try {
        readGlobals();
    } catch (const BiffCursor::Overrun&) {
        broken();
    }
    if (m_sheets.isEmpty())
        broken(u"시트가 없습니다."_s);
}

void XlsReader::broken(const QString& detail) const
{
    fail(kBrokenFile, m_path, detail.isEmpty() ? kBroken : kBroken + u" ("_s + detail + u')');
}

bool XlsReader::nextRecord(qsizetype& pos, Record& record) const
{
    if (pos + 4 > m_stream.size())
        return false;
    record.type = qFromLittleEndian<quint16>(m_stream.constData() + pos);
    const quint16 length = qFromLittleEndian<quint16>(m_stream.constData() + pos + 2);
    if (pos + 4 + length > m_stream.size())
        broken(u"레코드가 잘렸습니다."_s);
    record.body = QByteArrayView(m_stream.constData() + pos + 4, length);
    pos += 4 + length;
    return true;
}

QList<QByteArrayView> XlsReader::withContinues(qsizetype& pos, QByteArrayView body) const
{
    QList<QByteArrayView> parts{body};
    qsizetype next = pos;
    Record record;
    while (nextRecord(next, record) && record.type == Rec::Continue) {
        parts.append(record.body);
        pos = next;
    }
    return parts;
}

void XlsReader::readGlobals()
{
    std::vector<qsizetype> offsets;
    std::vector<bool> worksheet;
    std::vector<int> xfFormats;
    qsizetype pos = 0;
    Record r;
    nextRecord(pos, r);
    while (nextRecord(pos, r) && r.type != Rec::Eof) {
        BiffCursor c({r.body});
        switch (r.type) {
        case Rec::FilePass:
            fail(kCannotOpen, m_path, kLocked);
        case Rec::CodePage:
            if (!m_biff8)
                m_codePage = codePageDecoder(c.u16());
            break;
        case Rec::DateMode:
            m_date1904 = c.u16() == 1;
            break;
        case Rec::BoundSheet: {
            offsets.push_back(c.u32());
            c.u8();
            worksheet.push_back(c.u8() == 0);
            const QString name = m_biff8 ? c.unicodeString(1) : c.byteString(1, m_codePage);
            if (worksheet.back())
                m_sheets.append(name);
            break;
        }
        case Rec::Sst: {
            BiffCursor strings(withContinues(pos, r.body));
            readSharedStrings(strings);
            break;
        }
        case Rec::Format: {
            const int id = c.u16();
            m_formats.insert(id, m_biff8 ? c.unicodeString(2) : c.byteString(1, m_codePage));
            break;
        }
        case Rec::Xf:
            c.u16();
            xfFormats.push_back(c.u16());
            break;
        default:
            break;
        }
    }
    for (int id : xfFormats)
        m_xfDates.push_back(dateKindOf(id, m_formats.value(id)));

    // Some writers leave the sheet offsets at zero or stale; the sheets' own BOF records, in
    // order after the globals, say where they really begin.
    std::vector<qsizetype> bofs;
    auto startsWithBof = [this](qsizetype at) {
        return at >= 4 && at + 4 <= m_stream.size() && qFromLittleEndian<quint16>(m_stream.constData() + at) == Rec::Bof;
    };
    bool scanned = false;
    for (size_t i = 0; i < offsets.size(); ++i) {
        qsizetype at = static_cast<qsizetype>(offsets[i]);
        if (!startsWithBof(at)) {
            if (!scanned) {
                int depth = 0;
                for (qsizetype p = pos, start = pos; nextRecord(p, r); start = p) {
                    if (r.type == Rec::Bof && depth++ == 0)
                        bofs.push_back(start);
                    else if (r.type == Rec::Eof && depth > 0)
                        --depth;
                }
                scanned = true;
            }
            at = i < bofs.size() ? bofs[i] : -1;
        }
        if (worksheet[i])
            m_sheetOffsets.push_back(at);
    }
}

void XlsReader::readSharedStrings(BiffCursor& cursor)
{
    cursor.u32();
    const quint32 unique = cursor.u32();
    // Writers are known to overstate the count; the records end the list.
    for (quint32 i = 0; i < unique && !cursor.atEnd(); ++i) {
        // More than a sheet can hold cells is no list a writer made.
        if (m_strings.size() >= SheetGrid::kMaxCells)
            broken(u"공유 문자열이 너무 많습니다"_s);
        m_strings.append(cursor.unicodeString(2));
    }
}

QString XlsReader::numberCell(double value, quint16 xf) const
{
    const DateKind kind = xf < m_xfDates.size() ? m_xfDates[xf] : DateKind::None;
    return serialText(value, kind, m_date1904);
}

QList<QStringList> XlsReader::readSheet(int index)
{
    if (index < 0 || index >= m_sheets.size())
        fail(kBrokenFile, m_path, u"시트를 찾을 수 없습니다: %1"_s.arg(index + 1));
    qsizetype pos = m_sheetOffsets[static_cast<size_t>(index)];
    Record r;
    if (pos < 0 || !nextRecord(pos, r) || r.type != Rec::Bof)
        broken(u"시트: "_s + m_sheets[index]);

    SheetGrid grid(m_path);
    auto put = [&grid](int row, int col, const QString& text) {
        if (col < kMaxColumns)
            grid.put(row, col, text);
    };
    int depth = 1;
    int formulaRow = -1;
    int formulaCol = -1;
    try {
        while (depth > 0 && nextRecord(pos, r)) {
            if (r.type == Rec::Bof || r.type == Rec::Eof) {
                depth += r.type == Rec::Bof ? 1 : -1;
                continue;
            }
            if (depth != 1)
                continue;
            BiffCursor c({r.body});
            switch (r.type) {
            case Rec::Label:
            case Rec::RString: {
                const int row = c.u16();
                const int col = c.u16();
                c.u16();
                put(row, col, m_biff8 ? c.unicodeString(2) : c.byteString(2, m_codePage));
                break;
            }
            case Rec::LabelSst: {
                const int row = c.u16();
                const int col = c.u16();
                c.u16();
                put(row, col, m_strings.value(static_cast<qsizetype>(c.u32())));
                break;
            }
            case Rec::Rk: {
                const int row = c.u16();
                const int col = c.u16();
                const quint16 xf = c.u16();
                put(row, col, numberCell(rkValue(c.u32()), xf));
                break;
            }
            case Rec::MulRk: {
                const int row = c.u16();
                const int first = c.u16();
                const qsizetype count = (r.body.size() - 6) / 6;
                for (qsizetype i = 0; i < count; ++i) {
                    const quint16 xf = c.u16();
                    put(row, first + static_cast<int>(i), numberCell(rkValue(c.u32()), xf));
                }
                break;
            }
            case Rec::Number: {
                const int row = c.u16();
                const int col = c.u16();
                const quint16 xf = c.u16();
                put(row, col, numberCell(c.f64(), xf));
                break;
            }
            case Rec::Formula: {
                const int row = c.u16();
                const int col = c.u16();
                const quint16 xf = c.u16();
                if (r.body.size() < 14)
                    break;
                const auto* result = reinterpret_cast<const quint8*>(r.body.data() + 6);
                formulaRow = -1;
                if (result[6] != 0xFF || result[7] != 0xFF) {
                    put(row, col, numberCell(c.f64(), xf));
                } else if (result[0] == 0) {
                    // The text of the result follows in a STRING record.
                    formulaRow = row;
                    formulaCol = col;
                } else if (result[0] == 1) {
                    put(row, col, result[2] ? u"TRUE"_s : u"FALSE"_s);
                } else if (result[0] == 2) {
                    put(row, col, errorText(result[2]));
                }
                break;
            }
            case Rec::String:
                if (formulaRow >= 0) {
                    BiffCursor text(withContinues(pos, r.body));
                    put(formulaRow, formulaCol, m_biff8 ? text.unicodeString(2) : text.byteString(2, m_codePage));
                    formulaRow = -1;
                }
                break;
            case Rec::BoolErr: {
                const int row = c.u16();
                const int col = c.u16();
                c.u16();
                const quint8 value = c.u8();
                put(row, col, c.u8() ? errorText(value) : value ? u"TRUE"_s : u"FALSE"_s);
                break;
            }
            default:
                break;
            }
        }
    } catch (const BiffCursor::Overrun&) {
        broken(u"시트: "_s + m_sheets[index]);
    }
    return grid.take();
}

} // namespace asv
