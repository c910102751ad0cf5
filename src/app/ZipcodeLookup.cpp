#include "ZipcodeLookup.h"

namespace asv {

ZipcodeLookup::Finder& ZipcodeLookup::finder()
{
    static Finder f;
    return f;
}

void ZipcodeLookup::install(Finder f)
{
    finder() = std::move(f);
}

bool ZipcodeLookup::isInstalled()
{
    return static_cast<bool>(finder());
}

std::optional<ZipcodeLookup::Address> ZipcodeLookup::find(QWidget* parent, const QString& zipcode)
{
    if (!finder())
        return std::nullopt;
    return finder()(parent, zipcode);
}

} // namespace asv
