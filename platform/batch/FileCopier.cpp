#include "FileCopier.h"

#include "PathResolver.h"

#include <QByteArray>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace batch {

namespace {

QString systemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

// Closes a descriptor when it goes out of scope, unless released.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and reports the result.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

bool writeAll(int fd, const char* data, size_t size, int* code) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            *code = errno;
            return false;
        }
        data += written;
        size -= size_t(written);
    }
    return true;
}

std::atomic<unsigned> temporaryCounter{0};

} // namespace

bool FileCopier::copy(const QString& source, const QString& destination, QString* error) {
    Descriptor in(::open(PathResolver::native(source).constData(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0) {
        *error = QStringLiteral("не удается открыть %1: %2").arg(source, systemError(errno));
        return false;
    }
    struct stat st;
    if (::fstat(in.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        *error = QStringLiteral("%1 не является файлом").arg(source);
        return false;
    }

    const QString folder = PathResolver::parentOf(destination);
    const QString temporary = PathResolver::join(folder, QStringLiteral(".%1.~cmd%2-%3.tmp")
                                                             .arg(PathResolver::nameOf(destination))
                                                             .arg(::getpid())
                                                             .arg(temporaryCounter.fetch_add(1)));
    const QByteArray temporaryName = PathResolver::native(temporary);
    Descriptor out(::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (out.get() < 0) {
        *error = QStringLiteral("не удается создать файл в папке %1: %2").arg(folder, systemError(errno));
        return false;
    }

    auto fail = [&](const QString& what, int code) {
        *error = QStringLiteral("копирование %1 в %2 не удалось (%3): %4")
                     .arg(source, destination, what, systemError(code));
        ::unlink(temporaryName.constData());
        return false;
    };

    // The kernel copies the bytes itself where it can, as cp does; plain reads and writes otherwise.
    bool kernelCopy = true;
    for (;;) {
        const ssize_t copied = ::copy_file_range(in.get(), nullptr, out.get(), nullptr, 1 << 30, 0);
        if (copied > 0)
            continue;
        if (copied == 0)
            break;
        if (errno == EINTR)
            continue;
        if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP) {
            kernelCopy = false;
            break;
        }
        return fail(QStringLiteral("запись"), errno);
    }
    static constexpr size_t bufferSize = 256 * 1024;
    QByteArray buffer(kernelCopy ? 0 : qsizetype(bufferSize), Qt::Uninitialized);
    while (!kernelCopy) {
        const ssize_t got = ::read(in.get(), buffer.data(), bufferSize);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return fail(QStringLiteral("чтение"), errno);
        }
        if (got == 0)
            break;
        int code = 0;
        if (!writeAll(out.get(), buffer.constData(), size_t(got), &code))
            return fail(QStringLiteral("запись"), code);
    }
    if (::fchmod(out.get(), st.st_mode & 07777) != 0)
        return fail(QStringLiteral("права доступа"), errno);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(out.get(), times);
    if (out.close() != 0)
        return fail(QStringLiteral("закрытие"), errno);
    if (::rename(temporaryName.constData(), PathResolver::native(destination).constData()) != 0)
        return fail(QStringLiteral("переименование"), errno);
    // No fsync: like a command interpreter's copy, the copy is as durable as the file system makes
    // it. The copies the ledger makes (the undo snapshot) do not outlive the run anyway.
    return true;
}

void FileCopier::syncFolder(const QString& folder) {
    const int fd = ::open(PathResolver::native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace batch
