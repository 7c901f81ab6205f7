#include "platform/archiver/TempFile.h"

#include "platform/archiver/ArchiverError.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string describe(const QString& path, const char* what) {
    return std::string(what) + " '" + QFile::encodeName(path).toStdString() + "': " + std::strerror(errno);
}

mode_t fileMode() {
    // Ordinary new files: 0666 less the process's umask.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

QString randomPart() {
    static std::mt19937_64 generator(std::random_device{}() ^
                                     (static_cast<unsigned long long>(::getpid()) << 32));
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString text;
    for (int i = 0; i < 8; ++i)
        text += QLatin1Char(letters[generator() % (sizeof(letters) - 1)]);
    return text;
}

} // namespace

TempFile::TempFile(const QString& folder, const QString& stem) {
    const QString prefix = folder.isEmpty()
                               ? QString()
                               : (folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate =
            prefix + QLatin1Char('.') + stem + QLatin1Char('.') + randomPart() + QStringLiteral(".tmp");
        fd_ = ::open(QFile::encodeName(candidate).constData(),
                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, fileMode());
        if (fd_ >= 0) {
            path_ = candidate;
            return;
        }
        if (errno != EEXIST)
            throw ArchiverError(ArchiverError::CreateError,
                                describe(candidate, "cannot create temporary file"));
    }
    throw ArchiverError(ArchiverError::CreateError, "cannot create a temporary file in '" +
                                                        QFile::encodeName(prefix).toStdString() + "'");
}

TempFile::~TempFile() {
    if (!settled_)
        discard();
}

void TempFile::write(const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd_, bytes, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw ArchiverError(ArchiverError::WriteError, describe(path_, "cannot write"));
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
}

void TempFile::finish() {
    if (::fsync(fd_) != 0)
        throw ArchiverError(ArchiverError::WriteError, describe(path_, "cannot flush"));
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        throw ArchiverError(ArchiverError::WriteError, describe(path_, "cannot close"));
}

void TempFile::commit(const QString& target) {
    if (fd_ >= 0)
        finish();
    if (::rename(QFile::encodeName(path_).constData(), QFile::encodeName(target).constData()) != 0)
        throw ArchiverError(ArchiverError::WriteError, describe(target, "cannot rename into place"));
    settled_ = true;
}

void TempFile::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!path_.isEmpty() && !settled_)
        ::unlink(QFile::encodeName(path_).constData());
    settled_ = true;
}

void TempFile::syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}
