#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringEncoder>
#include <QtEndian>
#include <cstring>
#include <utility>

// Binary workbooks written byte by byte, so the tests hold files of the shapes other programs
// write: the 1995 format in a Korean code page, odd stream names, big sector sizes, stale sheet
// offsets, shared strings split over CONTINUE records.
namespace asv::test::xls {

inline QByteArray le16(int v)
{
    QByteArray b(2, '\0');
    qToLittleEndian<quint16>(static_cast<quint16>(v), b.data());
    return b;
}

inline QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(v, b.data());
    return b;
}

inline QByteArray f64(double v)
{
    QByteArray b(8, '\0');
    std::memcpy(b.data(), &v, 8);
    return b;
}

inline QByteArray record(int type, const QByteArray& body)
{
    return le16(type) + le16(static_cast<int>(body.size())) + body;
}

inline QByteArray cp949(const QString& text)
{
    QStringEncoder enc("windows-949");
    return enc.encode(text);
}

inline QByteArray utf16(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// A string of the 1997 format with a count of countBytes bytes, stored wide.
inline QByteArray wideString(const QString& text, int countBytes = 2)
{
    return (countBytes == 1 ? QByteArray(1, static_cast<char>(text.size())) : le16(static_cast<int>(text.size())))
        + QByteArray(1, '\x01') + utf16(text);
}

inline QByteArray bof(int version, int kind)
{
    return record(0x0809, le16(version) + le16(kind) + QByteArray(version == 0x0600 ? 12 : 4, '\0'));
}

inline QByteArray eof()
{
    return record(0x000A, {});
}

inline QByteArray cell(int row, int col, int xf = 0)
{
    return le16(row) + le16(col) + le16(xf);
}

// An SST record with its CONTINUE records, each as long as the format allows. A string that
// does not fit goes on in the next record with a flags byte; its rest is written wide even when
// it began as Latin-1, as Excel does when the rest holds wide characters.
inline QByteArray sharedStrings(const QList<QString>& strings)
{
    constexpr int limit = 8224;
    QList<QByteArray> bodies{le32(static_cast<quint32>(strings.size())) + le32(static_cast<quint32>(strings.size()))};
    for (const QString& s : strings) {
        bool latin = true;
        for (QChar ch : s)
            latin = latin && ch.unicode() < 0x100;
        if (limit - bodies.last().size() < 4)
            bodies.append(QByteArray());
        bodies.last() += le16(static_cast<int>(s.size())) + QByteArray(1, latin ? '\0' : '\x01');
        qsizetype done = 0;
        bool wide = !latin;
        while (done < s.size()) {
            const qsizetype room = (limit - bodies.last().size()) / (wide ? 2 : 1);
            if (room <= 0) {
                wide = true;
                bodies.append(QByteArray(1, '\x01'));
                continue;
            }
            const QString part = s.mid(done, room);
            bodies.last() += wide ? utf16(part) : part.toLatin1();
            done += part.size();
        }
    }
    QByteArray out = record(0x00FC, bodies.first());
    for (qsizetype i = 1; i < bodies.size(); ++i)
        out += record(0x003C, bodies[i]);
    return out;
}

// A compound file holding the given streams in the root storage. Streams under 4 KB go into the
// mini stream, as writers put small workbooks.
struct Compound {
    QByteArray bytes;
    qsizetype fatOffset = 0;       // byte offset of the first FAT sector
    quint32 directorySector = 0;   // the directory's only sector
    qsizetype directoryOffset = 0; // entry 0 is the root, the streams follow in order
};

inline Compound compoundFile(const QList<std::pair<QString, QByteArray>>& streams, int sectorSize = 512)
{
    constexpr quint32 kEnd = 0xFFFFFFFE;
    constexpr quint32 kNone = 0xFFFFFFFF;
    auto padded = [](QByteArray b, int unit) { return b + QByteArray((unit - b.size() % unit) % unit, '\0'); };
    auto chainOf = [](QList<quint32>& table, quint32 first, int count) {
        for (int k = 0; k < count; ++k)
            table.append(k + 1 < count ? first + static_cast<quint32>(k) + 1 : kEnd);
    };

    QList<quint32> miniFat;
    QByteArray mini;
    QList<quint32> starts;
    QList<QByteArray> blobs; // regular chains after the directory: mini FAT, mini stream, big streams
    for (const auto& s : streams) {
        if (s.second.size() < 4096) {
            starts.append(static_cast<quint32>(mini.size() / 64));
            chainOf(miniFat, starts.last(), static_cast<int>((s.second.size() + 63) / 64));
            mini += padded(s.second, 64);
        } else {
            starts.append(kNone);
        }
    }
    QByteArray miniFatBytes;
    for (quint32 v : miniFat)
        miniFatBytes += le32(v);
    blobs.append(padded(miniFatBytes, sectorSize));
    blobs.append(padded(mini, sectorSize));
    for (const auto& s : streams) {
        if (s.second.size() >= 4096)
            blobs.append(padded(s.second, sectorSize));
    }
    int regularSectors = 1; // the directory
    for (const QByteArray& b : blobs)
        regularSectors += static_cast<int>(b.size() / sectorSize);
    const int perSector = sectorSize / 4;
    const int fatSectors = (regularSectors + perSector) / (perSector - 1) + 1;

    QList<quint32> fat(fatSectors, 0xFFFFFFFD);
    const quint32 dirSector = static_cast<quint32>(fatSectors);
    fat.append(kEnd);
    QList<quint32> blobStarts;
    for (const QByteArray& b : blobs) {
        const int n = static_cast<int>(b.size() / sectorSize);
        blobStarts.append(n > 0 ? static_cast<quint32>(fat.size()) : kEnd);
        chainOf(fat, static_cast<quint32>(fat.size()), n);
    }
    while (fat.size() < fatSectors * perSector)
        fat.append(kNone);

    QByteArray dir;
    auto entry = [&dir](const QString& name, int type, quint32 right, quint32 child, quint32 start, qsizetype size) {
        QByteArray e(128, '\0');
        std::memcpy(e.data(), name.utf16(), static_cast<size_t>(name.size() * 2));
        qToLittleEndian<quint16>(static_cast<quint16>((name.size() + 1) * 2), e.data() + 0x40);
        e[0x42] = static_cast<char>(type);
        qToLittleEndian<quint32>(kNone, e.data() + 0x44);
        qToLittleEndian<quint32>(right, e.data() + 0x48);
        qToLittleEndian<quint32>(child, e.data() + 0x4C);
        qToLittleEndian<quint32>(start, e.data() + 0x74);
        qToLittleEndian<quint32>(static_cast<quint32>(size), e.data() + 0x78);
        dir += e;
    };
    entry(QStringLiteral("Root Entry"), 5, kNone, streams.isEmpty() ? kNone : 1, blobStarts[1], mini.size());
    qsizetype big = 2;
    for (qsizetype i = 0; i < streams.size(); ++i) {
        const quint32 right = i + 1 < streams.size() ? static_cast<quint32>(i + 2) : kNone;
        const quint32 start = starts[i] != kNone ? starts[i] : blobStarts[big++];
        entry(streams[i].first, 2, right, kNone, start, streams[i].second.size());
    }

    QByteArray header(sectorSize, '\0');
    std::memcpy(header.data(), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    qToLittleEndian<quint16>(0x3E, header.data() + 0x18);
    qToLittleEndian<quint16>(sectorSize == 4096 ? 4 : 3, header.data() + 0x1A);
    qToLittleEndian<quint16>(0xFFFE, header.data() + 0x1C);
    qToLittleEndian<quint16>(sectorSize == 4096 ? 12 : 9, header.data() + 0x1E);
    qToLittleEndian<quint16>(6, header.data() + 0x20);
    qToLittleEndian<quint32>(static_cast<quint32>(fatSectors), header.data() + 0x2C);
    qToLittleEndian<quint32>(dirSector, header.data() + 0x30);
    qToLittleEndian<quint32>(4096, header.data() + 0x38);
    qToLittleEndian<quint32>(blobStarts[0], header.data() + 0x3C);
    qToLittleEndian<quint32>(static_cast<quint32>(miniFatBytes.size() + sectorSize - 1) / sectorSize, header.data() + 0x40);
    qToLittleEndian<quint32>(kEnd, header.data() + 0x44);
    for (int i = 0; i < 109; ++i)
        qToLittleEndian<quint32>(i < fatSectors ? static_cast<quint32>(i) : kNone, header.data() + 0x4C + i * 4);

    QByteArray fatBytes;
    for (quint32 v : fat)
        fatBytes += le32(v);
    Compound out;
    out.fatOffset = sectorSize;
    out.directorySector = dirSector;
    out.directoryOffset = sectorSize + fatBytes.size();
    out.bytes = header + fatBytes + padded(dir, sectorSize);
    for (const QByteArray& b : blobs)
        out.bytes += b;
    return out;
}

// A workbook of the 1997 format: one sheet per entry, cells as shared strings.
// With staleOffsets the sheet offsets are left at zero, as some writers leave them.
inline QByteArray biff8Workbook(const QList<std::pair<QString, QList<QStringList>>>& sheets,
                                bool staleOffsets = false)
{
    QList<QString> strings;
    QList<QByteArray> sheetBodies;
    for (const auto& sheet : sheets) {
        QByteArray body = bof(0x0600, 0x0010);
        for (qsizetype r = 0; r < sheet.second.size(); ++r) {
            for (qsizetype c = 0; c < sheet.second[r].size(); ++c) {
                if (sheet.second[r][c].isEmpty())
                    continue;
                body += record(0x00FD, cell(static_cast<int>(r), static_cast<int>(c))
                                           + le32(static_cast<quint32>(strings.size())));
                strings.append(sheet.second[r][c]);
            }
        }
        sheetBodies.append(body + eof());
    }
    auto globals = [&](const QList<quint32>& offsets) {
        QByteArray g = bof(0x0600, 0x0005) + record(0x0042, le16(1200));
        for (qsizetype i = 0; i < sheets.size(); ++i)
            g += record(0x0085, le32(offsets.value(i)) + le16(0) + wideString(sheets[i].first, 1));
        return g + sharedStrings(strings) + eof();
    };
    QList<quint32> offsets;
    quint32 at = static_cast<quint32>(globals(QList<quint32>(sheets.size(), 0)).size());
    for (const QByteArray& b : sheetBodies) {
        offsets.append(at);
        at += static_cast<quint32>(b.size());
    }
    QByteArray out = globals(staleOffsets ? QList<quint32>() : offsets);
    for (const QByteArray& b : sheetBodies)
        out += b;
    return out;
}

} // namespace asv::test::xls
