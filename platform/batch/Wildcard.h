// Wildcards of the last path component: '*' (any run of characters) and '?' (one character), matched
// without regard to letter case, as on the file system the batch files were written for ("*.db"
// matches "kassa.DB"; "*.*" matches every name).
#pragma once

#include <QString>

namespace batch {

class Wildcard {
public:
    static bool isPattern(const QString& name);
    static bool matches(const QString& pattern, const QString& name);
    // The name a copy or move gives a source file for a destination pattern: "*" and "*.*" keep the
    // name, "*.ext" (a star and a literal tail) puts the tail in place of the name's last extension.
    // Empty when the pattern is of another form.
    static QString targetName(const QString& pattern, const QString& sourceName);
    // Letter case aside (Latin and Cyrillic alike).
    static bool sameName(const QString& a, const QString& b);
};

} // namespace batch
