#pragma once

#include "PostDatabase.h"

#include <QList>
#include <QString>
#include <array>
#include <memory>

namespace asv {

struct ZipcodeSearch;

// The open province files of a finder, one connection per province while it lives.
class PostDatabaseSet {
public:
    static constexpr int kProvinces = 17;

    struct Result {
        QList<ZipcodeAddress> rows;
        bool old = false; // a searched file is from before the current address data
    };
    struct OpenFailure {
        int province;
        QString message;
    };

    explicit PostDatabaseSet(QString folder);

    // Opens every province file present; the files that would not open are returned.
    QList<OpenFailure> openAll();
    void closeAll();

    const QString& folder() const { return m_folder; }
    bool isOpen(int province) const { return m_open[static_cast<size_t>(province)] != nullptr; }
    bool isMissing(int province) const;
    bool anyMissing() const;
    bool anyOpen() const;
    // Present and old; present and current otherwise.
    bool isOld(int province) const;
    QStringList districts(int province) const;
    // province -1: every open file, in province order.
    Result search(int province, const ZipcodeSearch& search) const;

private:
    QString m_folder;
    std::array<std::unique_ptr<PostDatabase>, kProvinces> m_open;
};

} // namespace asv
