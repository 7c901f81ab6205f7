#include "installer/Extractor.h"

#include "installer/FileWriter.h"

#include <QFileInfo>

bool Extractor::extract(const QString& resource, const QString& targetPath) {
    const Payload::File* file = payload_.find(resource);
    // A file the build could not embed fails like a file that cannot be written: the install is then
    // reported as failed instead of leaving a folder without it.
    const bool ok = file != nullptr && FileWriter::write(targetPath, file->bytes, file->executable);
    if (ok) {
        log(QStringLiteral("   Распаковка ") + targetPath + QStringLiteral("   OK"));
    } else {
        log(QStringLiteral("   Распаковка ") + targetPath + QStringLiteral("   ОШИБКА!!!"));
        error_ = true;
    }
    return ok;
}

bool Extractor::extractKeepingExisting(const QString& resource, const QString& targetPath) {
    const QFileInfo existing(targetPath);
    if (existing.isFile()) {
        log(QStringLiteral("   Оставлен прежний файл ") + targetPath + QStringLiteral("   OK"));
        return true;
    }
    return extract(resource, targetPath);
}
