#include "platform/FileNames.h"

#include <QDir>
#include <QFileInfo>

QString FileNames::join(const QString& folder, const QString& name) {
    if (folder.isEmpty())
        return name;
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

QString FileNames::resolve(const QString& folder, const QString& name) {
    const QString exact = join(folder, name);
    if (QFileInfo::exists(exact))
        return exact;
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return join(folder, entry);
    }
    return exact;
}
