#pragma once

#include <QList>
#include <QString>
#include <QStyle>
#include <utility>

namespace asv {

// The main window's menus and toolbar as data: the window builds itself from these tables and
// the tests read them.
class MainMenu {
public:
    struct Entry {
        enum class Kind {
            Menu,      // a menu of the bar, or a submenu
            Screen,    // opens the screen registered under its name (and index); disabled without one
            Command,   // done by the main window itself
            Separator,
        };
        Kind kind;
        QString parent; // the objectName of the menu it sits in; "" for the menu bar
        QString name;   // objectName; entries of one family share it and differ by index
        QString caption;
        int index = -1;
    };

    struct ToolButton {
        QString caption; // also the objectName
        QString menu;    // the entry it triggers; "" closes the program
        int index = -1;
        QStyle::StandardPixmap icon;
        // A button with alternatives shows the one last chosen, as (caption, entry); the first is the button itself.
        QList<std::pair<QString, QString>> alternatives;
    };

    static const QList<Entry>& entries();
    static const QList<ToolButton>& toolbar();
    // The key a screen is registered under: the entry's name, with "_<index>" for families.
    static QString screenKey(const QString& name, int index);
    // The entry of a menu name and index, nullptr when there is none.
    static const Entry* find(const QString& name, int index = -1);
};

} // namespace asv
