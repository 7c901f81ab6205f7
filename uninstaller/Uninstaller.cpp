#include "uninstaller/Uninstaller.h"

#include "installer/EngineSetup.h"
#include "installer/FileWriter.h"
#include "installer/InstallMarker.h"
#include "installer/UserFolders.h"
#include "platform/FileNames.h"
#include "platform/Messages.h"
#include "platform/Shell.h"
#include "uninstaller/RunningPrograms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

Uninstaller::Uninstaller(const QString& selfPath) : self(QFileInfo(selfPath).absoluteFilePath()) {
    folder = self.left(self.lastIndexOf(u'/') + 1);
}

QString Uninstaller::batchPath() const {
    return QDir::cleanPath(folder + QStringLiteral("../UnInstall.bat"));
}

QByteArray Uninstaller::batchText() const {
    // A quote or a line break in a path would change the meaning of the line it stands in.
    for (const QString& path : {self, folder}) {
        if (path.contains(u'"') || path.contains(u'\r') || path.contains(u'\n'))
            return QByteArray();
    }
    const QString text = QStringLiteral(":try\r\n"
                                        "del \"%1\"\r\n"
                                        "if exist \"%1\" goto try\r\n"
                                        "rd \"%2\" /s /q\r\n"
                                        "del \"%2../UnInstall.bat\"\r\n")
                             .arg(self, folder);
    QStringEncoder encoder("windows-1251");
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return QByteArray();
    return bytes;
}

bool Uninstaller::writeBatch() const {
    const QByteArray bytes = batchText();
    return !bytes.isEmpty() && FileWriter::write(batchPath(), bytes, false);
}

bool Uninstaller::startBatch() const {
    // The interpreter never removes its working folder or a folder holding it: it works from the
    // parent folder, where the batch file lies.
    const QString interpreter = FileNames::resolve(folder, Shell::interpreterName());
    return Shell::startDetached(interpreter, {batchPath()}, QFileInfo(batchPath()).path()) > 0;
}

void Uninstaller::removeShortcuts() const {
    QFile::remove(UserFolders::menuShortcut());
    QFile::remove(UserFolders::menuUninstallShortcut());
    QFile::remove(UserFolders::desktopShortcut());
    // Only an empty folder goes: files the user put there stay.
    QDir().rmdir(UserFolders::menuFolder());
}

void Uninstaller::deleteKnownFiles() const {
    const QString names[] = {QStringLiteral("Zelmar.ini"), QStringLiteral("Zelmar.exe"),
                             EngineSetup::libraryName(),   QStringLiteral("kassa.db"),
                             QStringLiteral("oper.db"),    QStringLiteral("realizators.db"),
                             QStringLiteral("tovar.db")};
    for (const QString& name : names)
        QFile::remove(FileNames::resolve(folder, name));
}

void Uninstaller::run() {
    if (!InstallMarker::matches(folder)) {
        Messages::show(QStringLiteral("Папка \"") + folder +
                       QStringLiteral("\" не является папкой установки \"Зелмар\". Ничего не удалено."));
        return;
    }
    if (!Messages::ask(QStringLiteral("Зелмар"),
                       QStringLiteral("Вы действительно хотите удалить \"Зелмар\"?")))
        return;
    const QString interpreter = FileNames::resolve(folder, Shell::interpreterName());
    if (!QFileInfo(interpreter).isExecutable() || !writeBatch()) {
        Messages::show(QStringLiteral("Ошибка удаления!!!"));
        return;
    }
    RunningPrograms::endAll(folder, QStringLiteral("Zelmar.exe"));
    removeShortcuts();
    deleteKnownFiles();
    Messages::show(QStringLiteral("\"Зелмар\" успешно удален с вашего компьютера."));
    startBatch();
}
