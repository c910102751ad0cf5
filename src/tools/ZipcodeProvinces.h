#pragma once

#include <QList>
#include <QString>

namespace asv {

struct ZipcodeProvince {
    int index;
    QString name;
    QString tag; // the file name without extension
};

// The 17 provinces of the finder, each kept in a file of its own.
class ZipcodeProvinces {
public:
    static const QList<ZipcodeProvince>& all();
    // The province of a name as the address files write it (old and new official names), or -1.
    static int indexOfName(const QString& name);
    static QString fileName(const ZipcodeProvince& p) { return p.tag + QStringLiteral(".db"); }
};

} // namespace asv
