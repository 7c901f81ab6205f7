// Reads a ZIP archive through libarchive, strictly: every entry is read to its end, and a warning from
// libarchive (its only report of a bad CRC or a bad AES authentication code, given at the end of an
// entry) counts as a failure, as does any error. Each entry's name must also stand in the archive's
// central directory (see ZipDirectory). Failures are thrown as ArchiverError.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

struct archive;
struct archive_entry;
class ZipDirectory;

class ArchiveReader {
public:
    // Opens the archive; a missing archive is an OpenError.
    ArchiveReader(const QString& path, const std::optional<std::string>& password);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // Moves to the next entry; false after the last one.
    bool next();
    // The current entry (valid until the next call of next()).
    archive_entry* entry() const { return entry_; }
    // The current entry's name as stored (UTF-8).
    std::string name() const;
    // Reads the current entry's data to its end, handing each block to `sink`.
    void read(const std::function<void(const void*, size_t)>& sink);
    // Closes the archive, checking for a late error.
    void close();

private:
    [[noreturn]] void fail(const std::string& what) const;

    QString path_;
    std::unique_ptr<ZipDirectory> directory_;
    struct archive* archive_ = nullptr;
    archive_entry* entry_ = nullptr;
};
