#include "platform/archiver/FileFinder.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace {

bool exists(const QString& path) {
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

bool isRegularFile(const QString& path) {
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

QString join(const QString& folder, const QString& name) {
    if (folder.isEmpty())
        return name;
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

QStringList entriesOf(const QString& folder) {
    return QDir(folder.isEmpty() ? QStringLiteral(".") : folder)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// The entry of `folder` named `name` ignoring letter case, exact spelling first; `name` when none.
QString resolveIn(const QString& folder, const QString& name) {
    if (name == QLatin1String(".") || name == QLatin1String("..") || exists(join(folder, name)))
        return name;
    for (const QString& entry : entriesOf(folder)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return name;
}

bool hasWildcards(const QString& name) {
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

bool matchFrom(const QString& pattern, int p, const QString& name, int n) {
    // Iterative wildcard match with backtracking to the last '*'.
    int starP = -1;
    int starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == QLatin1Char('?') || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

} // namespace

QString FileFinder::normalize(const QString& path) {
    QString result = path;
    result.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return result;
}

QString FileFinder::folderOf(const QString& path) {
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    if (slash == 0)
        return QStringLiteral("/");
    return path.left(slash);
}

QString FileFinder::nameOf(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString FileFinder::resolve(const QString& path) {
    const QString normal = normalize(path);
    QString current = normal.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    const QStringList parts = normal.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts)
        current = join(current, resolveIn(current, part));
    return current;
}

bool FileFinder::matches(const QString& pattern, const QString& name) {
    const QString folded = pattern.toCaseFolded();
    if (folded == QLatin1String("*.*"))
        return true;
    return matchFrom(folded, 0, name.toCaseFolded(), 0);
}

std::vector<FoundFile> FileFinder::find(const QString& pattern) {
    const QString normal = normalize(pattern);
    const QString folder = folderOf(normal).isEmpty() ? QString() : resolve(folderOf(normal));
    const QString namePattern = nameOf(normal);
    std::vector<FoundFile> found;
    if (namePattern.isEmpty())
        return found;
    if (!hasWildcards(namePattern)) {
        const QString name = resolveIn(folder, namePattern);
        if (isRegularFile(join(folder, name)))
            found.push_back({join(folder, name), folder, name});
        return found;
    }
    for (const QString& entry : entriesOf(folder)) {
        if (matches(namePattern, entry) && isRegularFile(join(folder, entry)))
            found.push_back({join(folder, entry), folder, entry});
    }
    return found;
}
