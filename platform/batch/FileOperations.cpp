#include "FileOperations.h"

#include "FileCopier.h"
#include "Wildcard.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

namespace batch {

namespace {

QString systemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

bool isFolderFollowingLinks(const QString& path) {
    return QFileInfo(path).isDir();
}

bool sameFile(const QString& a, const QString& b) {
    struct stat sa, sb;
    if (::stat(PathResolver::native(a).constData(), &sa) != 0 ||
        ::stat(PathResolver::native(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// True when `inner` is `outer` or lies inside it (both clean and absolute).
bool within(const QString& inner, const QString& outer) {
    if (outer == QLatin1String("/"))
        return true;
    return inner == outer || inner.startsWith(outer + u'/');
}

// The first failure of a tree removal; nftw's callback has no user argument.
struct TreeRemoval {
    int failures = 0;
    QString firstFailure;
};
TreeRemoval* currentRemoval = nullptr;

int removeEntry(const char* path, const struct stat*, int type, struct FTW*) {
    const int result = (type == FTW_DP || type == FTW_DNR || type == FTW_D) ? ::rmdir(path) : ::unlink(path);
    if (result != 0 && currentRemoval) {
        if (currentRemoval->failures++ == 0)
            currentRemoval->firstFailure =
                QStringLiteral("%1: %2").arg(QFile::decodeName(path), systemError(errno));
    }
    return 0; // go on with the rest of the tree
}

} // namespace

bool FileOperations::fail(const QString& message) const {
    diagnostics_.report(message);
    return false;
}

bool FileOperations::exists(const QString& written) const {
    const QString last = PathResolver::lastComponent(written);
    if (Wildcard::isPattern(last)) {
        const QString folder = paths_.resolve(PathResolver::withoutLastComponent(written));
        return !PathResolver::expand(folder, last, false).isEmpty();
    }
    const QString path = paths_.resolve(written);
    if (PathResolver::endsWithSeparator(written))
        return isFolderFollowingLinks(path);
    return PathResolver::exists(path);
}

bool FileOperations::ren(const QString& oldWritten, const QString& newName) const {
    if (newName.contains(u'/') || newName.contains(u'\\') || newName == QLatin1String(".") ||
        newName == QLatin1String(".."))
        return fail(QStringLiteral("ren: новое имя должно быть именем в той же папке: %1").arg(newName));
    if (Wildcard::isPattern(oldWritten) || Wildcard::isPattern(newName))
        return fail(QStringLiteral("ren: шаблоны имен не поддерживаются"));
    const QString oldPath = paths_.resolve(oldWritten);
    if (!PathResolver::exists(oldPath))
        return fail(QStringLiteral("ren: не найден файл %1").arg(oldPath));
    const QString newPath = PathResolver::entry(PathResolver::parentOf(oldPath), newName);
    if (PathResolver::exists(newPath) && !sameFile(oldPath, newPath))
        return fail(QStringLiteral("ren: файл %1 уже существует").arg(newPath));
    const QString finalPath = PathResolver::join(PathResolver::parentOf(oldPath), newName);
    if (::rename(PathResolver::native(oldPath).constData(), PathResolver::native(finalPath).constData()) != 0)
        return fail(QStringLiteral("ren: %1 -> %2: %3").arg(oldPath, newName, systemError(errno)));
    FileCopier::syncFolder(PathResolver::parentOf(oldPath));
    return true;
}

bool FileOperations::md(const QString& written) const {
    const QString path = paths_.resolve(written);
    if (PathResolver::exists(path))
        return fail(QStringLiteral("md: %1 уже существует").arg(path));
    if (!QDir().mkpath(path))
        return fail(QStringLiteral("md: не удается создать папку %1").arg(path));
    return true;
}

bool FileOperations::rd(const QString& written, bool recursive) const {
    if (Wildcard::isPattern(PathResolver::lastComponent(written)))
        return fail(QStringLiteral("rd: шаблоны имен не поддерживаются"));
    const QString path = paths_.resolve(written);
    if (within(paths_.workingFolder(), path))
        return fail(QStringLiteral("rd: папка %1 — рабочая папка или содержит ее; не удаляется").arg(path));
    if (!PathResolver::exists(path))
        return fail(QStringLiteral("rd: папка не найдена: %1").arg(path));
    const QByteArray native = PathResolver::native(path);
    if (PathResolver::isLink(path)) {
        if (::unlink(native.constData()) != 0)
            return fail(QStringLiteral("rd: %1: %2").arg(path, systemError(errno)));
        return true;
    }
    if (!PathResolver::isFolder(path))
        return fail(QStringLiteral("rd: %1 не является папкой").arg(path));
    if (!recursive) {
        if (::rmdir(native.constData()) != 0)
            return fail(errno == ENOTEMPTY || errno == EEXIST
                            ? QStringLiteral("rd: папка %1 не пуста (нужен ключ /S)").arg(path)
                            : QStringLiteral("rd: %1: %2").arg(path, systemError(errno)));
        return true;
    }
    TreeRemoval removal;
    currentRemoval = &removal;
    ::nftw(native.constData(), removeEntry, 16, FTW_DEPTH | FTW_PHYS | FTW_MOUNT);
    currentRemoval = nullptr;
    if (removal.failures > 0)
        return fail(QStringLiteral("rd: не удалось удалить %1 (%2 элем.), первая ошибка: %3")
                        .arg(path)
                        .arg(removal.failures)
                        .arg(removal.firstFailure));
    return true;
}

bool FileOperations::sourceFiles(const QString& command, const QString& written, QStringList* files) const {
    const QString folderPart = PathResolver::withoutLastComponent(written);
    if (Wildcard::isPattern(folderPart))
        return fail(QStringLiteral("%1: шаблоны допускаются только в имени файла: %2").arg(command, written));
    QString last = PathResolver::lastComponent(written);
    QString folder;
    if (Wildcard::isPattern(last)) {
        folder = paths_.resolve(folderPart);
    } else {
        const QString path = paths_.resolve(written);
        if (PathResolver::endsWithSeparator(written) || PathResolver::isFolder(path)) {
            folder = path; // a folder stands for all the files in it
            last = QStringLiteral("*");
        } else {
            if (!PathResolver::exists(path))
                return fail(QStringLiteral("%1: файл не найден: %2").arg(command, path));
            files->append(path);
            return true;
        }
    }
    *files = PathResolver::expand(folder, last, true);
    if (files->isEmpty())
        return fail(QStringLiteral("%1: нет файлов %2").arg(command, paths_.absolute(written)));
    return true;
}

bool FileOperations::destinationOf(const QString& command, const QString& written, int sourceCount,
                                   Destination* destination) const {
    const QString last = PathResolver::lastComponent(written);
    const QString folderPart = PathResolver::withoutLastComponent(written);
    if (Wildcard::isPattern(folderPart))
        return fail(QStringLiteral("%1: шаблоны допускаются только в имени файла: %2").arg(command, written));
    if (Wildcard::isPattern(last)) {
        if (Wildcard::targetName(last, QStringLiteral("a.b")).isEmpty())
            return fail(QStringLiteral("%1: шаблон назначения не поддерживается: %2").arg(command, last));
        destination->folder = paths_.resolve(folderPart);
        destination->pattern = last;
    } else {
        const QString path = paths_.resolve(written);
        if (PathResolver::endsWithSeparator(written) || isFolderFollowingLinks(path)) {
            destination->folder = path;
        } else {
            if (sourceCount > 1)
                return fail(
                    QStringLiteral("%1: несколько файлов нельзя записать в один файл %2").arg(command, path));
            destination->folder = PathResolver::parentOf(path);
            destination->fileName = PathResolver::nameOf(path);
        }
    }
    if (!isFolderFollowingLinks(destination->folder))
        return fail(QStringLiteral("%1: папка назначения не найдена: %2").arg(command, destination->folder));
    return true;
}

QString FileOperations::targetPath(const Destination& destination, const QString& source) const {
    QString name = PathResolver::nameOf(source);
    if (!destination.fileName.isEmpty())
        name = destination.fileName;
    else if (!destination.pattern.isEmpty())
        name = Wildcard::targetName(destination.pattern, name);
    return PathResolver::entry(destination.folder, name);
}

bool FileOperations::copy(const QString& source, const QString& destination) const {
    QStringList files;
    if (!sourceFiles(QStringLiteral("copy"), source, &files))
        return false;
    Destination target;
    if (!destinationOf(QStringLiteral("copy"), destination, int(files.size()), &target))
        return false;
    bool ok = true;
    for (const QString& file : files) {
        const QString finalPath = targetPath(target, file);
        if (sameFile(file, finalPath)) {
            ok = fail(QStringLiteral("copy: файл не может быть скопирован сам в себя: %1").arg(file));
            continue;
        }
        if (PathResolver::isFolder(finalPath)) {
            ok = fail(QStringLiteral("copy: %1 — папка, файл туда не записывается").arg(finalPath));
            continue;
        }
        QString error;
        if (!FileCopier::copy(file, finalPath, &error))
            ok = fail(QStringLiteral("copy: ") + error);
    }
    return ok;
}

bool FileOperations::move(const QString& source, const QString& destination) const {
    QStringList files;
    if (!sourceFiles(QStringLiteral("move"), source, &files))
        return false;
    Destination target;
    if (!destinationOf(QStringLiteral("move"), destination, int(files.size()), &target))
        return false;
    bool ok = true;
    for (const QString& file : files) {
        const QString finalPath = targetPath(target, file);
        if (sameFile(file, finalPath) && file == finalPath)
            continue; // already in place
        if (PathResolver::isFolder(finalPath)) {
            ok = fail(QStringLiteral("move: %1 — папка, файл туда не переносится").arg(finalPath));
            continue;
        }
        const QByteArray from = PathResolver::native(file);
        if (::rename(from.constData(), PathResolver::native(finalPath).constData()) == 0)
            continue;
        if (errno != EXDEV) {
            ok = fail(QStringLiteral("move: %1 -> %2: %3").arg(file, finalPath, systemError(errno)));
            continue;
        }
        QString error;
        if (!FileCopier::copy(file, finalPath, &error)) {
            ok = fail(QStringLiteral("move: ") + error);
            continue;
        }
        if (::unlink(from.constData()) != 0)
            ok = fail(QStringLiteral("move: скопирован, но не удален %1: %2").arg(file, systemError(errno)));
    }
    FileCopier::syncFolder(target.folder);
    if (!files.isEmpty())
        FileCopier::syncFolder(PathResolver::parentOf(files.first()));
    return ok;
}

bool FileOperations::del(const QString& written) const {
    const QString folderPart = PathResolver::withoutLastComponent(written);
    const QString last = PathResolver::lastComponent(written);
    if (Wildcard::isPattern(folderPart))
        return fail(QStringLiteral("del: шаблоны допускаются только в имени файла: %1").arg(written));
    QStringList files;
    if (Wildcard::isPattern(last)) {
        files = PathResolver::expand(paths_.resolve(folderPart), last, true);
        if (files.isEmpty())
            return fail(QStringLiteral("del: нет файлов %1").arg(paths_.absolute(written)));
    } else {
        const QString path = paths_.resolve(written);
        if (!PathResolver::exists(path))
            return fail(QStringLiteral("del: файл не найден: %1").arg(path));
        if (PathResolver::isFolder(path))
            return fail(QStringLiteral("del: %1 — папка; del удаляет только файлы").arg(path));
        files.append(path);
    }
    bool ok = true;
    for (const QString& file : files)
        if (::unlink(PathResolver::native(file).constData()) != 0)
            ok = fail(QStringLiteral("del: %1: %2").arg(file, systemError(errno)));
    return ok;
}

} // namespace batch
