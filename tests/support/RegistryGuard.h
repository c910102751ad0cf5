#pragma once

#include "PickerRegistry.h"
#include "ScreenRegistry.h"

#include <QList>
#include <QPair>
#include <QStringList>
#include <optional>

namespace asv::test {

// Puts the find-or-register kinds and the menu screens a test registers back as they were before
// it, so that no later test finds them.
class RegistryGuard {
public:
    explicit RegistryGuard(const QStringList& pickerKinds, const QStringList& screens = {})
    {
        for (const QString& kind : pickerKinds)
            m_kinds.append({kind, PickerRegistry::entry(kind)});
        for (const QString& menu : screens) {
            const ScreenRegistry::Entry* entry = ScreenRegistry::find(menu);
            m_screens.append({menu, entry ? std::optional(*entry) : std::nullopt});
        }
    }
    ~RegistryGuard()
    {
        for (const auto& [kind, entry] : m_kinds)
            PickerRegistry::setEntry(kind, entry);
        for (const auto& [menu, entry] : m_screens) {
            if (entry)
                ScreenRegistry::add(menu, *entry);
            else
                ScreenRegistry::remove(menu);
        }
    }
    RegistryGuard(const RegistryGuard&) = delete;
    RegistryGuard& operator=(const RegistryGuard&) = delete;

private:
    QList<QPair<QString, PickerRegistry::Entry>> m_kinds;
    QList<QPair<QString, std::optional<ScreenRegistry::Entry>>> m_screens;
};

} // namespace asv::test
