#include "CompoundFile.h"

#include <QtEndian>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kNoStream = 0xFFFFFFFF;
constexpr int kHeaderDifatEntries = 109;
constexpr int kEntrySize = 128;
constexpr int kStreamType = 2;
constexpr int kRootType = 5;
constexpr uint64_t kUnknownSize = UINT64_MAX;

} // namespace

CompoundFile::CompoundFile(QByteArray bytes) : m_bytes(std::move(bytes))
{
    if (m_bytes.size() < 512 || !m_bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        throw Broken{u"OLE 머리글이 없습니다."_s};
    const int sectorShift = qFromLittleEndian<quint16>(m_bytes.constData() + 0x1E);
    const int miniShift = qFromLittleEndian<quint16>(m_bytes.constData() + 0x20);
    if ((sectorShift != 9 && sectorShift != 12) || miniShift < 6 || miniShift >= sectorShift)
        throw Broken{u"섹터 크기가 잘못되었습니다."_s};
    m_sectorSize = 1 << sectorShift;
    m_miniSectorSize = 1 << miniShift;
    m_miniCutoff = u32(0x38);
    readFat();
    readDirectory();
}

uint32_t CompoundFile::u32(qsizetype offset) const
{
    return qFromLittleEndian<quint32>(m_bytes.constData() + offset);
}

std::vector<uint32_t> CompoundFile::tableFrom(const QByteArray& bytes) const
{
    std::vector<uint32_t> table(static_cast<size_t>(bytes.size() / 4));
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = qFromLittleEndian<quint32>(bytes.constData() + i * 4);
    return table;
}

void CompoundFile::readFat()
{
    const uint32_t fatSectors = u32(0x2C);
    // A count beyond the sectors the file holds would only make us allocate for a lie.
    const qsizetype sectorsInFile = m_bytes.size() / m_sectorSize;
    if (fatSectors == 0 || fatSectors > static_cast<uint32_t>(sectorsInFile))
        throw Broken{u"할당표 크기가 잘못되었습니다."_s};

    std::vector<uint32_t> fatSectorIds;
    for (int i = 0; i < kHeaderDifatEntries && fatSectorIds.size() < fatSectors; ++i)
        fatSectorIds.push_back(u32(0x4C + i * 4));
    uint32_t difat = u32(0x44);
    std::vector<bool> seen(static_cast<size_t>(sectorsInFile) + 1, false);
    const int perDifat = m_sectorSize / 4 - 1;
    while (fatSectorIds.size() < fatSectors) {
        if (difat >= static_cast<uint32_t>(sectorsInFile) || seen[difat])
            throw Broken{u"할당표 목록이 잘못되었습니다."_s};
        seen[difat] = true;
        const qsizetype base = static_cast<qsizetype>(difat + 1) * m_sectorSize;
        if (base + m_sectorSize > m_bytes.size())
            throw Broken{u"파일이 잘렸습니다."_s};
        for (int i = 0; i < perDifat && fatSectorIds.size() < fatSectors; ++i)
            fatSectorIds.push_back(u32(base + i * 4));
        difat = u32(base + perDifat * 4);
    }

    QByteArray fat;
    fat.reserve(static_cast<qsizetype>(fatSectors) * m_sectorSize);
    for (uint32_t id : fatSectorIds) {
        const qsizetype offset = (static_cast<qsizetype>(id) + 1) * m_sectorSize;
        if (id >= static_cast<uint32_t>(sectorsInFile) || offset + m_sectorSize > m_bytes.size())
            throw Broken{u"할당표가 파일 밖을 가리킵니다."_s};
        fat.append(m_bytes.constData() + offset, m_sectorSize);
    }
    m_fat = tableFrom(fat);
}

QByteArray CompoundFile::chain(const std::vector<uint32_t>& table, uint32_t start, const QByteArray& area,
                               int sectorSize, qsizetype offsetOfFirst, uint64_t size) const
{
    QByteArray out;
    std::vector<bool> seen(table.size(), false);
    for (uint32_t sector = start; sector != kEndOfChain && static_cast<uint64_t>(out.size()) < size;
         sector = table[sector]) {
        if (sector >= table.size())
            throw Broken{u"섹터 번호가 범위를 벗어났습니다."_s};
        if (seen[sector])
            throw Broken{u"섹터 연결이 순환합니다."_s};
        seen[sector] = true;
        const qsizetype offset = offsetOfFirst + static_cast<qsizetype>(sector) * sectorSize;
        if (offset >= area.size())
            throw Broken{u"파일이 잘렸습니다."_s};
        out.append(area.constData() + offset, std::min<qsizetype>(sectorSize, area.size() - offset));
    }
    if (size == kUnknownSize)
        return out;
    if (static_cast<uint64_t>(out.size()) < size)
        throw Broken{u"파일이 잘렸습니다."_s};
    out.truncate(static_cast<qsizetype>(size));
    return out;
}

QByteArray CompoundFile::regularChain(uint32_t start, uint64_t size) const
{
    return chain(m_fat, start, m_bytes, m_sectorSize, m_sectorSize, size);
}

void CompoundFile::readDirectory()
{
    const QByteArray dir = regularChain(u32(0x30), kUnknownSize);
    const bool version4 = m_sectorSize == 4096;
    for (qsizetype base = 0; base + kEntrySize <= dir.size(); base += kEntrySize) {
        const char* e = dir.constData() + base;
        Entry entry;
        const int nameBytes = std::min<int>(qFromLittleEndian<quint16>(e + 0x40), 64);
        entry.name = QString::fromUtf16(reinterpret_cast<const char16_t*>(e), std::max(0, nameBytes / 2 - 1));
        entry.type = static_cast<unsigned char>(e[0x42]);
        entry.left = qFromLittleEndian<quint32>(e + 0x44);
        entry.right = qFromLittleEndian<quint32>(e + 0x48);
        entry.child = qFromLittleEndian<quint32>(e + 0x4C);
        entry.start = qFromLittleEndian<quint32>(e + 0x74);
        // Version 3 files may carry garbage in the high half of the size.
        entry.size = version4 ? qFromLittleEndian<quint64>(e + 0x78) : qFromLittleEndian<quint32>(e + 0x78);
        m_entries.push_back(entry);
    }
    if (m_entries.empty() || m_entries[0].type != kRootType)
        throw Broken{u"디렉터리가 잘못되었습니다."_s};

    const uint32_t miniFatStart = u32(0x3C);
    if (miniFatStart != kEndOfChain && miniFatStart != kNoStream)
        m_miniFat = tableFrom(regularChain(miniFatStart, kUnknownSize));
    if (m_entries[0].size > 0)
        m_miniStream = regularChain(m_entries[0].start, m_entries[0].size);
}

std::vector<int> CompoundFile::rootChildren() const
{
    std::vector<int> found;
    std::vector<bool> seen(m_entries.size(), false);
    std::vector<uint32_t> pending{m_entries[0].child};
    while (!pending.empty()) {
        const uint32_t id = pending.back();
        pending.pop_back();
        if (id >= m_entries.size() || seen[id])
            continue;
        seen[id] = true;
        found.push_back(static_cast<int>(id));
        pending.push_back(m_entries[id].left);
        pending.push_back(m_entries[id].right);
    }
    return found;
}

QStringList CompoundFile::rootStreams() const
{
    QStringList names;
    for (int id : rootChildren()) {
        if (m_entries[static_cast<size_t>(id)].type == kStreamType)
            names.append(m_entries[static_cast<size_t>(id)].name);
    }
    return names;
}

QByteArray CompoundFile::stream(const QString& name) const
{
    for (int id : rootChildren()) {
        const Entry& e = m_entries[static_cast<size_t>(id)];
        if (e.type != kStreamType || e.name.compare(name, Qt::CaseInsensitive) != 0 || e.size == 0)
            continue;
        if (e.size < m_miniCutoff)
            return chain(m_miniFat, e.start, m_miniStream, m_miniSectorSize, 0, e.size);
        return regularChain(e.start, e.size);
    }
    return {};
}

} // namespace asv
