#include "ScreenRegistry.h"

#include <QHash>

namespace asv {

namespace {
QHash<QString, ScreenRegistry::Entry>& entries()
{
    static QHash<QString, ScreenRegistry::Entry> map;
    return map;
}
} // namespace

void ScreenRegistry::add(const QString& menuName, Entry entry)
{
    entries().insert(menuName, std::move(entry));
}

const ScreenRegistry::Entry* ScreenRegistry::find(const QString& menuName)
{
    const auto it = entries().constFind(menuName);
    return it == entries().constEnd() ? nullptr : &it.value();
}

void ScreenRegistry::remove(const QString& menuName)
{
    entries().remove(menuName);
}

QStringList ScreenRegistry::names()
{
    QStringList all = entries().keys();
    all.sort();
    return all;
}

} // namespace asv
