// Paths as written in a batch line, made into paths of this file system.
//
// Both '\' and '/' separate components; a path that does not begin with '/' is relative to the working
// folder; "." and ".." are resolved in the text (so "<folder>..\UnInstall.bat" works after <folder>
// itself is gone). Every existing component is then looked up without regard to letter case (the exact
// spelling wins); the components that do not exist stay as written.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace batch {

class PathResolver {
public:
    explicit PathResolver(QString workingFolder);

    const QString& workingFolder() const { return workingFolder_; }

    // Absolute and clean, '/' separators, no trailing '/' (except the root), letter case as written.
    QString absolute(const QString& written) const;
    // absolute(), then each existing component spelled as on disk.
    QString resolve(const QString& written) const;
    // True when the written path ends with a separator ("backup\").
    static bool endsWithSeparator(const QString& written);
    // The last component of a written path (after the last separator).
    static QString lastComponent(const QString& written);
    // The written path without its last component (empty when it has none).
    static QString withoutLastComponent(const QString& written);

    // The entries of `folder` (absolute) whose names match `pattern`, sorted by name, as full paths.
    // With filesOnly, folders are left out (symbolic links are kept, and never followed).
    static QStringList expand(const QString& folder, const QString& pattern, bool filesOnly);
    // The entry of `folder` named `name` without regard to letter case, the exact spelling first;
    // folder + "/" + name when there is none.
    static QString entry(const QString& folder, const QString& name);

    static QString join(const QString& folder, const QString& name);
    static QString parentOf(const QString& absolutePath);
    static QString nameOf(const QString& absolutePath);
    static QByteArray native(const QString& path);

    // lstat-based checks (a symbolic link is never followed).
    static bool exists(const QString& path);
    static bool isFolder(const QString& path); // a real folder, not a link to one
    static bool isLink(const QString& path);

private:
    QString workingFolder_;
};

} // namespace batch
