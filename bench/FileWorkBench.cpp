// The undo snapshot, the undo and the start-up backup's archive on tables of about 20 MB in all,
// each against its floor in the same run: cp of the same five files for the snapshot and the undo,
// 7-Zip (zip, AES-256, -mx=9) of the same files for the archive. Prints the ratios and the sizes.
#include "bench/RatioReporter.h"
#include "platform/Messages.h"
#include "platform/RegionalSettings.h"
#include "platform/engine/Catalogue.h"
#include "platform/engine/TableFiles.h"
#include "store/Backup.h"
#include "store/Ledger.h"
#include "store/ProgramState.h"
#include "store/UndoSnapshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>

namespace {

QString folder; // ends in '/'
const QStringList kTables{"realizators.db", "tovar.db", "oper.db", "kassa.db", "info.db"};

void fillTables() {
    for (const TableDef& table : Catalogue::tables())
        TableFiles::createEmpty(table, folder + table.fileName);
    sqlite3* db = nullptr;
    sqlite3_open((folder + QStringLiteral("oper.db")).toUtf8().constData(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO oper VALUES(?,?,'10:00:00','Приход','Хозяин',?,2.5,3,7.5)", -1, &s, nullptr);
    for (int i = 0; i < 200000; ++i) {
        const QByteArray date = QDate(2004, 1, 1).addDays(i % 700).toString(Qt::ISODate).toLatin1();
        const QByteArray name = (QStringLiteral("Товар ") + QString::number(i % 500)).toUtf8();
        sqlite3_bind_int(s, 1, 21 + i % 1000);
        sqlite3_bind_text(s, 2, date.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 3, name.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    for (const char* program : {"cmd.exe", "bcp.dll"})
        QFile::copy(QStringLiteral(ZELMAR_PROGRAM_DIR "/") + QLatin1String(program), folder + QLatin1String(program));
}

qint64 tablesSize() {
    qint64 total = 0;
    for (const QString& name : kTables)
        total += QFileInfo(folder + name).size();
    return total;
}

void run(const QString& program, const QStringList& arguments, const QString& workingFolder) {
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    process.start(program, arguments);
    process.waitForFinished(-1);
}

void cpTables(const QString& from, const QString& to) {
    QStringList arguments;
    for (const QString& name : kTables)
        arguments << from + name;
    arguments << to;
    run(QStringLiteral("cp"), arguments, folder);
}

void Snapshot_Zelmar(benchmark::State& state) {
    for (auto _ : state)
        MakeUndoSnapshot(QStringLiteral("добавление товара"));
    state.counters["bytes"] = double(tablesSize());
}

void Snapshot_Floor(benchmark::State& state) {
    QDir().mkpath(folder + QStringLiteral("backup/cp"));
    for (auto _ : state)
        cpTables(folder, folder + QStringLiteral("backup/cp/"));
}

void Undo_Zelmar(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        MakeUndoSnapshot(QStringLiteral("добавление товара"));
        state.ResumeTiming();
        UndoLastOperation();
    }
}

void Undo_Floor(benchmark::State& state) {
    QDir().mkpath(folder + QStringLiteral("backup/cp"));
    cpTables(folder, folder + QStringLiteral("backup/cp/"));
    for (auto _ : state)
        cpTables(folder + QStringLiteral("backup/cp/"), folder);
}

void Backup_Zelmar(benchmark::State& state) {
    const QString archive = folder + QStringLiteral("backup/") + ArchiveName(QDate::currentDate());
    Ledger::engine().closeTables();
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(archive);
        state.ResumeTiming();
        ArchiveTables(QDate::currentDate());
    }
    Ledger::engine().openTables();
    state.counters["archive_bytes"] = double(QFileInfo(archive).size());
}

void Backup_Floor(benchmark::State& state) {
    QString sevenZip = QStandardPaths::findExecutable(QStringLiteral("7zz"));
    if (sevenZip.isEmpty())
        sevenZip = QStandardPaths::findExecutable(QStringLiteral("7z"));
    if (sevenZip.isEmpty()) {
        state.SkipWithError("7-Zip is not installed");
        return;
    }
    const QString archive = folder + QStringLiteral("backup/7z.zip");
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(archive);
        state.ResumeTiming();
        QStringList arguments{QStringLiteral("a"), QStringLiteral("-tzip"), QStringLiteral("-mem=AES256"), QStringLiteral("-mx=9"),
                              QStringLiteral("-p7304"), archive};
        arguments << kTables;
        run(sevenZip, arguments, folder);
    }
    state.counters["archive_bytes"] = double(QFileInfo(archive).size());
}

} // namespace

BENCHMARK(Snapshot_Zelmar)->Name("Snapshot/Zelmar")->Unit(benchmark::kMillisecond);
BENCHMARK(Snapshot_Floor)->Name("Snapshot/Floor")->Unit(benchmark::kMillisecond);
BENCHMARK(Undo_Zelmar)->Name("Undo/Zelmar")->Unit(benchmark::kMillisecond);
BENCHMARK(Undo_Floor)->Name("Undo/Floor")->Unit(benchmark::kMillisecond);
BENCHMARK(Backup_Zelmar)->Name("Backup/Zelmar")->Unit(benchmark::kMillisecond);
BENCHMARK(Backup_Floor)->Name("Backup/Floor")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    RegionalSettings::set(QStringLiteral("dd.MM.yyyy"), QStringLiteral("HH:mm:ss"), QLatin1Char(','));
    Messages::setResponder([](const Messages::Box&) { return true; });
    QTemporaryDir dir;
    folder = dir.path() + QLatin1Char('/');
    fillTables();
    QDir::setCurrent(folder);
    State().programFolder = folder;
    Ledger::open(folder);
    Ledger::engine().openTables();
    std::printf("tables: %lld bytes\n", static_cast<long long>(tablesSize()));
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    Ledger::close();
    return 0;
}
