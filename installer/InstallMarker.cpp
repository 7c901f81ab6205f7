#include "installer/InstallMarker.h"

#include "installer/FileWriter.h"
#include "platform/FileNames.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString canonical(const QString& folder) {
    return QFileInfo(folder).canonicalFilePath();
}

} // namespace

bool InstallMarker::write(const QString& folder) {
    const QString path = canonical(folder);
    if (path.isEmpty())
        return false;
    return FileWriter::write(FileNames::join(path, fileName()), (path + u'\n').toUtf8(), false);
}

bool InstallMarker::matches(const QString& folder) {
    const QString path = canonical(folder);
    if (path.isEmpty())
        return false;
    QFile mark(FileNames::join(path, fileName()));
    if (!mark.open(QIODevice::ReadOnly))
        return false;
    return mark.readAll() == (path + u'\n').toUtf8();
}
