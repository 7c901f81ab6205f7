#include "Wildcard.h"

namespace batch {

namespace {

bool sameChar(QChar a, QChar b) {
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

} // namespace

bool Wildcard::isPattern(const QString& name) {
    return name.contains(u'*') || name.contains(u'?');
}

bool Wildcard::sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool Wildcard::matches(const QString& pattern, const QString& name) {
    if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*"))
        return true;
    // Iterative glob with one backtrack point (the last '*').
    qsizetype p = 0, n = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern.at(p) == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern.at(p) == u'?' || sameChar(pattern.at(p), name.at(n)))) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern.at(p) == u'*')
        ++p;
    return p == pattern.size();
}

QString Wildcard::targetName(const QString& pattern, const QString& sourceName) {
    if (pattern == QLatin1String("*") || pattern == QLatin1String("*.*"))
        return sourceName;
    if (!pattern.startsWith(u'*'))
        return {};
    const QString tail = pattern.mid(1);
    if (isPattern(tail))
        return {};
    if (tail.startsWith(u'.')) {
        const qsizetype dot = sourceName.lastIndexOf(u'.');
        const QString stem = dot > 0 ? sourceName.left(dot) : sourceName;
        return stem + tail;
    }
    return sourceName + tail;
}

} // namespace batch
