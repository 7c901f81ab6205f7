#include "PathResolver.h"

#include "Wildcard.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <sys/stat.h>

namespace batch {

namespace {

QString slashed(const QString& written) {
    QString path = written;
    path.replace(u'\\', u'/');
    return path;
}

QStringList entriesOf(const QString& folder) {
    QDir dir(folder);
    return dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

bool lstatOf(const QString& path, struct stat* st) {
    return ::lstat(PathResolver::native(path).constData(), st) == 0;
}

} // namespace

PathResolver::PathResolver(QString workingFolder) : workingFolder_(QDir::cleanPath(workingFolder)) {}

QString PathResolver::absolute(const QString& written) const {
    QString path = slashed(written);
    if (!path.startsWith(u'/'))
        path = workingFolder_ + u'/' + path;
    return QDir::cleanPath(path);
}

QString PathResolver::resolve(const QString& written) const {
    const QString path = absolute(written);
    const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    QString current = QStringLiteral("/");
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString exact = join(current, parts.at(i));
        if (exists(exact)) {
            current = exact;
            continue;
        }
        const QString found = entry(current, parts.at(i));
        current = found;
        if (!exists(found)) {
            for (qsizetype j = i + 1; j < parts.size(); ++j)
                current = join(current, parts.at(j));
            break;
        }
    }
    return current;
}

bool PathResolver::endsWithSeparator(const QString& written) {
    return written.endsWith(u'/') || written.endsWith(u'\\');
}

QString PathResolver::lastComponent(const QString& written) {
    const QString path = slashed(written);
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString PathResolver::withoutLastComponent(const QString& written) {
    const QString path = slashed(written);
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return {};
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QStringList PathResolver::expand(const QString& folder, const QString& pattern, bool filesOnly) {
    QStringList result;
    for (const QString& name : entriesOf(folder)) {
        if (!Wildcard::matches(pattern, name))
            continue;
        const QString path = join(folder, name);
        if (filesOnly && isFolder(path))
            continue;
        result.append(path);
    }
    return result;
}

QString PathResolver::entry(const QString& folder, const QString& name) {
    const QString exact = join(folder, name);
    if (exists(exact))
        return exact;
    for (const QString& candidate : entriesOf(folder))
        if (Wildcard::sameName(candidate, name))
            return join(folder, candidate);
    return exact;
}

QString PathResolver::join(const QString& folder, const QString& name) {
    if (folder.endsWith(u'/'))
        return folder + name;
    return folder + u'/' + name;
}

QString PathResolver::parentOf(const QString& absolutePath) {
    const qsizetype slash = absolutePath.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : absolutePath.left(slash);
}

QString PathResolver::nameOf(const QString& absolutePath) {
    return absolutePath.mid(absolutePath.lastIndexOf(u'/') + 1);
}

QByteArray PathResolver::native(const QString& path) {
    return QFile::encodeName(path);
}

bool PathResolver::exists(const QString& path) {
    struct stat st;
    return lstatOf(path, &st);
}

bool PathResolver::isFolder(const QString& path) {
    struct stat st;
    return lstatOf(path, &st) && S_ISDIR(st.st_mode);
}

bool PathResolver::isLink(const QString& path) {
    struct stat st;
    return lstatOf(path, &st) && S_ISLNK(st.st_mode);
}

} // namespace batch
