// Copies one file so that no partly written file ever carries the final name: the data goes into a
// temporary file in the destination folder (a hidden name ending in ".tmp", so "*.db" never matches
// it), is flushed to disk, takes the source's permissions and modification time, and is renamed over
// the destination in one step; the folder is flushed after the rename. On any failure (disk full,
// unreadable source) the temporary file is removed and the destination is left as it was.
#pragma once

#include <QString>

namespace batch {

class FileCopier {
public:
    static bool copy(const QString& source, const QString& destination, QString* error);
    // Flushes a folder's entries to disk (after a rename into it); failures are ignored.
    static void syncFolder(const QString& folder);
};

} // namespace batch
