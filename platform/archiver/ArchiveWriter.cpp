#include "platform/archiver/ArchiveWriter.h"

#include "platform/archiver/ArchiveReader.h"
#include "platform/archiver/ArchiverError.h"
#include "platform/archiver/TempFile.h"

#include <QFile>
#include <QSet>
#include <QStringList>

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr size_t BlockSize = 1 << 20;

std::string text(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The name stored for a file: its own name with -ep, else its folder as given, made relative.
QString storedName(const FoundFile& file, bool storePaths) {
    if (!storePaths || file.folder.isEmpty())
        return file.name;
    QStringList kept;
    for (const QString& part : file.folder.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".") || part == QLatin1String("..") ||
            (part.size() == 2 && part[1] == QLatin1Char(':')))
            continue;
        kept << part;
    }
    kept << file.name;
    return kept.join(QLatin1Char('/'));
}

class Writer {
public:
    Writer(TempFile& out, const ArchiveWriter::Options& options) : out_(out) {
        archive_ = archive_write_new();
        if (archive_ == nullptr)
            throw ArchiverError(ArchiverError::Fatal, "out of memory");
        check(archive_write_set_format_zip(archive_), "cannot set up the ZIP writer");
        if (options.method == 0) {
            check(archive_write_set_format_option(archive_, "zip", "compression", "store"),
                  "cannot choose storing");
        } else {
            check(archive_write_set_format_option(archive_, "zip", "compression", "deflate"),
                  "cannot choose deflate");
            const std::string level = std::to_string(ArchiveWriter::deflateLevel(options.method));
            check(archive_write_set_format_option(archive_, "zip", "compression-level", level.c_str()),
                  "cannot set the compression level");
        }
        check(archive_write_set_format_option(archive_, "zip", "hdrcharset", "UTF-8"),
              "cannot set UTF-8 names");
        if (options.password) {
            // Without the encryption option a passphrase alone would give an unencrypted archive.
            check(archive_write_set_format_option(archive_, "zip", "encryption", "aes256"),
                  "cannot choose AES-256 encryption");
            check(archive_write_set_passphrase(archive_, options.password->c_str()),
                  "cannot set the password");
        }
        check(archive_write_set_bytes_per_block(archive_, static_cast<int>(BlockSize)),
              "cannot set the block size");
        check(archive_write_set_bytes_in_last_block(archive_, 1), "cannot set the block size");
        check(archive_write_open(archive_, this, nullptr, &Writer::onWrite, nullptr),
              "cannot open the archive");
    }

    ~Writer() { archive_write_free(archive_); }

    void begin(archive_entry* entry, const QString& name) {
        if (archive_write_header(archive_, entry) != ARCHIVE_OK)
            fail("cannot add '" + text(name) + "'");
    }

    void data(const void* bytes, size_t size, const QString& name) {
        const la_ssize_t written = archive_write_data(archive_, bytes, size);
        if (written < 0 || static_cast<size_t>(written) != size)
            fail("cannot add '" + text(name) + "'");
    }

    void end(const QString& name) {
        if (archive_write_finish_entry(archive_) != ARCHIVE_OK)
            fail("cannot add '" + text(name) + "'");
    }

    void close() {
        if (archive_write_close(archive_) != ARCHIVE_OK)
            fail("cannot finish the archive");
    }

private:
    static la_ssize_t onWrite(struct archive* archive, void* self, const void* buffer, size_t length) {
        try {
            static_cast<Writer*>(self)->out_.write(buffer, length);
            return static_cast<la_ssize_t>(length);
        } catch (const ArchiverError& error) {
            archive_set_error(archive, EIO, "%s", error.what());
            return -1;
        }
    }

    void check(int status, const std::string& what) {
        if (status != ARCHIVE_OK)
            fail(what);
    }

    [[noreturn]] void fail(const std::string& what) {
        const char* detail = archive_error_string(archive_);
        throw ArchiverError(ArchiverError::WriteError,
                            what + ": " + (detail != nullptr ? detail : "unknown error"));
    }

    TempFile& out_;
    struct archive* archive_ = nullptr;
};

class Entry {
public:
    Entry() : entry_(archive_entry_new()) {
        if (entry_ == nullptr)
            throw ArchiverError(ArchiverError::Fatal, "out of memory");
    }
    ~Entry() { archive_entry_free(entry_); }
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;
    archive_entry* get() const { return entry_; }

private:
    archive_entry* entry_;
};

class InputFile {
public:
    explicit InputFile(const QString& path) : path_(path) {
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0 || ::fstat(fd_, &info_) != 0)
            throw ArchiverError(ArchiverError::OpenError,
                                "cannot open '" + text(path) + "': " + std::strerror(errno));
    }
    ~InputFile() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    const struct stat& info() const { return info_; }

    size_t read(char* buffer, size_t size) {
        for (;;) {
            const ssize_t count = ::read(fd_, buffer, size);
            if (count >= 0)
                return static_cast<size_t>(count);
            if (errno != EINTR)
                throw ArchiverError(ArchiverError::OpenError,
                                    "cannot read '" + text(path_) + "': " + std::strerror(errno));
        }
    }

private:
    QString path_;
    int fd_ = -1;
    struct stat info_ {};
};

void addFile(Writer& writer, const FoundFile& file, const QString& name, std::vector<char>& buffer) {
    InputFile input(file.path);
    const struct stat& info = input.info();
    Entry entry;
    archive_entry_set_pathname_utf8(entry.get(), name.toUtf8().constData());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), info.st_mode & 0777);
    archive_entry_set_size(entry.get(), info.st_size);
    archive_entry_set_mtime(entry.get(), info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
    writer.begin(entry.get(), name);
    auto remaining = static_cast<unsigned long long>(info.st_size);
    while (remaining > 0) {
        const size_t count =
            input.read(buffer.data(), std::min<unsigned long long>(remaining, buffer.size()));
        if (count == 0)
            throw ArchiverError(ArchiverError::OpenError,
                                "'" + text(file.path) + "' shrank while it was archived");
        writer.data(buffer.data(), count, name);
        remaining -= count;
    }
    if (input.read(buffer.data(), 1) != 0)
        throw ArchiverError(ArchiverError::OpenError, "'" + text(file.path) + "' grew while it was archived");
    writer.end(name);
}

// Copies the entries of the existing archive that no added file replaces.
void carryOver(Writer& writer, const QString& archive, const std::optional<std::string>& password,
               const QSet<QString>& replaced) {
    ArchiveReader reader(archive, password);
    while (reader.next()) {
        archive_entry* old = reader.entry();
        const QString name = QString::fromStdString(reader.name());
        const mode_t type = archive_entry_filetype(old);
        if (replaced.contains(name.toCaseFolded()) || (type != AE_IFREG && type != AE_IFDIR)) {
            reader.read([](const void*, size_t) {});
            continue;
        }
        Entry entry;
        archive_entry_set_pathname_utf8(entry.get(), reader.name().c_str());
        archive_entry_set_filetype(entry.get(), type);
        archive_entry_set_perm(entry.get(), archive_entry_perm(old));
        if (archive_entry_size_is_set(old))
            archive_entry_set_size(entry.get(), archive_entry_size(old));
        if (archive_entry_mtime_is_set(old))
            archive_entry_set_mtime(entry.get(), archive_entry_mtime(old), archive_entry_mtime_nsec(old));
        writer.begin(entry.get(), name);
        reader.read([&](const void* data, size_t size) { writer.data(data, size, name); });
        writer.end(name);
    }
    reader.close();
}

} // namespace

ArchiveWriter::ArchiveWriter(const QString& archive, const Options& options)
    : archive_(FileFinder::resolve(archive)), options_(options) {}

int ArchiveWriter::deflateLevel(int method) {
    static const int levels[] = {0, 1, 3, 6, 8, 9};
    return levels[method < 0 ? 0 : (method > 5 ? 5 : method)];
}

void ArchiveWriter::write(const std::vector<FoundFile>& files) {
    const QString folder = FileFinder::folderOf(archive_);
    struct stat folderInfo;
    if (::stat(QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder).constData(), &folderInfo) !=
            0 ||
        !S_ISDIR(folderInfo.st_mode))
        throw ArchiverError(ArchiverError::CreateError,
                            "cannot create archive '" + text(archive_) + "': its folder does not exist");

    struct stat archiveInfo;
    const bool updating = ::stat(QFile::encodeName(archive_).constData(), &archiveInfo) == 0;
    if (updating && !S_ISREG(archiveInfo.st_mode))
        throw ArchiverError(ArchiverError::CreateError,
                            "cannot create archive '" + text(archive_) + "': not a file");

    // The files to add: each file once, never the archive itself.
    std::vector<std::pair<FoundFile, QString>> toAdd;
    std::set<std::pair<dev_t, ino_t>> seen;
    QSet<QString> names;
    for (const FoundFile& file : files) {
        struct stat info;
        if (::stat(QFile::encodeName(file.path).constData(), &info) != 0)
            continue;
        if (updating && info.st_dev == archiveInfo.st_dev && info.st_ino == archiveInfo.st_ino)
            continue;
        if (!seen.insert({info.st_dev, info.st_ino}).second)
            continue;
        const QString name = storedName(file, options_.storePaths);
        names.insert(name.toCaseFolded());
        toAdd.emplace_back(file, name);
    }
    if (toAdd.empty())
        throw ArchiverError(ArchiverError::NoFiles,
                            "no files to add; archive '" + text(archive_) + "' not written");

    TempFile out(folder, FileFinder::nameOf(archive_));
    {
        Writer writer(out, options_);
        if (updating)
            carryOver(writer, archive_, options_.password, names);
        std::vector<char> buffer(BlockSize);
        for (const auto& [file, name] : toAdd)
            addFile(writer, file, name, buffer);
        writer.close();
    }
    out.commit(archive_);
    TempFile::syncFolder(folder);
}
