#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringDecoder>

namespace asv {

// Reads the body of one BIFF record and the CONTINUE records after it as one sequence. Numbers
// and raw bytes run on across the record boundaries; the characters of a string restart there
// with a fresh flags byte, as the format splits long strings. Reading past the end throws Overrun.
class BiffCursor {
public:
    struct Overrun {};

    explicit BiffCursor(QList<QByteArrayView> parts);

    bool atEnd() const;
    quint8 u8();
    quint16 u16();
    quint32 u32();
    double f64();
    void skip(qsizetype count);

    // A string of the 1997 format: character count (8 or 16 bits), flags, optional run and
    // phonetic blocks, characters in Latin-1 or UTF-16.
    QString unicodeString(int countBytes);
    // A string of the 1995 format: byte count (8 or 16 bits), then bytes in the file's code page.
    QString byteString(int countBytes, QStringDecoder& codePage);

private:
    void nextPartIfDone();
    const char* take(qsizetype count);

    QList<QByteArrayView> m_parts;
    qsizetype m_part = 0;
    qsizetype m_pos = 0;
    QByteArray m_scratch;
};

} // namespace asv
