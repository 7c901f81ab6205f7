#include "store/UndoSnapshot.h"

#include "platform/FileNames.h"
#include "platform/Messages.h"
#include "platform/engine/Catalogue.h"
#include "store/BatchFile.h"
#include "store/BatchWait.h"
#include "store/Ledger.h"
#include "store/MainWindowLink.h"
#include "store/ProgramState.h"
#include "store/TablesClosed.h"
#include "store/TotalGoodsHistory.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

QString folder() { return State().programFolder; }

// Every table's copy in the snapshot folder, each as long as the table it copies.
QString missingCopy() {
    for (const TableDef& table : Catalogue::tables()) {
        const QFileInfo original(FileNames::resolve(folder(), table.fileName));
        const QFileInfo copy(FileNames::resolve(UndoFolder(), table.fileName));
        if (!copy.isFile() || copy.size() != original.size())
            return table.fileName;
    }
    return QString();
}

bool allCopiesPresent() {
    for (const TableDef& table : Catalogue::tables()) {
        if (!QFileInfo(FileNames::resolve(UndoFolder(), table.fileName)).isFile())
            return false;
    }
    return true;
}

void writeDescription(const QString& description) {
    QStringEncoder encoder("windows-1251");
    const QByteArray bytes = encoder(description);
    QSaveFile file(UndoFolder() + QStringLiteral("/text"));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw UndoSnapshotError(QStringLiteral("Не удалось записать описание отмены: %1").arg(file.errorString()).toStdString());
}

} // namespace

QString UndoFolder() { return folder() + QStringLiteral("backup/undo"); }

void MakeUndoSnapshot(const QString& description) {
    TablesClosed closed;
    QDir().mkpath(UndoFolder());
    const QString f = folder();
    const QString batch = f + QStringLiteral("makeundo.bat");
    pid_t pid = 0;
    try {
        pid = BatchFile::start(f, QStringLiteral("makeundo.bat"),
                               {QStringLiteral(":try"), QStringLiteral("rd /S /Q \"%1backup/undo\"").arg(f),
                                QStringLiteral("if exist \"%1backup/undo\" goto try").arg(f),
                                QStringLiteral("md \"%1backup/undo\"").arg(f),
                                QStringLiteral("copy \"%1*.db\" \"%1backup/undo/*.db\"").arg(f),
                                QStringLiteral("del \"%1makeundo.bat\"").arg(f)});
    } catch (const BatchFileError& error) {
        throw UndoSnapshotError(
            QStringLiteral("Операция не выполнена: не удалось сохранить копию для отмены. %1").arg(QString::fromUtf8(error.what())).toStdString());
    }
    const BatchWait::Outcome outcome = BatchWait::wait(pid, batch, kUndoWaitLimitMs);
    if (outcome == BatchWait::Outcome::TimedOut)
        throw UndoSnapshotError("Операция не выполнена: копирование таблиц для отмены не завершилось вовремя.");
    const QString missing = missingCopy();
    if (outcome != BatchWait::Outcome::Finished || !missing.isEmpty()) {
        QFile::remove(UndoFolder() + QStringLiteral("/text"));
        throw UndoSnapshotError(
            QStringLiteral("Операция не выполнена: не удалось сохранить копию таблицы %1 для отмены (нет места на диске?).")
                .arg(missing.isEmpty() ? QStringLiteral("*.db") : missing)
                .toStdString());
    }
    writeDescription(description);
}

bool UndoLastOperation() {
    const QString description = State().undoDescription;
    if (!Messages::ask(QStringLiteral("Зелмар"), QStringLiteral("Вы действительно хотите отменить ") + description + QStringLiteral("?")))
        return false;
    if (!allCopiesPresent()) {
        Messages::show(QStringLiteral("Отмена невозможна: копии таблиц не найдены."));
        return false;
    }
    const QString f = folder();
    {
        TablesClosed closed;
        const pid_t pid = BatchFile::start(f, QStringLiteral("undo.bat"),
                                           {QStringLiteral("del /Q \"%1*.db\"").arg(f),
                                            QStringLiteral("move \"%1backup/undo/*.db\" \"%1\"").arg(f),
                                            QStringLiteral("rd /S /Q \"%1backup/undo\"").arg(f),
                                            QStringLiteral("del \"%1undo.bat\"").arg(f)});
        if (BatchWait::wait(pid, f + QStringLiteral("undo.bat"), kUndoWaitLimitMs) == BatchWait::Outcome::TimedOut) {
            Messages::show(QStringLiteral("Отмена не завершилась вовремя. Проверьте папку программы."));
            return false;
        }
    }
    RefreshMainWindow();
    UpdateTotalGoodsHistory();
    Messages::show(description + QStringLiteral(" отменено"));
    return true;
}

void UndoCommandUpkeep(QAction* item) {
    QFile file(UndoFolder() + QStringLiteral("/text"));
    if (!file.exists()) {
        item->setEnabled(false);
        return;
    }
    item->setEnabled(true);
    if (!file.open(QIODevice::ReadOnly))
        return; // a read error keeps the previous caption
    QStringDecoder decoder("windows-1251");
    QString line = decoder(file.readLine());
    line = line.section(QLatin1Char('\n'), 0, 0);
    line.remove(QLatin1Char('\r'));
    State().undoDescription = line;
    item->setText(QStringLiteral("Отменить ") + line);
}
