#include "store/Backup.h"

#include "platform/FileNames.h"
#include "platform/Messages.h"
#include "platform/RegionalSettings.h"
#include "store/BatchFile.h"
#include "store/BatchWait.h"
#include "store/Ledger.h"
#include "store/ProgramState.h"
#include "store/Unit15.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QThread>

namespace {

QString backupFolder() { return State().programFolder + QStringLiteral("backup"); }

void showProgress() {
    if (!Form15)
        return;
    Form15->show();
    Form15->repaint();
    QCoreApplication::processEvents();
}

// Six dots, half a second apart, letting window messages run between them.
void growDots() {
    if (!Form15)
        return;
    Form15->Label1->setText(QStringLiteral("Резервное копирование"));
    Form15->repaint();
    for (int i = 0; i < 6; ++i) {
        Form15->Label1->setText(Form15->Label1->text() + QLatin1Char('.'));
        Form15->repaint();
        QThread::msleep(500);
        QCoreApplication::processEvents();
    }
}

// The archiver left under its working name by a batch that was stopped goes back to its own.
void restoreArchiverName() {
    const QString folder = State().programFolder;
    const QString running = FileNames::resolve(folder, QStringLiteral("bcp.exe"));
    if (QFile::exists(running) && !QFile::exists(FileNames::resolve(folder, QStringLiteral("bcp.dll"))))
        QFile::rename(running, folder + QStringLiteral("bcp.dll"));
}

} // namespace

QString ArchiveName(const QDate& day) { return RegionalSettings::formatDate(day) + QStringLiteral(".bcp"); }

void DeleteOldArchives(const QString& folder, const QDate& today, const QString& daysText) {
    bool ok = false;
    const int days = daysText.trimmed().toInt(&ok);
    if (!ok)
        return;
    const QStringList names = QDir(folder).entryList({QStringLiteral("*.bcp")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QDate day = RegionalSettings::parseDate(name.left(name.size() - 4));
        if (day.isValid() && day.daysTo(today) > days)
            QFile::remove(QDir(folder).filePath(name));
    }
}

bool ArchiveTables(const QDate& day) {
    const QString folder = State().programFolder;
    const QString archive = QStringLiteral("backup/") + ArchiveName(day);
    const QString batch = folder + QStringLiteral("backup.bat");
    // Without the archiver backup.bat would only repeat its command until the wait gives up.
    if (!QFile::exists(FileNames::resolve(folder, QStringLiteral("bcp.dll")))) {
        Messages::show(QStringLiteral("Резервная копия %1 не создана: нет архиватора bcp.dll.").arg(ArchiveName(day)));
        return false;
    }
    pid_t pid = -1;
    try {
        pid = BatchFile::start(folder, QStringLiteral("backup.bat"),
                               {QStringLiteral("@ECHO OFF"), QStringLiteral("ren bcp.dll bcp.exe"), QStringLiteral(":try"),
                                QStringLiteral("bcp.exe a -ep -m5 -hp7304 %1 *.db").arg(archive),
                                QStringLiteral("if not exist \"%1\" goto try").arg(archive),
                                QStringLiteral("ren bcp.exe bcp.dll"), QStringLiteral("del backup.bat")});
    } catch (const BatchFileError& error) {
        Messages::show(QStringLiteral("Резервная копия не создана: %1").arg(QString::fromUtf8(error.what())));
        return false;
    }
    growDots();
    const BatchWait::Outcome outcome = BatchWait::wait(pid, batch, kBackupWaitLimitMs);
    if (outcome == BatchWait::Outcome::Finished && QFile::exists(folder + archive))
        return true;
    QFile::remove(batch);
    restoreArchiverName();
    Messages::show(QStringLiteral("Резервная копия %1 не создана: архиватор bcp.dll не справился. Таблицы не изменены.")
                       .arg(ArchiveName(day)));
    return false;
}

void StartupBackup() {
    Engine& engine = Ledger::engine();
    engine.closeTables();
    if (!QDir(backupFolder()).exists())
        QDir().mkdir(QStringLiteral("backup"));
    const QDate today = QDate::currentDate();
    DeleteOldArchives(backupFolder(), today, State().backupDays);
    if (!QFile::exists(backupFolder() + QLatin1Char('/') + ArchiveName(today))) {
        showProgress();
        ArchiveTables(today);
    }
    engine.openTables();
    if (Form15)
        Form15->close();
}
