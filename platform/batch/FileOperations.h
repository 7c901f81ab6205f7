// The file commands of the batch files: ren, md, rd, copy, move, del, and the test of "if exist".
//
// Paths are taken as PathResolver makes them (relative to the working folder, letter case aside);
// wildcards are allowed in the last component of the paths of copy, move, del and "if exist". Every
// failure is reported through Diagnostics and makes the command return false; the caller goes on with
// the next line.
#pragma once

#include "Diagnostics.h"
#include "PathResolver.h"

#include <QString>
#include <QStringList>

namespace batch {

class FileOperations {
public:
    FileOperations(const PathResolver& paths, const Diagnostics& diagnostics)
        : paths_(paths), diagnostics_(diagnostics) {}

    // "if exist": the path, or with a wildcard any entry matching it, exists.
    bool exists(const QString& written) const;
    // ren <old> <new>: the new name is a bare name in the folder of the old one; it must not exist yet.
    bool ren(const QString& oldWritten, const QString& newName) const;
    // md <path>: creates the folder and any missing parents; an existing one is an error.
    bool md(const QString& written) const;
    // rd [/S] <path>: without recursive only an empty folder. Symbolic links are removed, never followed,
    // and the removal stays on the folder's own file system. The root, the working folder and the
    // folders holding it are never removed.
    bool rd(const QString& written, bool recursive) const;
    // copy <source> <destination>: byte copies, never a partly written file under its final name.
    bool copy(const QString& source, const QString& destination) const;
    // move <source> <destination>: a rename, or copy and delete across file systems.
    bool move(const QString& source, const QString& destination) const;
    // del <path>: files only.
    bool del(const QString& written) const;

private:
    struct Destination {
        QString folder;
        QString pattern;  // a wildcard name ("*.db"), or empty
        QString fileName; // one fixed name, or empty (keep each source's name)
    };

    bool sourceFiles(const QString& command, const QString& written, QStringList* files) const;
    bool destinationOf(const QString& command, const QString& written, int sourceCount,
                       Destination* destination) const;
    QString targetPath(const Destination& destination, const QString& source) const;
    bool fail(const QString& message) const;

    const PathResolver& paths_;
    const Diagnostics& diagnostics_;
};

} // namespace batch
