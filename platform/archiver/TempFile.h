// A file written under a temporary name beside its final place and put there only when complete: created
// new (never through an existing name or link), synced to disk, then renamed over the target, which
// replaces a link at the target instead of following it. Removed again unless committed.
#pragma once

#include <QString>

class TempFile {
public:
    // Creates ".<stem>.<random>.tmp" in `folder` ("" for the working folder). Throws ArchiverError.
    TempFile(const QString& folder, const QString& stem);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int fd() const { return fd_; }
    const QString& path() const { return path_; }

    // Writes all of `size` bytes. Throws ArchiverError.
    void write(const void* data, size_t size);
    // Flushes the data to disk and closes the file. Throws ArchiverError.
    void finish();
    // Renames the finished file to `target` (in the same folder). Throws ArchiverError.
    void commit(const QString& target);
    // Removes the file now (when it was not committed).
    void discard();

    // Flushes a folder's entries (after renames into it) to disk; failures are ignored.
    static void syncFolder(const QString& folder);

private:
    QString path_;
    int fd_ = -1;
    bool settled_ = false; // renamed into place, or removed
};
