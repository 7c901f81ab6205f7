#include "platform/archiver/ArchiveReader.h"

#include "platform/archiver/ArchiverError.h"
#include "platform/archiver/ZipDirectory.h"

#include <QFile>

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr size_t BlockSize = 1 << 20;

std::string quoted(const QString& path) {
    return "'" + QFile::encodeName(path).toStdString() + "'";
}

} // namespace

ArchiveReader::ArchiveReader(const QString& path, const std::optional<std::string>& password) : path_(path) {
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        throw ArchiverError(ArchiverError::OpenError,
                            "cannot open archive " + quoted(path) + ": " + std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        throw ArchiverError(ArchiverError::OpenError, "cannot open archive " + quoted(path) + ": not a file");
    directory_ = std::make_unique<ZipDirectory>(path);
    archive_ = archive_read_new();
    if (archive_ == nullptr)
        throw ArchiverError(ArchiverError::Fatal, "out of memory");
    // Only the format the archiver writes; the seekable reader takes sizes and names from the central
    // directory, which encrypted entries written with data descriptors need.
    if (archive_read_support_format_zip_seekable(archive_) != ARCHIVE_OK)
        fail("cannot set up the ZIP reader");
    if (password && archive_read_add_passphrase(archive_, password->c_str()) != ARCHIVE_OK)
        fail("cannot set the password");
    if (archive_read_open_filename(archive_, QFile::encodeName(path).constData(), BlockSize) != ARCHIVE_OK)
        fail("cannot open archive");
}

ArchiveReader::~ArchiveReader() {
    if (archive_ != nullptr)
        archive_read_free(archive_);
}

void ArchiveReader::fail(const std::string& what) const {
    const char* detail = archive_ != nullptr ? archive_error_string(archive_) : nullptr;
    const std::string text = detail != nullptr ? detail : "unknown error";
    std::string lowered = text;
    for (char& c : lowered)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    ArchiverError::Code code = ArchiverError::Damaged;
    std::string hint;
    if (lowered.find("passphrase") != std::string::npos) {
        code = ArchiverError::BadPassword;
        hint = " (wrong or missing password)";
    } else if (lowered.find("authentication") != std::string::npos ||
               lowered.find("hmac") != std::string::npos) {
        hint = " (wrong password or damaged archive)";
    } else if (lowered.find("crc") != std::string::npos) {
        hint = " (damaged archive)";
    }
    throw ArchiverError(code, what + " " + quoted(path_) + ": " + text + hint);
}

bool ArchiveReader::next() {
    const int status = archive_read_next_header(archive_, &entry_);
    if (status == ARCHIVE_EOF) {
        entry_ = nullptr;
        if (!directory_->allTaken())
            throw ArchiverError(ArchiverError::Damaged,
                                "archive " + quoted(path_) +
                                    ": its entries do not match its central directory (damaged archive)");
        return false;
    }
    if (status != ARCHIVE_OK)
        fail("cannot read an entry header of");
    if (!directory_->take(name()))
        throw ArchiverError(ArchiverError::Damaged,
                            "archive " + quoted(path_) + ": the name of entry '" + name() +
                                "' does not match its central directory (damaged archive)");
    return true;
}

std::string ArchiveReader::name() const {
    const char* name = archive_entry_pathname_utf8(entry_);
    if (name == nullptr)
        name = archive_entry_pathname(entry_);
    return name != nullptr ? name : std::string();
}

void ArchiveReader::read(const std::function<void(const void*, size_t)>& sink) {
    std::vector<char> buffer(BlockSize);
    for (;;) {
        const la_ssize_t count = archive_read_data(archive_, buffer.data(), buffer.size());
        if (count == 0)
            return;
        if (count < 0) // ARCHIVE_WARN included: a bad CRC or authentication code
            fail("cannot read entry '" + name() + "' of");
        sink(buffer.data(), static_cast<size_t>(count));
    }
}

void ArchiveReader::close() {
    if (archive_read_close(archive_) != ARCHIVE_OK)
        fail("cannot close archive");
}
