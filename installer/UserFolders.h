// The current user's folders where shortcuts go, and the logon name: the XDG desktop folder
// (user-dirs.dirs, default ~/Desktop) for the desktop shortcut and $XDG_DATA_HOME/applications (default
// ~/.local/share/applications) for the program menu, where the subfolder "Зелмар" holds the entries.
// Read afresh at each call, so the environment of the moment decides.
#pragma once

#include <QString>

class UserFolders {
public:
    static QString desktop();
    static QString programs();
    // The program menu's folder of the ledger and its two entries.
    static QString menuFolder() { return programs() + QStringLiteral("/Зелмар"); }
    static QString desktopShortcut() { return desktop() + QStringLiteral("/Зелмар.desktop"); }
    static QString menuShortcut() { return menuFolder() + QStringLiteral("/Зелмар.desktop"); }
    static QString menuUninstallShortcut() { return menuFolder() + QStringLiteral("/Удаление.desktop"); }
    // "Unknown" when the user's entry cannot be read.
    static QString logonName();
};
