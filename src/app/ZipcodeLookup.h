#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace asv {

// The zipcode finder lives in the tools; the editors of the lower layers reach it through here.
class ZipcodeLookup {
public:
    struct Address {
        QString zipcode;
        QString addr1;
    };
    using Finder = std::function<std::optional<Address>(QWidget* parent, const QString& zipcode)>;

    // An empty finder removes it.
    static void install(Finder finder);
    static bool isInstalled();
    // nullopt when nothing was chosen or no finder is installed.
    static std::optional<Address> find(QWidget* parent, const QString& zipcode);

private:
    static Finder& finder();
};

} // namespace asv
