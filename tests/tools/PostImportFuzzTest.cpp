#include "AppError.h"
#include "Mutator.h"
#include "PostDatabaseSet.h"
#include "PostFixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using namespace asv::test;

namespace {

// What the province folder holds: names and contents.
std::string folderState(const QString& folder)
{
    QStringList state;
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files, QDir::Name)) {
        QFile file(f.filePath());
        if (file.open(QIODevice::ReadOnly))
            state.append(f.fileName() + u' '
                         + QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex()));
    }
    return state.join(u", "_s).toStdString();
}

// Imports the file: either every province read is installed and opens, or the import says which
// line it could not read and the folder is as it was, with no file half-written.
void importsWholeOrNothing(const QString& folder, const QString& path, const QByteArray& input)
{
    const std::string before = folderState(folder);
    PostImport import(folder);
    try {
        import.importText(path);
    } catch (const AppError& e) {
        EXPECT_TRUE(e.description().contains(u"번째 줄: "_s) || e.description().contains(u"주소 자료가 없습니다."_s)
                    || e.description().contains(u"압축 파일"_s))
            << e.description().toStdString();
        ASSERT_EQ(folderState(folder), before) << input.toHex().left(300).toStdString();
        return;
    } catch (...) {
        FAIL() << "an exception other than AppError for " << input.toHex().left(300).toStdString();
    }
    ASSERT_FALSE(import.rowsByProvince().isEmpty());
    EXPECT_TRUE(QDir(folder).entryList({u"*.part"_s}, QDir::Files).isEmpty());
    PostDatabaseSet set(folder);
    EXPECT_TRUE(set.openAll().isEmpty());
}

} // namespace

// Address files damaged in transit or edited by hand, as text, in either encoding, or packed.
TEST(PostImportFuzz, FuzzedAddressFilesInstallWholeOrNothing)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"DBS"_s);
    const QString good = PostText(SeoulRows() + BusanRows());
    QStringEncoder cp949("windows-949");
    const QByteArray text = "\xEF\xBB\xBF" + good.toUtf8();
    WriteFile(dir.filePath(u"seoul.txt"_s), text);
    PostImport(folder).importText(dir.filePath(u"seoul.txt"_s));

    const QString path = dir.filePath(u"fuzz.txt"_s);
    Mutator files({text, cp949.encode(PostText(IncheonRows(), u"\r\n"_s)), good.toUtf8()});
    files.run(300, [&](const QByteArray& bytes) {
        WriteFile(path, bytes);
        importsWholeOrNothing(folder, path, bytes);
    });

    const QString zip = dir.filePath(u"fuzz.zip"_s);
    WriteZip(zip, {{"seoul.txt", text}});
    QFile packed(zip);
    ASSERT_TRUE(packed.open(QIODevice::ReadOnly));
    Mutator archives({packed.readAll()});
    packed.close();
    archives.run(300, [&](const QByteArray& bytes) {
        WriteFile(zip, bytes);
        importsWholeOrNothing(folder, zip, bytes);
    });

    // Megabytes of bytes that are neither UTF-8 nor code page 949 end in a message, not a hang.
    WriteFile(path, QByteArray(3 << 20, '\x80'));
    QElapsedTimer clock;
    clock.start();
    EXPECT_THROW(PostImport(folder).importText(path), AppError);
    EXPECT_LT(clock.elapsed(), 20000);
}
