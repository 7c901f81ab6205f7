#include "platform/archiver/EntryName.h"

#include "platform/archiver/ArchiverError.h"

#include <QStringList>

QString EntryName::check(const std::string& stored, std::string* why) {
    auto refuse = [why](const char* reason) {
        if (why != nullptr)
            *why = reason;
        return QString();
    };
    if (stored.empty())
        return refuse("the name is empty");
    QString name = QString::fromUtf8(stored.data(), static_cast<qsizetype>(stored.size()));
    if (name.contains(QChar(0)))
        return refuse("the name contains a NUL character");
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.startsWith(QLatin1Char('/')))
        return refuse("the name is absolute");
    if (name.size() >= 2 && name[1] == QLatin1Char(':') && name[0].isLetter())
        return refuse("the name starts with a drive letter");
    const QStringList parts = name.split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (part == QLatin1String(".."))
            return refuse("the name leads out of its folder (\"..\")");
    }
    const QString base = parts.last();
    if (base.isEmpty() || base == QLatin1String("."))
        return refuse("the name has no file name part");
    return base;
}

QString EntryName::target(const std::string& stored) {
    std::string why;
    const QString base = check(stored, &why);
    if (base.isEmpty())
        throw ArchiverError(ArchiverError::Fatal,
                            "refused entry '" + stored + "': " + why + "; nothing was extracted");
    return base;
}
