#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace asv {

// The streams of an OLE2 compound file, read from its bytes. Every sector chain is checked for
// cycles and for sectors outside the file, so a damaged or hostile file fails with
// CompoundFile::Broken instead of looping or reading past its end.
class CompoundFile {
public:
    struct Broken {
        QString reason;
    };

    // Throws Broken when the header or the directory cannot be read.
    explicit CompoundFile(QByteArray bytes);

    // Names of the streams directly in the root storage.
    QStringList rootStreams() const;
    // A root stream found by its name in any letter case; empty when absent.
    QByteArray stream(const QString& name) const;

private:
    struct Entry {
        QString name;
        int type = 0;
        uint32_t left = 0;
        uint32_t right = 0;
        uint32_t child = 0;
        uint32_t start = 0;
        uint64_t size = 0;
    };

    uint32_t u32(qsizetype offset) const;
    void readFat();
    void readDirectory();
    // Concatenated sectors of a chain in the given table; size bytes when size is given.
    QByteArray chain(const std::vector<uint32_t>& table, uint32_t start, const QByteArray& area, int sectorSize,
                     qsizetype offsetOfFirst, uint64_t size) const;
    QByteArray regularChain(uint32_t start, uint64_t size) const;
    std::vector<uint32_t> tableFrom(const QByteArray& bytes) const;
    std::vector<int> rootChildren() const;

    QByteArray m_bytes;
    int m_sectorSize = 512;
    int m_miniSectorSize = 64;
    uint32_t m_miniCutoff = 4096;
    std::vector<uint32_t> m_fat;
    std::vector<uint32_t> m_miniFat;
    QByteArray m_miniStream;
    std::vector<Entry> m_entries;
};

} // namespace asv
