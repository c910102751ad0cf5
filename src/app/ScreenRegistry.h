#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace asv {

// Screens announce themselves by the menu entry that opens them, so that the main window can
// open windows of higher libraries without including them; an entry with no screen stays disabled.
class ScreenRegistry {
public:
    struct Entry {
        std::function<QWidget*(QWidget* parent)> create;
        bool modal = false;
    };

    static void add(const QString& menuName, Entry entry);
    static const Entry* find(const QString& menuName);
    static bool has(const QString& menuName) { return find(menuName) != nullptr; }
    static void remove(const QString& menuName);
    // Every registered name, sorted.
    static QStringList names();
};

} // namespace asv
