#include "store/Restore.h"

#include "platform/FileNames.h"
#include "platform/Messages.h"
#include "platform/engine/Catalogue.h"
#include "platform/engine/Engine.h"
#include "platform/engine/EngineError.h"
#include "platform/engine/Query.h"
#include "store/Ledger.h"
#include "store/MainWindowLink.h"
#include "store/ProgramState.h"
#include "store/TablesClosed.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>

#include <optional>

namespace {

ArchiveChooser& chooser() {
    static ArchiveChooser instance = [](const QString& folder) {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), QStringLiteral("Восстановить"), folder,
                                            QStringLiteral("backup файлы (*.bcp)"));
    };
    return instance;
}

QString programFolder() { return State().programFolder; }

class RestoreFailure {
public:
    explicit RestoreFailure(QString why) : reason(std::move(why)) {}
    QString reason;
};

// Runs the archiver on the archive in `target`; throws RestoreFailure with its own words.
void extract(const QString& archive, const QString& target) {
    const QString archiver = FileNames::resolve(programFolder(), QStringLiteral("bcp.dll"));
    if (!QFile::exists(archiver))
        throw RestoreFailure(QStringLiteral("нет архиватора %1").arg(archiver));
    QProcess process;
    process.setWorkingDirectory(target);
    process.start(archiver, {QStringLiteral("e"), QStringLiteral("-y"), QStringLiteral("-hp7304"), archive});
    if (!process.waitForStarted(10000))
        throw RestoreFailure(QStringLiteral("архиватор не запускается"));
    QElapsedTimer clock;
    clock.start();
    // The main window is repainted while the archiver works.
    while (!process.waitForFinished(50)) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (clock.elapsed() > kRestoreWaitLimitMs) {
            process.kill();
            process.waitForFinished(5000);
            throw RestoreFailure(QStringLiteral("архиватор не завершил работу вовремя"));
        }
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        throw RestoreFailure(said.isEmpty() ? QStringLiteral("архив не читается") : said);
    }
}

// Every table of the extracted folder opens as the table it should be and reads to its end.
void checkTables(const QString& folder) {
    for (const char* required : {"realizators.db", "tovar.db", "oper.db", "kassa.db"}) {
        if (!QFile::exists(FileNames::resolve(folder, QLatin1String(required))))
            throw RestoreFailure(QStringLiteral("в архиве нет таблицы %1").arg(QLatin1String(required)));
    }
    // An archive without the history keeps the current one, as the extraction over it would.
    if (!QFile::exists(FileNames::resolve(folder, QStringLiteral("info.db"))) &&
        !QFile::copy(FileNames::resolve(programFolder(), QStringLiteral("info.db")), folder + QStringLiteral("/info.db")))
        throw RestoreFailure(QStringLiteral("не удалось сохранить таблицу info.db"));
    try {
        Engine check(folder);
        check.openTables();
        Query query(&check);
        for (const TableDef& table : Catalogue::tables()) {
            query.setSql(QStringLiteral("SELECT * FROM ") + table.name);
            query.open();
        }
    } catch (const EngineError& error) {
        throw RestoreFailure(QStringLiteral("таблицы архива повреждены (%1)").arg(error.message()));
    }
}

// Moves the extracted tables into the program folder; the current ones wait aside until all five
// are in place and come back if any move fails.
void replaceTables(const QString& extracted, const QString& aside) {
    QDir().mkpath(aside);
    QStringList moved;
    const auto rollBack = [&] {
        for (const QString& name : moved) {
            QFile::remove(programFolder() + name);
            QFile::rename(aside + QLatin1Char('/') + name, programFolder() + name);
        }
    };
    for (const TableDef& table : Catalogue::tables()) {
        const QString current = FileNames::resolve(programFolder(), table.fileName);
        const QString name = table.fileName;
        if (!QFile::rename(current, aside + QLatin1Char('/') + name)) {
            rollBack();
            throw RestoreFailure(QStringLiteral("таблица %1 занята").arg(name));
        }
        moved << name;
        if (!QFile::rename(FileNames::resolve(extracted, name), programFolder() + name)) {
            rollBack();
            throw RestoreFailure(QStringLiteral("не удалось поставить таблицу %1 на место").arg(name));
        }
    }
}

} // namespace

void SetArchiveChooser(ArchiveChooser c) { chooser() = std::move(c); }

bool RestoreFromArchive() {
    const QString backup = programFolder() + QStringLiteral("backup");
    const QString archive = chooser()(backup);
    if (archive.isEmpty())
        return false;
    if (!Messages::ask(QStringLiteral("Внимание!!!"), QStringLiteral("Текущие записи в базе данных будут утеряны! Восстанавливаем?")))
        return false;
    const QString extracted = backup + QStringLiteral("/restore.new");
    const QString aside = backup + QStringLiteral("/restore.old");
    QDir(extracted).removeRecursively();
    QDir(aside).removeRecursively();
    QDir().mkpath(extracted);
    std::optional<RestoreFailure> failure;
    try {
        extract(QFileInfo(archive).absoluteFilePath(), extracted);
        checkTables(extracted);
        TablesClosed closed;
        replaceTables(extracted, aside);
    } catch (const RestoreFailure& f) {
        failure = f;
    }
    QDir(extracted).removeRecursively();
    QDir(aside).removeRecursively();
    if (failure) {
        Messages::show(QStringLiteral("Восстановление из %1 не выполнено: %2. Текущие записи не изменены.")
                           .arg(QFileInfo(archive).fileName(), failure->reason));
        return false;
    }
    RefreshMainWindow();
    return true;
}
