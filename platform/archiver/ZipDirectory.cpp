#include "platform/archiver/ZipDirectory.h"

#include "platform/archiver/ArchiverError.h"

#include <QFile>

#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr uint32_t EndSignature = 0x06054b50;
constexpr uint32_t Zip64LocatorSignature = 0x07064b50;
constexpr uint32_t Zip64EndSignature = 0x06064b50;
constexpr uint32_t EntrySignature = 0x02014b50;
constexpr size_t EndSize = 22;
constexpr size_t Zip64LocatorSize = 20;
constexpr size_t Zip64EndSize = 56;
constexpr size_t EntrySize = 46;
constexpr uint64_t DirectoryLimit = 64ull << 20; // far above any archive of five tables

uint64_t le(const unsigned char* p, int bytes) {
    uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

class File {
public:
    explicit File(const QString& path) : path_(path) {
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        struct stat info;
        if (fd_ < 0 || ::fstat(fd_, &info) != 0)
            damaged("cannot be opened");
        size_ = static_cast<uint64_t>(info.st_size);
    }
    ~File() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    uint64_t size() const { return size_; }

    std::vector<unsigned char> read(uint64_t offset, uint64_t length) const {
        if (offset > size_ || length > size_ - offset)
            damaged("is truncated");
        std::vector<unsigned char> bytes(length);
        size_t done = 0;
        while (done < length) {
            const ssize_t count =
                ::pread(fd_, bytes.data() + done, length - done, static_cast<off_t>(offset + done));
            if (count <= 0)
                damaged("cannot be read");
            done += static_cast<size_t>(count);
        }
        return bytes;
    }

    [[noreturn]] void damaged(const char* what) const {
        throw ArchiverError(ArchiverError::Damaged, "archive '" + QFile::encodeName(path_).toStdString() +
                                                        "' " + what + " (damaged archive)");
    }

private:
    QString path_;
    int fd_ = -1;
    uint64_t size_ = 0;
};

// libarchive turns '\' in a name into '/'; both copies are compared in that form.
std::string slashed(std::string name) {
    for (char& c : name) {
        if (c == '\\')
            c = '/';
    }
    return name;
}

bool isAscii(const std::string& text) {
    for (unsigned char c : text) {
        if (c >= 0x80)
            return false;
    }
    return true;
}

} // namespace

ZipDirectory::ZipDirectory(const QString& path) {
    const File file(path);
    if (file.size() < EndSize)
        file.damaged("is too short to be a ZIP archive");
    // The end record: the last 22 bytes plus a comment of up to 65535 bytes.
    const uint64_t tailSize = std::min<uint64_t>(file.size(), EndSize + 0xFFFF);
    const std::vector<unsigned char> tail = file.read(file.size() - tailSize, tailSize);
    int64_t at = -1;
    for (int64_t i = static_cast<int64_t>(tailSize - EndSize); i >= 0; --i) {
        const unsigned char* p = tail.data() + i;
        if (le(p, 4) == EndSignature && static_cast<uint64_t>(i) + EndSize + le(p + 20, 2) == tailSize) {
            at = i;
            break;
        }
    }
    if (at < 0)
        file.damaged("has no ZIP end record");
    const unsigned char* end = tail.data() + at;
    const uint64_t endOffset = file.size() - tailSize + static_cast<uint64_t>(at);
    uint64_t entries = le(end + 10, 2);
    uint64_t directorySize = le(end + 12, 4);
    uint64_t directoryOffset = le(end + 16, 4);
    if (le(end + 4, 2) != 0 || le(end + 6, 2) != 0)
        file.damaged("spans several volumes");
    if (entries == 0xFFFF || directorySize == 0xFFFFFFFF || directoryOffset == 0xFFFFFFFF) {
        if (endOffset < Zip64LocatorSize)
            file.damaged("has no ZIP64 end record");
        const std::vector<unsigned char> locator = file.read(endOffset - Zip64LocatorSize, Zip64LocatorSize);
        if (le(locator.data(), 4) != Zip64LocatorSignature)
            file.damaged("has no ZIP64 end record");
        const std::vector<unsigned char> end64 = file.read(le(locator.data() + 8, 8), Zip64EndSize);
        if (le(end64.data(), 4) != Zip64EndSignature)
            file.damaged("has a damaged ZIP64 end record");
        entries = le(end64.data() + 32, 8);
        directorySize = le(end64.data() + 40, 8);
        directoryOffset = le(end64.data() + 48, 8);
    }
    if (directorySize > DirectoryLimit || directoryOffset > endOffset ||
        directorySize > endOffset - directoryOffset)
        file.damaged("has a damaged central directory");
    const std::vector<unsigned char> directory = file.read(directoryOffset, directorySize);
    size_t pos = 0;
    for (uint64_t n = 0; n < entries; ++n) {
        if (directory.size() - pos < EntrySize || le(directory.data() + pos, 4) != EntrySignature)
            file.damaged("has a damaged central directory");
        const unsigned char* p = directory.data() + pos;
        const bool utf8 = (le(p + 8, 2) & 0x0800) != 0;
        const size_t nameLength = le(p + 28, 2);
        const size_t length = EntrySize + nameLength + le(p + 30, 2) + le(p + 32, 2);
        if (directory.size() - pos < length)
            file.damaged("has a damaged central directory");
        const std::string name(reinterpret_cast<const char*>(p + EntrySize), nameLength);
        if (utf8 || isAscii(name))
            ++names_[slashed(name)];
        else
            ++unchecked_;
        pos += length;
    }
    if (pos != directory.size())
        file.damaged("has a damaged central directory");
}

bool ZipDirectory::take(const std::string& name) {
    const auto found = names_.find(slashed(name));
    if (found != names_.end()) {
        if (--found->second == 0)
            names_.erase(found);
        return true;
    }
    if (unchecked_ > 0 && !isAscii(name)) {
        --unchecked_;
        return true;
    }
    return false;
}
