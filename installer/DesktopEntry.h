// A shortcut: a freedesktop desktop entry that starts a program in its own folder (Exec= the program,
// Path= its folder), marked executable so that desktops trust it.
#pragma once

#include <QString>

class DesktopEntry {
public:
    // Writes the entry `linkPath` named `name` for `program`; false when it cannot be written.
    static bool create(const QString& linkPath, const QString& name, const QString& program);

    // The program as one argument of an Exec line (quoted, with the entry's escapes).
    static QString execArgument(const QString& program);
    // A value of a string key, with the entry's escapes.
    static QString escapeValue(const QString& value);
};
