#include "GridFixtures.h"
#include "Mutator.h"
#include "WorkbookFixtures.h"
#include "RecordSet.h"

#include <QElapsedTimer>
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>
#include <zip.h>
#include <zlib.h>

using namespace Qt::StringLiterals;
using namespace asv;
using namespace asv::test::xls;
using asv::test::readError;
using asv::test::TempProgramFolder;
using asv::test::writeFile;

namespace {

// A workbook stream of the 1997 format with every kind of cell record the reader knows.
QByteArray everyCellKindBiff8()
{
    QByteArray sheet = bof(0x0600, 0x0010);
    sheet += record(0x00FD, cell(0, 0) + le32(0));
    sheet += record(0x0204, cell(0, 1) + wideString(u"똠방각하"_s));
    sheet += record(0x027E, cell(1, 0, 1) + le32((45382u << 2) | 2u));
    sheet += record(0x00BD, le16(1) + le16(1) + le16(0) + le32((7u << 2) | 2u) + le16(0) + le32((1250u << 2) | 3u) + le16(2));
    sheet += record(0x0203, cell(2, 0) + f64(12.5));
    sheet += record(0x0006, cell(2, 1) + QByteArray("\0\0\0\0\0\0\xFF\xFF", 8) + QByteArray(6, '\0'));
    sheet += record(0x0207, wideString(u"수식값"_s));
    sheet += record(0x0205, cell(2, 2) + QByteArray("\x07\x01", 2));
    sheet += record(0x0006, cell(3, 0) + f64(3) + QByteArray(6, '\0'));
    sheet += eof();
    auto globals = [&](quint32 offset) {
        return bof(0x0600, 0x0005) + record(0x0022, le16(0))
            + record(0x041E, le16(164) + wideString(u"yyyy-mm-dd"_s))
            + record(0x00E0, le16(0) + le16(0) + QByteArray(16, '\0'))
            + record(0x00E0, le16(0) + le16(164) + QByteArray(16, '\0'))
            + record(0x0085, le32(offset) + le16(0) + wideString(u"고객"_s, 1))
            + sharedStrings({u"(주)한빛전자"_s, u"memo"_s}) + eof();
    };
    return globals(static_cast<quint32>(globals(0).size())) + sheet;
}

// Parts of a package as (name, bytes), written stored or packed.
using Parts = QList<std::pair<QByteArray, QByteArray>>;

void writePackage(const QString& path, const Parts& parts, zip_int32_t method = ZIP_CM_STORE)
{
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(z, nullptr);
    for (const auto& [name, data] : parts) {
        zip_source_t* src = zip_source_buffer(z, data.constData(), static_cast<zip_uint64_t>(data.size()), 0);
        const zip_int64_t index = zip_file_add(z, name.constData(), src, ZIP_FL_ENC_RAW | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(src);
            continue; // a name the mutation made unusable, e.g. empty
        }
        zip_set_file_compression(z, static_cast<zip_uint64_t>(index), method, 1);
    }
    ASSERT_EQ(zip_close(z), 0) << zip_strerror(z);
}

const QByteArray kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const QByteArray kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// Every kind of cell and style, and a second sheet under an absolute name. The first sheet's part
// comes last, for tests that replace its cells.
Parts goodPackage(const QByteArray& sheetTarget = "worksheets/sheet1.xml")
{
    const QByteArray ns = "<worksheet xmlns=\"" + kMain + "\"><sheetData>";
    return {{"[Content_Types].xml", "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"},
            {"_rels/.rels", "<Relationships><Relationship Id=\"r1\" Type=\"" + kRel
                                + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
            {"xl/workbook.xml", "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel
                                    + R"("><workbookPr date1904="0"/><sheets><sheet name="고객" sheetId="1" r:id="s1"/>)"
                                      R"(<sheet name="둘째" sheetId="2" r:id="s4"/></sheets></workbook>)"},
            {"xl/_rels/workbook.xml.rels",
             "<Relationships><Relationship Id=\"s1\" Type=\"" + kRel + "/worksheet\" Target=\"" + sheetTarget
                 + "\"/><Relationship Id=\"s2\" Type=\"" + kRel
                 + "/sharedStrings\" Target=\"sharedStrings.xml\"/><Relationship Id=\"s3\" Type=\"" + kRel
                 + "/styles\" Target=\"styles.xml\"/><Relationship Id=\"s4\" Type=\"" + kRel
                 + "/worksheet\" Target=\"/xl/worksheets/other.xml\"/></Relationships>"},
            {"xl/sharedStrings.xml", "<sst xmlns=\"" + kMain
                                         + R"("><si><t>홍길동</t></si><si><r><t>(주)</t></r><r><rPr><b/></rPr><t>한빛</t>)"
                                           R"(</r><rPh><t>ハン</t></rPh></si><si><t xml:space="preserve"> 공백 </t></si></sst>)"},
            // Cell styles count in cellXfs only; "원" makes no date, "h:mm" a time.
            {"xl/styles.xml", "<styleSheet xmlns=\"" + kMain
                                  + R"("><numFmts><numFmt numFmtId="164" formatCode="yyyy&quot;년&quot; mm&quot;월&quot; )"
                                    R"(dd&quot;일&quot;"/><numFmt numFmtId="165" formatCode="#,##0&quot;원&quot;"/>)"
                                    R"(<numFmt numFmtId="166" formatCode="h:mm"/></numFmts><cellStyleXfs><xf numFmtId="14"/>)"
                                    R"(</cellStyleXfs><cellXfs><xf numFmtId="0"/><xf numFmtId="164"/><xf numFmtId="22"/>)"
                                    R"(<xf numFmtId="166"/><xf numFmtId="165"/><xf numFmtId="14"/></cellXfs></styleSheet>)"},
            {"xl/worksheets/other.xml", ns + R"(<row r="1"><c r="B1"><v>7</v></c></row></sheetData></worksheet>)"},
            {"xl/worksheets/sheet1.xml",
             ns + R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" s="1"><v>45382</v>)"
                  R"(</c></row><row r="3"><c r="B3" t="inlineStr"><is><t>인라인</t></is></c><c t="b"><v>1</v></c>)"
                  R"(<c r="E3" t="e"><v>#N/A</v></c><c r="F3"><v>1.5E3</v></c></row><row r="4"><c r="A4" s="2">)"
                  R"(<v>45382.75</v></c><c r="B4" s="3"><v>0.5</v></c><c r="C4" s="4"><v>1500</v></c><c r="D4" )"
                  R"(t="str"><f>A1</f><v>수식결과</v></c><c r="E4"><v>0.30000000000000004</v></c><c r="F4" t="s">)"
                  R"(<v>2</v></c><c r="G4" s="5"><v>45382</v></c></row><row r="9"><c r="A9" s="1"/><c r="B9"><v>)"
                  R"(</v></c></row></sheetData></worksheet>)"}};
}

// Parts flattened to one text, so that a mutation may hit a name as well as a body.
QByteArray flattened(const Parts& parts)
{
    QByteArray out;
    for (const auto& [name, data] : parts)
        out += name + '\0' + data + '\0';
    return out;
}

Parts unflattened(const QByteArray& bytes)
{
    const QList<QByteArray> pieces = bytes.split('\0');
    Parts parts;
    for (qsizetype i = 0; i + 1 < pieces.size(); i += 2)
        parts.append({pieces[i], pieces[i + 1]});
    return parts;
}

} // namespace

TEST(SpreadsheetFuzz, FuzzedXlsFilesAreReadOrRefusedClearly)
{
    TempProgramFolder home;
    const QString path = home.path(u"fuzz.xls"_s);
    const QByteArray biff8 = everyCellKindBiff8();
    const QByteArray biff5 = asv::test::koreanBiff5Workbook();
    writeFile(path, compoundFile({{u"Workbook"_s, biff8}}).bytes);
    ASSERT_EQ(SpreadsheetReader::open(path)->readSheet(0),
              (QList<QStringList>{{u"(주)한빛전자"_s, u"똠방각하"_s, u""_s},
                                  {u"2024-03-31"_s, u"7"_s, u"12.5"_s},
                                  {u"12.5"_s, u"수식값"_s, u"#DIV/0!"_s},
                                  {u"3"_s, u""_s, u""_s}}));

    // Records damaged inside a sound container reach the record reader; damaged containers the
    // sector chains. Big streams use regular sectors, small ones the mini stream.
    test::Mutator streams({biff8, biff5, biff8 + QByteArray(5000, '\0')});
    streams.run(1500, [&](const QByteArray& stream) {
        writeFile(path, compoundFile({{stream.size() % 2 ? u"Book"_s : u"Workbook"_s, stream}}).bytes);
        readError(path);
    });
    test::Mutator files({compoundFile({{u"Workbook"_s, biff8}}).bytes,
                         compoundFile({{u"Book"_s, biff5 + QByteArray(5000, '\0')}}, 4096).bytes});
    files.run(1500, [&](const QByteArray& bytes) {
        writeFile(path, bytes);
        readError(path);
    });
}

TEST(SpreadsheetFuzz, FuzzedXlsxPackagesAreReadOrRefusedClearly)
{
    TempProgramFolder home;
    const QString path = home.path(u"fuzz.xlsx"_s);
    writePackage(path, goodPackage());
    auto reader = SpreadsheetReader::open(path);
    EXPECT_EQ(reader->sheetNames(), (QStringList{u"고객"_s, u"둘째"_s}));
    ASSERT_EQ(reader->readSheet(0),
              (QList<QStringList>{{u"홍길동"_s, u"(주)한빛"_s, u"2024-03-31"_s, u""_s, u""_s, u""_s, u""_s},
                                  QStringList(7),
                                  {u""_s, u"인라인"_s, u"TRUE"_s, u""_s, u"#N/A"_s, u"1500"_s, u""_s},
                                  {u"2024-03-31 18:00:00"_s, u"12:00:00"_s, u"1500"_s, u"수식결과"_s, u"0.3"_s,
                                   u" 공백 "_s, u"2024-03-31"_s}}));
    EXPECT_EQ(reader->readSheet(1), (QList<QStringList>{{u""_s, u"7"_s}}));

    // Parts of the wrong type where a sheet should be: the styles, the workbook itself, a picture.
    Parts picture = goodPackage("media/image1.png");
    picture.append({"xl/media/image1.png", QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(64, '\x01')});
    test::Mutator packages({flattened(goodPackage()), flattened(goodPackage("styles.xml")),
                            flattened(goodPackage("workbook.xml")), flattened(picture)});
    packages.run(1200, [&](const QByteArray& flat) {
        writePackage(path, unflattened(flat));
        readError(path);
    });
    writePackage(home.path(u"good.xlsx"_s), goodPackage(), ZIP_CM_DEFLATE);
    QFile packed(home.path(u"good.xlsx"_s));
    ASSERT_TRUE(packed.open(QIODevice::ReadOnly));
    test::Mutator containers({packed.readAll()});
    containers.run(800, [&](const QByteArray& bytes) {
        writeFile(path, bytes);
        readError(path);
    });
}

namespace {

// A package whose sheet part unpacks to 3.75 GB of blanks from a few megabytes. The packed data
// is built from one flushed block repeated, so the test need not compress gigabytes; the stated
// size is the true one or, with a lie, a small one.
void writeZipBomb(const QString& path, quint32 statedSheetSize)
{
    const QByteArray head = "<worksheet xmlns=\"" + kMain + "\"><sheetData>";
    const QByteArray tail = "</sheetData></worksheet>";
    const QByteArray blanks(1 << 20, ' ');
    constexpr int repeats = 3840;

    z_stream z{};
    ASSERT_EQ(deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY), Z_OK);
    auto pack = [&z](const QByteArray& in, int flush) {
        QByteArray out(static_cast<qsizetype>(deflateBound(&z, static_cast<uLong>(in.size())) + 64), '\0');
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
        z.avail_in = static_cast<uInt>(in.size());
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = static_cast<uInt>(out.size());
        deflate(&z, flush);
        out.truncate(out.size() - z.avail_out);
        return out;
    };
    const QByteArray packedHead = pack(head, Z_FULL_FLUSH);
    const QByteArray packedBlanks = pack(blanks, Z_FULL_FLUSH);
    const QByteArray packedTail = pack(tail, Z_FINISH);
    deflateEnd(&z);
    const QByteArray sheetData = packedHead + packedBlanks.repeated(repeats) + packedTail;
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(head.constData()), static_cast<uInt>(head.size()));
    const uLong blanksCrc = crc32(0, reinterpret_cast<const Bytef*>(blanks.constData()), static_cast<uInt>(blanks.size()));
    for (int i = 0; i < repeats; ++i)
        crc = crc32_combine(crc, blanksCrc, blanks.size());
    crc = crc32(crc, reinterpret_cast<const Bytef*>(tail.constData()), static_cast<uInt>(tail.size()));

    // Written stored, then marked as packed with the unpacked data's checksum and the stated size:
    // the method field sits 22 bytes before the name in the local header, 36 in the central one.
    const QByteArray name = "xl/worksheets/sheet1.xml";
    writePackage(path, {{"xl/workbook.xml", "<workbook xmlns=\"" + kMain + "\"><sheets><sheet name=\"폭탄\" sheetId=\"1\"/>"
                                            "</sheets></workbook>"},
                        {name, sheetData}});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray zip = file.readAll();
    file.close();
    for (const qsizetype method : {zip.indexOf(name) - 22, zip.lastIndexOf(name) - 36}) {
        qToLittleEndian<quint16>(8, zip.data() + method);
        qToLittleEndian<quint32>(static_cast<quint32>(crc), zip.data() + method + 6);
        qToLittleEndian<quint32>(statedSheetSize, zip.data() + method + 14);
    }
    writeFile(path, zip);
}

} // namespace

TEST(SpreadsheetFuzz, AZipBombIsRefusedBeforeItIsUnpacked)
{
    TempProgramFolder home;
    const QString path = home.path(u"bomb.xlsx"_s);
    writeZipBomb(path, 0xF0000000u + 100u);
    QElapsedTimer clock;
    clock.start();
    auto reader = SpreadsheetReader::open(path);
    try {
        reader->readSheet(0);
        ADD_FAILURE() << "read";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), SpreadsheetReader::kBrokenFile);
        EXPECT_TRUE(e.description().contains(u"xl/worksheets/sheet1.xml 부분이 너무 큽니다: 압축을 풀면 3840 MB"_s))
            << e.description().toStdString();
    }
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_THROW(reader->readSheet(0), AppError) << "asked again, the package closed by the refusal";

    // Stating a small size does not make the reader unpack more than it was told.
    writeZipBomb(path, 1 << 20);
    EXPECT_NE(readError(path), -1);
}

TEST(SpreadsheetFuzz, HostileCellPositionsAreRefusedWithTheLimitTheyBreak)
{
    TempProgramFolder home;
    const QString path = home.path(u"far.xlsx"_s);
    const struct {
        const char* cells;
        const char16_t* message;
    } cases[] = {
        {"<row r=\"1048577\"><c><v>1</v></c></row>", u"행이 너무 많습니다. (최대 1,048,576행)"},
        {"<row><c r=\"A99999999999999999999\"><v>1</v></c></row>", nullptr},
        {"<row><c r=\"XFE1\"><v>1</v></c></row>", u"열이 너무 많습니다. (최대 16,384열)"},
        {"<row><c r=\"ZZZZZZZZZZZZZZ7\"><v>1</v></c></row>", nullptr},
        {"<row><c r=\"Q1\"><v>1</v></c></row><row r=\"1048576\"><c><v>2</v></c></row>",
         u"자료가 너무 많습니다: 1,048,576행 × 17열 (최대 16,777,216칸)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cells);
        Parts parts = goodPackage();
        parts.last().second = "<worksheet xmlns=\"" + kMain + "\"><sheetData>" + c.cells + "</sheetData></worksheet>";
        writePackage(path, parts);
        try {
            const QList<QStringList> rows = SpreadsheetReader::open(path)->readSheet(0);
            EXPECT_EQ(c.message, nullptr) << "read " << rows.size() << " rows";
        } catch (const AppError& e) {
            ASSERT_NE(c.message, nullptr) << e.description().toStdString();
            EXPECT_TRUE(e.description().contains(QString::fromUtf16(c.message))) << e.description().toStdString();
        }
    }
}

namespace {

qint64 statusKilobytes(const char* field)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

// Peak memory taken while reading the file, in megabytes, and the rows read.
qint64 peakMegabytesReading(const QString& path, QList<QStringList>* rows)
{
    QFile clear(u"/proc/self/clear_refs"_s);
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5"); // starts the peak afresh
    clear.close();
    const qint64 before = statusKilobytes("VmRSS:");
    QElapsedTimer clock;
    clock.start();
    *rows = SpreadsheetReader::open(path)->readSheet(0);
    std::fprintf(stderr, "%s: %lld ms\n", qPrintable(path), clock.elapsed());
    return (statusKilobytes("VmHWM:") - before) >> 10;
}

} // namespace

// The largest sheet the newer format holds, as an import would meet it: read whole, in memory
// that grows with the cells and not with what the file claims.
TEST(SpreadsheetFuzz, AMillionRowsAreReadInBoundedMemory)
{
    TempProgramFolder home;
    constexpr int count = 1000000;
    auto row = [](int n) {
        return QByteArray::number(n).rightJustified(10, '0') + "|(주)한빛전자 " + QByteArray::number(n) + "|010-"
            + QByteArray::number(1000 + n % 9000) + "-5432";
    };
    QByteArray csv;
    QByteArray sheet = "<worksheet xmlns=\"" + kMain + "\"><sheetData>";
    for (int n = 1; n <= count; ++n) {
        const QList<QByteArray> cells = row(n).split('|');
        csv += cells.join(',') + '\n';
        sheet += "<row><c><v>" + QByteArray::number(n) + "</v></c><c t=\"s\"><v>" + QByteArray::number(n % 2)
            + "</v></c><c t=\"inlineStr\"><is><t>" + cells[2] + "</t></is></c></row>";
    }
    writeFile(home.path(u"million.csv"_s), csv);
    csv = {};
    Parts parts = goodPackage();
    parts.last().second = sheet + "</sheetData></worksheet>";
    sheet = {};
    writePackage(home.path(u"million.xlsx"_s), parts, ZIP_CM_DEFLATE);
    parts = {};

    for (const QString& name : {u"million.csv"_s, u"million.xlsx"_s}) {
        SCOPED_TRACE(name.toStdString());
        QList<QStringList> rows;
        // About 64 bytes a cell; the files are 40 MB as text and 90 MB as XML.
        EXPECT_LT(peakMegabytesReading(home.path(name), &rows), 600);
        ASSERT_EQ(rows.size(), count);
        EXPECT_EQ(rows.last(), (QStringList{name.endsWith(u"csv"_s) ? u"0001000000"_s : u"1000000"_s,
                                            name.endsWith(u"csv"_s) ? u"(주)한빛전자 1000000"_s : u"홍길동"_s,
                                            u"010-2000-5432"_s}));
    }
}

// Text files in any encoding, with quotes, NULs and very long lines. Cells written with the usual
// quoting come back as they were, whatever characters they hold and whatever the encoding.
TEST(SpreadsheetFuzz, FuzzedCsvFilesAreReadOrRefusedClearly)
{
    TempProgramFolder home;
    const QString path = home.path(u"fuzz.csv"_s);
    const QString sample = u"코드,상호,비고\r\n000001,\"(주)한빛, 본점\",\"따옴표 \"\"안\"\"\"\n000002,똠방각하,\"두\n줄\"\n"_s;
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    test::Mutator files({"\xEF\xBB\xBF" + sample.toUtf8(), cp949(sample), utf16.encode(sample),
                         "a\tb\n1\t\"2\t3\"\n", "x," + QByteArray(100000, 'y') + ",\"" + QByteArray(70000, '\0') + '"'});
    files.run(2000, [&](const QByteArray& bytes) {
        writeFile(path, bytes);
        readError(path);
    });

    const QString alphabet = u"a,\"\r\n\t 똠가\u0000;|'"_s;
    test::Mutator random({QByteArray()});
    random.run(300, [&](const QByteArray&) {
        QList<QStringList> rows(1 + random.below(6));
        const qsizetype width = 2 + random.below(4);
        for (QStringList& row : rows) {
            for (qsizetype c = 0; c < width; ++c) {
                QString cell;
                for (unsigned n = random.below(8); n > 0; --n)
                    cell += alphabet[random.below(static_cast<unsigned>(alphabet.size()))];
                row.append(cell);
            }
        }
        QString text;
        for (const QStringList& row : rows) {
            QStringList quoted;
            for (const QString& cell : row)
                quoted.append(u'"' + QString(cell).replace(u"\""_s, u"\"\""_s) + u'"');
            text += quoted.join(u',') + u"\r\n"_s;
        }
        while (!rows.isEmpty() && rows.last().join(QString()).isEmpty())
            rows.removeLast();
        for (const QByteArray& bytes : {"\xEF\xBB\xBF" + text.toUtf8(), cp949(text)}) {
            writeFile(path, bytes);
            ASSERT_EQ(SpreadsheetReader::open(path)->readSheet(0), rows) << bytes.toHex().toStdString();
        }
    });
}
