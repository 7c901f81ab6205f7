#include "installer/FileWriter.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, QByteArrayView bytes) {
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

} // namespace

bool FileWriter::write(const QString& path, QByteArrayView bytes, bool executable) {
    const QFileInfo target(path);
    // A folder of that name is never replaced by a file.
    if (target.isDir())
        return false;
    QByteArray temporary = QFile::encodeName(target.path() + QStringLiteral("/.") + target.fileName() +
                                             QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    const mode_t umask = ::umask(0);
    ::umask(umask);
    const mode_t mode = (executable ? 0777 : 0666) & ~umask;
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = std::rename(temporary.constData(), QFile::encodeName(path).constData()) == 0;
    if (!ok)
        ::unlink(temporary.constData());
    return ok;
}
