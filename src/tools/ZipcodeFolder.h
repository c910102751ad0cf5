#pragma once

#include <QString>

namespace asv {

struct ZipcodeProvince;

// Where the province files lie: the folder "DBS" of the program folder. Written in different cases
// over the years, so both the folder and the files are found without regard to case.
class ZipcodeFolder {
public:
    // The existing folder of any case, else "<program folder>/DBS".
    static QString path();
    static QString under(const QString& programFolder);
    // The province's existing file of any case, or "".
    static QString provinceFile(const QString& folder, const ZipcodeProvince& province);
    // An entry of the folder matching name without regard to case, or "".
    static QString find(const QString& folder, const QString& name);
};

} // namespace asv
