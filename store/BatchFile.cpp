#include "store/BatchFile.h"

#include "platform/Shell.h"

#include <QSaveFile>
#include <QStringEncoder>

void BatchFile::write(const QString& path, const QStringList& lines) {
    QStringEncoder encoder("windows-1251");
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += QByteArray(encoder(line));
        bytes += "\r\n";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw BatchFileError(QStringLiteral("Не удалось записать файл %1: %2").arg(path, file.errorString()).toStdString());
}

int BatchFile::start(const QString& programFolder, const QString& name, const QStringList& lines) {
    const QString path = programFolder + name;
    write(path, lines);
    const pid_t pid = Shell::startBatch(programFolder, path);
    if (pid <= 0)
        throw BatchFileError(
            QStringLiteral("Не удалось запустить интерпретатор команд %1").arg(programFolder + Shell::interpreterName()).toStdString());
    return pid;
}
