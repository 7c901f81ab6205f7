// Names as the ledger's file system takes them: '\' and '/' both separate folders, and every component
// of a path is found without regard to letter case (the exact spelling is preferred). File patterns use
// '*' and '?' in their last component; "*.*" matches every name, as in RAR.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

struct FoundFile {
    QString path;   // to open, relative to the working folder or absolute
    QString folder; // the pattern's folder part as resolved ("" for the working folder)
    QString name;   // the file's own name
};

class FileFinder {
public:
    // '\' turned into '/'.
    static QString normalize(const QString& path);
    // The existing path whose components equal those of `path` ignoring letter case; components that do
    // not exist are kept as given. `path` is normalised first.
    static QString resolve(const QString& path);
    // The folder part ("" when none) and the last component of a normalised path.
    static QString folderOf(const QString& path);
    static QString nameOf(const QString& path);
    // Regular files (or links to regular files) matching the pattern, sorted by name; no duplicates.
    static std::vector<FoundFile> find(const QString& pattern);
    // Whether `name` matches the wildcard `pattern` without regard to letter case.
    static bool matches(const QString& pattern, const QString& name);
};
