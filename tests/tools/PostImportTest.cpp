#include "AppError.h"
#include "PostDatabase.h"
#include "PostDatabaseSet.h"
#include "PostFixture.h"
#include "ZipcodeSearch.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using namespace asv::test;

namespace {

// A Gangwon row under the province's new name, in a myeon with a ri and a mountain lot.
QList<PostFixtureRow> GangwonRows()
{
    return {{u"24000"_s, u"강원특별자치도"_s, u"푸른군"_s, u"맑음면"_s, u"산들로"_s, 0, 40, 1, u"맑음면"_s, u"고요리"_s,
             u"맑음면"_s, 1, 12, 4, {}}};
}

QByteArray Cp949(const QString& text)
{
    QStringEncoder encoder("windows-949");
    QByteArray bytes = encoder.encode(text);
    EXPECT_FALSE(encoder.hasError());
    return bytes;
}

ZipcodeSearch LotSearch(const QString& word)
{
    ZipcodeSearch s;
    s.word = word;
    return s;
}

class PostImportTest : public ::testing::Test {
protected:
    QString dbs() const { return m_dir.filePath(u"DBS"_s); }
    QList<ZipcodeAddress> find(const QString& word)
    {
        PostDatabaseSet set(dbs());
        EXPECT_TRUE(set.openAll().isEmpty());
        return set.search(-1, LotSearch(word)).rows;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(PostImportTest, ReadsUtf8WithBomCodePage949AndZipsIntoTheProvinceOfEachLine)
{
    QDir(m_dir.path()).mkdir(u"in"_s);
    const QString in = m_dir.filePath(u"in"_s);
    // Seoul and Busan in one file with CRLF, as files are sometimes re-saved.
    WriteFile(in + u"/서울부산.txt"_s, "\xEF\xBB\xBF" + PostText(SeoulRows() + BusanRows(), u"\r\n"_s).toUtf8());
    WriteFile(in + u"/강원.TXT"_s, Cp949(PostText(GangwonRows())));
    WriteFile(in + u"/readme.md"_s, "not an address file");

    PostImport import(dbs());
    import.importText(in);
    EXPECT_EQ(import.rowsByProvince(), (QMap<int, qint64>{{0, 3}, {3, 1}, {8, 1}}));

    const QList<ZipcodeAddress> gangwon = find(u"고요"_s);
    ASSERT_EQ(gangwon.size(), 1);
    EXPECT_EQ(gangwon[0].lotAddress(), u"강원특별자치도 푸른군 맑음면 고요리 산 12-4"_s);
    EXPECT_EQ(gangwon[0].roadAddress(), u"강원특별자치도 푸른군 맑음면 산들로 40-1"_s);
    const QList<ZipcodeAddress> seoul = find(u"나래"_s);
    ASSERT_EQ(seoul.size(), 1);
    EXPECT_EQ(seoul[0].roadAddress(), u"서울특별시 가온구 은하수로 지하 7-2 (나래동)"_s);
    EXPECT_EQ(seoul[0].lotLine(), u"지  번         서울특별시 가온구 나래동 산 55  행정동: 나래동"_s);

    // A zip whose entry names are in code page 949 replaces what it holds.
    const QString zip = m_dir.filePath(u"post.zip"_s);
    WriteZip(zip, {{Cp949(u"강원특별자치도.txt"_s), Cp949(PostText(GangwonRows()))},
                   {"\xBC\xAD\xBF\xEF.txt", "\xEF\xBB\xBF" + PostText(SeoulRows()).toUtf8()}});
    PostImport zipped(dbs());
    zipped.importText(zip);
    EXPECT_EQ(zipped.rowsByProvince(), (QMap<int, qint64>{{0, 3}, {8, 1}}));
    EXPECT_EQ(find(u"맑음"_s).size(), 1);
}

TEST_F(PostImportTest, ABadLineInstallsNothingAndKeepsTheFileInUse)
{
    const QString good = m_dir.filePath(u"good.txt"_s);
    WriteFile(good, PostText(SeoulRows()).toUtf8());
    PostImport(dbs()).importText(good);

    struct Case {
        const char* what;
        QString line;
        QString message;
    };
    const PostFixtureRow fine = SeoulRows().first();
    PostFixtureRow foreign = fine;
    foreign.province = u"어디도"_s;
    QString notNumber = fine.line();
    notNumber.replace(u"|12|0|"_s, u"|12a|0|"_s);
    const QList<Case> cases{{"a column short", fine.line().section(u'|', 0, 24), u"3번째 줄: 항목이 25개입니다"_s},
                            {"an unknown province", foreign.line(), u"3번째 줄: 알 수 없는 시도"_s},
                            {"a building number with a letter", notNumber, u"3번째 줄: 숫자가 아닌 값: 12a"_s}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString bad = m_dir.filePath(u"bad.txt"_s);
        // The Busan line comes first so that a Busan file is begun before the failure.
        WriteFile(bad, (PostText(BusanRows()) + c.line + u'\n').toUtf8());
        try {
            PostImport(dbs()).importText(bad);
            ADD_FAILURE() << "imported";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.description().contains(c.message)) << e.description().toStdString();
        }
        EXPECT_EQ(find(u"가온"_s).size(), 1) << "Seoul's file stays, no Busan file appears";
        EXPECT_EQ(QDir(dbs()).entryList(QDir::Files), QStringList{u"dbPost_Seoul.db"_s});
    }
}
