#include "ZipcodeAddress.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

QString numberText(int main, int sub)
{
    return sub != 0 ? u"%1-%2"_s.arg(main).arg(sub) : QString::number(main);
}

QString joined(const QStringList& parts, const QString& separator)
{
    QStringList present;
    for (const QString& p : parts) {
        if (!p.trimmed().isEmpty())
            present << p.trimmed();
    }
    return present.join(separator);
}

} // namespace

QString ZipcodeAddress::roadAddress() const
{
    QString address = joined({province, district, eupMyeon, road}, u" "_s);
    if (underground)
        address += u" 지하"_s;
    address += u' ' + numberText(buildingMain, buildingSub);
    // Road addresses name the legal dong only in the dong areas of cities.
    const QString extra = joined({eupMyeon.isEmpty() ? legalDong : QString(), buildingName}, u", "_s);
    if (!extra.isEmpty())
        address += u" ("_s + extra + u')';
    return address;
}

QString ZipcodeAddress::lotAddress() const
{
    const QString dong = legalDong == eupMyeon ? QString() : legalDong;
    QString address = joined({province, district, eupMyeon, dong, ri}, u" "_s);
    if (mountain)
        address += u" 산"_s;
    return address + u' ' + numberText(lotMain, lotSub);
}

QString ZipcodeAddress::roadLine() const
{
    return u"도로명  "_s + zipcode + u"  "_s + roadAddress();
}

QString ZipcodeAddress::lotLine() const
{
    return u"지  번  "_s + QString(zipcode.size(), u' ') + u"  "_s + lotAddress() + u"  행정동: "_s + adminDong;
}

} // namespace asv
