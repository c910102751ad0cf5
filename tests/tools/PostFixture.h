#pragma once

#include "PostImport.h"
#include "ZipcodeProvinces.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <zip.h>

namespace asv::test {

// One made-up address in the postal service's 26-column text layout.
struct PostFixtureRow {
    QString zipcode;
    QString province;
    QString district;
    QString eupMyeon;
    QString road;
    int underground = 0;
    int buildingMain = 1;
    int buildingSub = 0;
    QString legalDong;
    QString ri;
    QString adminDong;
    int mountain = 0;
    int lotMain = 1;
    int lotSub = 0;
    QString buildingName;

    QString line() const
    {
        const auto n = [](int v) { return QString::number(v); };
        return QStringList{zipcode,      province,     QStringLiteral("X"), district, QString(), eupMyeon,
                           QString(),    QStringLiteral("111102005001"), road, QString(), n(underground),
                           n(buildingMain), n(buildingSub), QStringLiteral("1111010100100010000030843"), QString(),
                           buildingName, QStringLiteral("1111010100"), legalDong, ri, adminDong, n(mountain),
                           n(lotMain),   QStringLiteral("01"), n(lotSub), QString(), QStringLiteral("001")}
            .join(QLatin1Char('|'));
    }
};

inline const QString kPostHeader = QStringLiteral(
    "우편번호|시도|시도영문|시군구|시군구영문|읍면|읍면영문|도로명코드|도로명|도로명영문|지하여부|건물번호본번|건물번호부번|"
    "건물관리번호|다량배달처명|시군구용건물명|법정동코드|법정동명|리명|행정동명|산여부|지번본번|읍면동일련번호|지번부번|"
    "구우편번호|우편번호일련번호");

// The text of a file: header and rows, with that line end.
inline QString PostText(const QList<PostFixtureRow>& rows, const QString& lineEnd = QStringLiteral("\n"))
{
    QString text = kPostHeader + lineEnd;
    for (const PostFixtureRow& r : rows)
        text += r.line() + lineEnd;
    return text;
}

inline void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A zip archive of (raw entry name, content) written with libzip.
inline void WriteZip(const QString& path, const QList<std::pair<QByteArray, QByteArray>>& entries)
{
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(z, nullptr);
    for (const auto& [name, data] : entries) {
        zip_source_t* src = zip_source_buffer(z, data.constData(), static_cast<zip_uint64_t>(data.size()), 0);
        ASSERT_GE(zip_file_add(z, name.constData(), src, ZIP_FL_ENC_RAW), 0);
    }
    ASSERT_EQ(zip_close(z), 0);
}

// Seoul and Busan share a dong name; Seoul has a road with the middle dot; Busan's data is old.
inline QList<PostFixtureRow> SeoulRows()
{
    using namespace Qt::StringLiterals;
    return {{u"04500"_s, u"서울특별시"_s, u"가온구"_s, {}, u"별빛로"_s, 0, 12, 0, u"가온동"_s, {}, u"가온1동"_s, 0,
             101, 3, u"별빛타워"_s},
            {u"04501"_s, u"서울특별시"_s, u"가온구"_s, {}, u"은하수로"_s, 1, 7, 2, u"나래동"_s, {}, u"나래동"_s, 1,
             55, 0, {}},
            {u"04502"_s, u"서울특별시"_s, u"다솜구"_s, {}, u"솔·바람길"_s, 0, 3, 0, u"다솜동"_s, {}, u"다솜동"_s, 0,
             9, 0, {}}};
}

inline QList<PostFixtureRow> BusanRows()
{
    using namespace Qt::StringLiterals;
    return {{u"48000"_s, u"부산광역시"_s, u"물결구"_s, {}, u"파도로"_s, 0, 5, 0, u"가온동"_s, {}, u"가온동"_s, 0, 17,
             0, {}}};
}

inline QList<PostFixtureRow> IncheonRows()
{
    using namespace Qt::StringLiterals;
    return {{u"21000"_s, u"인천광역시"_s, u"바다구"_s, {}, u"갯벌로"_s, 0, 8, 0, u"포구동"_s, {}, u"포구동"_s, 0, 4,
             0, {}}};
}

} // namespace asv::test
