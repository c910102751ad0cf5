#include "ZipcodeProvinces.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace asv {

const QList<ZipcodeProvince>& ZipcodeProvinces::all()
{
    static const QList<ZipcodeProvince> provinces{
        {0, u"서울특별시"_s, u"dbPost_Seoul"_s},      {1, u"경기도"_s, u"dbPost_Gyeonggi"_s},
        {2, u"인천광역시"_s, u"dbPost_Incheon"_s},    {3, u"부산광역시"_s, u"dbPost_Busan"_s},
        {4, u"대전광역시"_s, u"dbPost_Daejeon"_s},    {5, u"광주광역시"_s, u"dbPost_Gwangju"_s},
        {6, u"대구광역시"_s, u"dbPost_Daegu"_s},      {7, u"울산광역시"_s, u"dbPost_Ulsan"_s},
        {8, u"강원도"_s, u"dbPost_Gangwon"_s},        {9, u"경상남도"_s, u"dbPost_Gyeongsang2"_s},
        {10, u"경상북도"_s, u"dbPost_Gyeongsang"_s},  {11, u"전라남도"_s, u"dbPost_Jeolla2"_s},
        {12, u"전라북도"_s, u"dbPost_Jeolla"_s},      {13, u"충청남도"_s, u"dbPost_Chungcheong2"_s},
        {14, u"충청북도"_s, u"dbPost_Chungcheong"_s}, {15, u"제주도"_s, u"dbPost_Jeju"_s},
        {16, u"세종시"_s, u"dbPost_Sejong"_s},
    };
    return provinces;
}

int ZipcodeProvinces::indexOfName(const QString& name)
{
    // Provinces are renamed now and then; the files carry the name of their release.
    static const QHash<QString, int> renamed{
        {u"강원특별자치도"_s, 8}, {u"전북특별자치도"_s, 12}, {u"제주특별자치도"_s, 15}, {u"세종특별자치시"_s, 16}};
    const QString trimmed = name.trimmed();
    if (const auto it = renamed.constFind(trimmed); it != renamed.constEnd())
        return *it;
    for (const ZipcodeProvince& p : all()) {
        if (p.name == trimmed)
            return p.index;
    }
    return -1;
}

} // namespace asv
