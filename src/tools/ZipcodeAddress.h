#pragma once

#include <QString>

namespace asv {

// One row of a province file as the finder reads it.
struct ZipcodeAddress {
    QString zipcode;
    QString province;
    QString district;
    QString adminDong;
    QString legalDong;
    QString eupMyeon;
    QString ri;
    bool mountain = false;
    int lotMain = 0;
    int lotSub = 0;
    QString road;
    bool underground = false;
    int buildingMain = 0;
    int buildingSub = 0;
    QString bulkRecipient;
    QString buildingName;

    // Province, district, eup/myeon, road, " 지하", n[-m] and "(legal dong, building name)".
    QString roadAddress() const;
    // Province, district, eup/myeon, legal dong, ri, " 산", n[-m].
    QString lotAddress() const;
    // The two lines of the result list.
    QString roadLine() const;
    QString lotLine() const;
};

} // namespace asv
