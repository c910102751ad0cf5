#include "Cp949.h"
#include "GridFixtures.h"
#include "WorkbookFixtures.h"
#include "RecordSet.h"

#include <QDir>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::runPython;
using namespace asv::test::xls;
using asv::test::readError;
using asv::test::TempProgramFolder;
using asv::test::writeFile;

namespace {

QList<QStringList> readAll(const QString& path, QStringList* sheets = nullptr)
{
    auto reader = SpreadsheetReader::open(path);
    if (sheets)
        *sheets = reader->sheetNames();
    return reader->readSheet(0);
}

} // namespace

TEST(SpreadsheetReader, ReadsAnXlsWorkbookMadeByAnotherWriter)
{
    TempProgramFolder home;
    const QString path = home.path(u"고객목록.xls"_s);
    QString error;
    const bool made = runPython(u"import sys, datetime, xlwt\n"
                                "wb = xlwt.Workbook(encoding='utf-8')\n"
                                "ws = wb.add_sheet('고객')\n"
                                "for c, v in enumerate(['코드', '상호', '금액', '등록일']): ws.write(0, c, v)\n"
                                "ws.write(1, 0, '000001'); ws.write(1, 1, '(주)한빛전자'); ws.write(1, 2, 1500000)\n"
                                "ws.write(1, 3, datetime.date(2024, 3, 31), xlwt.easyxf(num_format_str='yyyy-mm-dd'))\n"
                                "ws.write(2, 0, '000002'); ws.write(2, 1, '똠방각하'); ws.write(2, 2, 12.5)\n"
                                "ws.write(2, 3, datetime.datetime(2024, 3, 31, 14, 5), "
                                "xlwt.easyxf(num_format_str='yyyy-mm-dd hh:mm'))\n"
                                "ws.write(4, 1, '빈 줄 다음')\n"
                                "wb.add_sheet('Sheet2').write(0, 0, '둘째')\n"
                                "wb.save(sys.argv[1])\n"_s,
                                {path}, &error);
    if (!made)
        GTEST_SKIP() << "xlwt not available: " << error.toStdString();

    auto reader = SpreadsheetReader::open(path);
    EXPECT_EQ(reader->sheetNames(), (QStringList{u"고객"_s, u"Sheet2"_s}));
    const QList<QStringList> rows = reader->readSheet(0);
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0], (QStringList{u"코드"_s, u"상호"_s, u"금액"_s, u"등록일"_s}));
    EXPECT_EQ(rows[1], (QStringList{u"000001"_s, u"(주)한빛전자"_s, u"1500000"_s, u"2024-03-31"_s}));
    EXPECT_EQ(rows[2], (QStringList{u"000002"_s, u"똠방각하"_s, u"12.5"_s, u"2024-03-31 14:05:00"_s}));
    EXPECT_EQ(rows[3], (QStringList{u""_s, u""_s, u""_s, u""_s}));
    EXPECT_EQ(rows[4], (QStringList{u""_s, u"빈 줄 다음"_s, u""_s, u""_s}));
    EXPECT_EQ(reader->readSheet(1), (QList<QStringList>{{u"둘째"_s}}));
}

TEST(SpreadsheetReader, XlsxFoundThroughRelationshipsOrWithoutOptionalParts)
{
    TempProgramFolder home;
    QString error;
    ASSERT_TRUE(runPython(
        uR"PY(import sys, zipfile
R = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships'
M = 'http://schemas.openxmlformats.org/spreadsheetml/2006/main'
z = zipfile.ZipFile(sys.argv[1], 'w')
z.writestr('_rels/.rels', f'<Relationships><Relationship Id="a" Type="{R}/extended-properties" Target="docProps/app.xml"/>'
  f'<Relationship Id="b" Type="{R}/officeDocument" Target="/book/main%20part.xml"/></Relationships>')
z.writestr('book/main part.xml', f'<workbook xmlns="{M}" xmlns:r="{R}"><sheets><sheet name="명단" sheetId="1" r:id="s"/>'
  '</sheets></workbook>')
z.writestr('book/_rels/main part.xml.rels', f'<Relationships><Relationship Id="s" Type="{R}/worksheet" Target="../cells/one.xml"/>'
  f'<Relationship Id="t" Type="{R}/sharedStrings" Target="words.xml"/></Relationships>')
z.writestr('book/words.xml', f'<sst xmlns="{M}"><si><t>홍길동</t></si></sst>')
z.writestr('cells/one.xml', f'<worksheet xmlns="{M}"><sheetData><row r="1"><c r="A1" t="s"><v>0</v></c>'
  '<c r="B1"><v>3</v></c></row></sheetData></worksheet>')
z.close()
z = zipfile.ZipFile(sys.argv[2], 'w')
z.writestr('xl/workbook.xml', f'<workbook xmlns="{M}"><sheets><sheet name="Sheet1" sheetId="1"/></sheets></workbook>')
z.writestr('xl/worksheets/sheet1.xml', f'<worksheet xmlns="{M}"><sheetData><row r="1">'
  '<c r="A1" t="inlineStr"><is><t>인라인</t></is></c><c r="B1" s="3"><v>45382</v></c></row></sheetData></worksheet>')
z.close()
)PY"_s,
        {home.path(u"rels.xlsx"_s), home.path(u"bare.xlsx"_s)}, &error))
        << error.toStdString();

    QStringList sheets;
    EXPECT_EQ(readAll(home.path(u"rels.xlsx"_s), &sheets), (QList<QStringList>{{u"홍길동"_s, u"3"_s}}));
    EXPECT_EQ(sheets, QStringList{u"명단"_s});
    EXPECT_EQ(readAll(home.path(u"bare.xlsx"_s)), (QList<QStringList>{{u"인라인"_s, u"45382"_s}}));
}

TEST(SpreadsheetReader, NumberFormatsThatAreDatesOrTimes)
{
    using K = SpreadsheetReader::DateKind;
    EXPECT_EQ(SpreadsheetReader::dateKindOf(14, {}), K::Date);
    EXPECT_EQ(SpreadsheetReader::dateKindOf(22, {}), K::DateTime);
    EXPECT_EQ(SpreadsheetReader::dateKindOf(21, {}), K::Time);
    EXPECT_EQ(SpreadsheetReader::dateKindOf(3, {}), K::None);
    EXPECT_EQ(SpreadsheetReader::dateKindOf(164, u"#,##0\"일\""_s), K::None);
    EXPECT_EQ(SpreadsheetReader::dateKindOf(164, u"[Red]#,##0.00;[Blue]-#,##0.00"_s), K::None);
    EXPECT_EQ(SpreadsheetReader::dateKindOf(164, u"mm/dd"_s), K::Date);
    EXPECT_EQ(SpreadsheetReader::dateKindOf(164, u"[$-412]yyyy\"년\" m\"월\""_s), K::Date);
    EXPECT_EQ(SpreadsheetReader::dateKindOf(164, u"mm:ss"_s), K::Time);
    EXPECT_EQ(SpreadsheetReader::dateKindOf(164, u"[h]:mm"_s), K::Time);
    EXPECT_EQ(SpreadsheetReader::dateKindOf(164, u"yyyy-mm-dd hh:mm"_s), K::DateTime);
    EXPECT_EQ(SpreadsheetReader::serialText(45382.75, K::DateTime, false), u"2024-03-31 18:00:00"_s);
    EXPECT_EQ(SpreadsheetReader::serialText(43920, K::Date, true), u"2024-03-31"_s);
    // Numbers no calendar holds, as a damaged file gives them, stay numbers.
    EXPECT_EQ(SpreadsheetReader::serialText(1e300, K::Date, false), u"1e+300"_s);
    EXPECT_EQ(SpreadsheetReader::serialText(std::nan(""), K::DateTime, false), u"nan"_s);
}

TEST(SpreadsheetReader, CsvInCodePage949OrUtf8WithQuotedFields)
{
    TempProgramFolder home;
    const QString text = u"코드,상호,메모\r\n000001,\"한빛, 주식회사\",\"따옴표 \"\"인용\"\"\r\n두 줄\"\r\n"
                         "000002,똠방각하,\r\n\r\n"_s;
    const QList<QStringList> expected = {{u"코드"_s, u"상호"_s, u"메모"_s},
                                         {u"000001"_s, u"한빛, 주식회사"_s, u"따옴표 \"인용\"\r\n두 줄"_s},
                                         {u"000002"_s, u"똠방각하"_s, u""_s}};
    writeFile(home.path(u"cp949.csv"_s), Cp949::encode(text));
    writeFile(home.path(u"utf8.csv"_s), text.toUtf8());
    writeFile(home.path(u"bom.csv"_s), "\xEF\xBB\xBF" + text.toUtf8());
    for (const QString& name : {u"cp949"_s, u"utf8"_s, u"bom"_s}) {
        auto reader = SpreadsheetReader::open(home.path(name + u".csv"_s));
        EXPECT_EQ(reader->sheetNames(), QStringList{name});
        EXPECT_EQ(reader->readSheet(0), expected) << name.toStdString();
    }

    writeFile(home.path(u"tabs.txt"_s), "a\tb\n1\t2");
    EXPECT_EQ(SpreadsheetReader::open(home.path(u"tabs.txt"_s))->readSheet(0),
              (QList<QStringList>{{u"a"_s, u"b"_s}, {u"1"_s, u"2"_s}}));
}

TEST(SpreadsheetReader, BrokenLockedHostileAndForeignFilesGiveClearErrors)
{
    TempProgramFolder home;
    QString message;
    EXPECT_EQ(readError(home.path(u"없음.xls"_s), &message), SpreadsheetReader::kCannotOpen);
    EXPECT_TRUE(message.contains(u"파일을 찾을 수 없습니다."_s));

    QDir().mkpath(home.path(u"폴더.xls"_s));
    EXPECT_EQ(readError(home.path(u"폴더.xls"_s)), SpreadsheetReader::kCannotOpen);

    writeFile(home.path(u"empty.xlsx"_s), {});
    EXPECT_EQ(readError(home.path(u"empty.xlsx"_s)), SpreadsheetReader::kBrokenFile);

    writeFile(home.path(u"cut.xlsx"_s), QByteArray("PK\x03\x04", 4) + QByteArray(300, 'x'));
    EXPECT_EQ(readError(home.path(u"cut.xlsx"_s), &message), SpreadsheetReader::kBrokenFile);
    EXPECT_TRUE(message.startsWith(u"엑셀파일의 정보를 알수 없습니다."_s));
    EXPECT_TRUE(message.contains(home.path(u"cut.xlsx"_s)));

    writeFile(home.path(u"ole.xls"_s), QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(1000, '\0'));
    EXPECT_EQ(readError(home.path(u"ole.xls"_s)), SpreadsheetReader::kBrokenFile);

    writeFile(home.path(u"web.xls"_s), "<html><table><tr><td>1</td></tr></table></html>");
    EXPECT_EQ(readError(home.path(u"web.xls"_s), &message), SpreadsheetReader::kNotSpreadsheet);
    EXPECT_TRUE(message.startsWith(u"엑셀파일이 아니거나, 지원되지 않는 버전입니다."_s));

    QString error;
    ASSERT_TRUE(runPython(u"import sys, zipfile\n"
                          "z = zipfile.ZipFile(sys.argv[1], 'w'); z.writestr('word/document.xml', '<w/>'); z.close()\n"_s,
                          {home.path(u"letter.xlsx"_s)}, &error))
        << error.toStdString();
    EXPECT_EQ(readError(home.path(u"letter.xlsx"_s)), SpreadsheetReader::kNotSpreadsheet);

    // Locked, cut and hostile compound files.
    const QByteArray globals = bof(0x0600, 0x0005) + record(0x002F, le16(1) + QByteArray(52, '\0')) + eof();
    writeFile(home.path(u"locked.xls"_s), compoundFile({{u"Workbook"_s, globals}}).bytes);
    EXPECT_EQ(readError(home.path(u"locked.xls"_s), &message), SpreadsheetReader::kCannotOpen);
    EXPECT_TRUE(message.contains(u"암호"_s));
    writeFile(home.path(u"locked.xlsx"_s), compoundFile({{u"EncryptionInfo"_s, "x"}, {u"EncryptedPackage"_s, "y"}}).bytes);
    EXPECT_EQ(readError(home.path(u"locked.xlsx"_s), &message), SpreadsheetReader::kCannotOpen);
    writeFile(home.path(u"memo.doc"_s), compoundFile({{u"WordDocument"_s, "x"}}).bytes);
    EXPECT_EQ(readError(home.path(u"memo.doc"_s)), SpreadsheetReader::kNotSpreadsheet);

    // Big enough for regular sectors, so the damage below lands in the allocation table.
    const Compound good = compoundFile({{u"Workbook"_s, biff8Workbook({{u"고객"_s, {{u"가"_s}}}}) + QByteArray(5000, '\0')}});
    writeFile(home.path(u"good.xls"_s), good.bytes);
    ASSERT_EQ(readError(home.path(u"good.xls"_s)), 0);
    auto patched = [&](qsizetype offset, quint32 value) {
        QByteArray b = good.bytes;
        qToLittleEndian<quint32>(value, b.data() + offset);
        return b;
    };
    const qsizetype firstStream = good.directoryOffset + 128;
    const quint32 start = qFromLittleEndian<quint32>(good.bytes.constData() + firstStream + 0x74);
    const struct {
        const char* name;
        QByteArray bytes;
    } hostile[] = {
        {"truncated", good.bytes.left(good.bytes.size() - 3000)},
        {"cyclic chain", patched(good.fatOffset + start * 4, start)},
        {"cyclic directory chain", patched(good.fatOffset + good.directorySector * 4, good.directorySector)},
        {"sector out of range", patched(firstStream + 0x74, 0x00FFFFFF)},
        {"huge stream", patched(firstStream + 0x78, 0x7FFFFFF0)},
        {"huge allocation table", patched(0x2C, 0x7FFFFFFF)},
    };
    for (const auto& h : hostile) {
        SCOPED_TRACE(h.name);
        writeFile(home.path(u"hostile.xls"_s), h.bytes);
        EXPECT_EQ(readError(home.path(u"hostile.xls"_s), &message), SpreadsheetReader::kBrokenFile);
        EXPECT_TRUE(message.startsWith(u"엑셀파일의 정보를 알수 없습니다."_s));
    }
    // A sibling link back to itself in the directory tree is not followed twice.
    writeFile(home.path(u"loop.xls"_s), patched(firstStream + 0x48, 1));
    EXPECT_EQ(readError(home.path(u"loop.xls"_s)), 0);
}

TEST(SpreadsheetReader, ReadsXlsWorkbooksThatOtherProgramsWrite)
{
    TempProgramFolder home;
    QStringList sheets;

    writeFile(home.path(u"excel95.xls"_s), compoundFile({{u"Book"_s, asv::test::koreanBiff5Workbook()}}).bytes);
    EXPECT_EQ(readAll(home.path(u"excel95.xls"_s), &sheets),
              (QList<QStringList>{{u"(주)한빛전자"_s, u"똠방각하"_s, u""_s, u""_s},
                                  {u"1500"_s, u"12"_s, u"7"_s, u"12.5"_s},
                                  {u"2024-03-31"_s, u"수식값"_s, u"TRUE"_s, u"#DIV/0!"_s}}));
    EXPECT_EQ(sheets, QStringList{u"고객명단"_s});

    const QByteArray twoSheets = biff8Workbook({{u"첫째"_s, {{u"가"_s, u"b"_s}}}, {u"둘째"_s, {{u""_s, u"다"_s}}}});
    writeFile(home.path(u"capitals.xls"_s), compoundFile({{u"WORKBOOK"_s, twoSheets}}).bytes);
    auto reader = SpreadsheetReader::open(home.path(u"capitals.xls"_s));
    EXPECT_EQ(reader->sheetNames(), (QStringList{u"첫째"_s, u"둘째"_s}));
    EXPECT_EQ(reader->readSheet(1), (QList<QStringList>{{u""_s, u"다"_s}}));

    // Thousands of distinct strings spill the shared strings over many CONTINUE records, some
    // strings split across them; the file uses 4 KB sectors and leaves the sheet offsets at zero.
    QList<QStringList> rows;
    for (int r = 0; r < 4000; ++r)
        rows.append(QStringList{QString::number(r).rightJustified(6, u'0'), u"고객 %1 (주)한빛"_s.arg(r), u"memo-%1-"_s.arg(r).repeated(r % 7 + 1)});
    writeFile(home.path(u"large.xls"_s),
              compoundFile({{u"Workbook"_s, biff8Workbook({{u"고객"_s, rows}}, true)}}, 4096).bytes);
    EXPECT_EQ(readAll(home.path(u"large.xls"_s)), rows);
}
