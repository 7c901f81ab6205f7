// The start-up backup's archiving (bcp.dll a -ep -m5 -hp7304) against its floor, 7-Zip making a ZIP
// with AES-256 at its best level (7z a -tzip -mem=AES256 -mx=9 -p7304), on the same five table files
// of about 20 MB in the same run. Goal: within 1.2 times 7-Zip's time at no more than its size.
// Each tool's time and archive size are counters; the ratio reporter prints Zelmar/Floor for the time,
// and a last line compares both time and size with the goal.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "bench/RatioReporter.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const QStringList tableNames{"realizators.db", "tovar.db", "oper.db", "kassa.db", "info.db"};

class Random {
public:
    unsigned next(unsigned bound) {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<unsigned>((state_ >> 33) % bound);
    }
    double money(double high) { return next(static_cast<unsigned>(high * 100)) / 100.0; }

private:
    unsigned long long state_ = 20040305;
};

const char* const surnames[] = {"Иванов",     "Петренко", "Сидоренко", "Коваленко", "Шевченко",
                                "Бондаренко", "Ткаченко", "Кравченко", "Олейник",   "Мельник"};
const char* const firstNames[] = {"Пётр", "Иван", "Олег", "Сергей", "Андрей", "Наталья", "Ольга", "Мария"};
const char* const goods[] = {"Шоколад \"Рошен\"", "Печенье овсяное", "Конфеты \"Белочка\"",
                             "Вафли \"Артек\"",   "Зефир ванильный", "Халва",
                             "Мармелад",          "Пряники мятные"};
const char* const kinds[] = {"Приход", "Уход", "Возврат", "Переучет"};
const char initials[] = "ИПОСАНМ";

void exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error != nullptr ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(text);
    }
}

std::string date(Random& random) {
    char text[32];
    std::snprintf(text, sizeof text, "2004-%02u-%02u", 1 + random.next(12), 1 + random.next(28));
    return text;
}

std::string shortName(Random& random) {
    // Initials are two-byte UTF-8 letters; pick whole letters.
    const unsigned a = random.next(7) * 2;
    const unsigned b = random.next(7) * 2;
    return std::string(surnames[random.next(10)]) + " " + std::string(initials + a, 2) + "." +
           std::string(initials + b, 2) + ".";
}

// One ledger table as an SQLite file (rollback journal, one table per file), with `rows` rows.
void makeTable(const QString& path, const char* create, const char* insert, int rows,
               void (*bind)(sqlite3_stmt*, Random&, int)) {
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot create " + path.toStdString());
    exec(db, "PRAGMA journal_mode=DELETE");
    exec(db, create);
    exec(db, "BEGIN");
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, insert, -1, &statement, nullptr);
    Random random;
    for (int row = 0; row < rows; ++row) {
        bind(statement, random, row);
        if (sqlite3_step(statement) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(db));
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
    exec(db, "COMMIT");
    sqlite3_close(db);
}

void text(sqlite3_stmt* s, int column, const std::string& value) {
    sqlite3_bind_text(s, column, value.c_str(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
}

void makeTables(const QString& dir) {
    makeTable(dir + "/realizators.db",
              "CREATE TABLE realizators (R_id INTEGER PRIMARY KEY AUTOINCREMENT, R_fam VARCHAR(20), R_name "
              "VARCHAR(15), "
              "R_otch VARCHAR(20), R_pasport VARCHAR(15), R_adres VARCHAR(50), Ostatok REAL, Dolg REAL)",
              "INSERT INTO realizators VALUES (NULL, ?, ?, ?, ?, ?, ?, ?)", 7000,
              [](sqlite3_stmt* s, Random& r, int) {
                  text(s, 1, surnames[r.next(10)]);
                  text(s, 2, firstNames[r.next(8)]);
                  text(s, 3, std::string(firstNames[r.next(5)]) + "ович");
                  text(s, 4, "КВ " + std::to_string(100000 + r.next(900000)));
                  text(s, 5,
                       "г. Киев, ул. Крещатик, д. " + std::to_string(1 + r.next(200)) + ", кв. " +
                           std::to_string(1 + r.next(300)));
                  sqlite3_bind_double(s, 6, r.money(9000));
                  sqlite3_bind_double(s, 7, r.money(1000) - 500);
              });
    makeTable(dir + "/tovar.db",
              "CREATE TABLE tovar (R_id REAL, T_name VARCHAR(20), T_price REAL, T_col REAL, T_summ REAL)",
              "INSERT INTO tovar VALUES (?, ?, ?, ?, ?)", 35000, [](sqlite3_stmt* s, Random& r, int) {
                  sqlite3_bind_double(s, 1, 21 + r.next(60));
                  text(s, 2, goods[r.next(8)]);
                  const double price = r.money(50);
                  const unsigned count = 1 + r.next(100);
                  sqlite3_bind_double(s, 3, price);
                  sqlite3_bind_double(s, 4, count);
                  sqlite3_bind_double(s, 5, price * count);
              });
    makeTable(dir + "/oper.db",
              "CREATE TABLE oper (R_id REAL, O_date DATE_TEXT, O_time TIME_TEXT, O_name VARCHAR(8), "
              "O_komu VARCHAR(25), T_name VARCHAR(20), T_price REAL, T_col REAL, T_summ REAL)",
              "INSERT INTO oper VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)", 110000,
              [](sqlite3_stmt* s, Random& r, int) {
                  sqlite3_bind_double(s, 1, 21 + r.next(60));
                  text(s, 2, date(r));
                  char time[32];
                  std::snprintf(time, sizeof time, "%02u:%02u:%02u", 8 + r.next(12), r.next(60), r.next(60));
                  text(s, 3, time);
                  text(s, 4, kinds[r.next(4)]);
                  text(s, 5, r.next(3) == 0 ? std::string("Хозяин") : shortName(r));
                  text(s, 6, goods[r.next(8)]);
                  const double price = r.money(50);
                  const unsigned count = 1 + r.next(100);
                  sqlite3_bind_double(s, 7, price);
                  sqlite3_bind_double(s, 8, count);
                  sqlite3_bind_double(s, 9, price * count);
              });
    makeTable(dir + "/kassa.db", "CREATE TABLE kassa (R_id REAL, K_date DATE_TEXT, K_summ REAL, Zp REAL)",
              "INSERT INTO kassa VALUES (?, ?, ?, ?)", 80000, [](sqlite3_stmt* s, Random& r, int) {
                  sqlite3_bind_double(s, 1, 21 + r.next(60));
                  text(s, 2, date(r));
                  sqlite3_bind_double(s, 3, r.money(3000));
                  sqlite3_bind_double(s, 4, r.money(300));
              });
    makeTable(dir + "/info.db", "CREATE TABLE info (I_date DATE_TEXT, I_summ REAL)",
              "INSERT INTO info VALUES (?, ?)", 40000, [](sqlite3_stmt* s, Random& r, int row) {
                  char day[32];
                  std::snprintf(day, sizeof day, "%04d-%02d-%02d", 1990 + row / 365, row % 12 + 1,
                                row % 28 + 1);
                  text(s, 1, day);
                  sqlite3_bind_double(s, 2, 1000 + r.money(89000));
              });
}

// The five tables, made once for the whole run.
struct Tables {
    QTemporaryDir dir;
    qint64 bytes = 0;
    Tables() {
        makeTables(dir.path());
        QDir().mkpath(dir.path() + "/backup");
        for (const QString& name : tableNames)
            bytes += QFileInfo(dir.path() + "/" + name).size();
    }
};

Tables& tables() {
    static Tables instance;
    return instance;
}

struct Result {
    double seconds = 0; // the best run
    qint64 bytes = 0;
};
std::map<std::string, Result> results;

// Runs one archiving command in the tables' folder; returns its wall time in seconds, or a negative
// value when it failed.
double timed(const QString& program, const QStringList& args) {
    QProcess process;
    process.setWorkingDirectory(tables().dir.path());
    process.setStandardOutputFile(QProcess::nullDevice());
    const auto start = std::chrono::steady_clock::now();
    process.start(program, args);
    process.closeWriteChannel();
    if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     process.readAllStandardError().constData());
        return -1;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void archive(benchmark::State& state, const std::string& key, const QString& program, const QStringList& args,
             const QString& archiveName) {
    const QString archivePath = tables().dir.path() + "/" + archiveName;
    Result best{1e30, 0};
    for (auto _ : state) {
        QFile::remove(archivePath); // both tools would otherwise update an existing archive
        const double seconds = timed(program, args);
        if (seconds < 0) {
            state.SkipWithError("the archiver failed");
            return;
        }
        best.seconds = std::min(best.seconds, seconds);
        best.bytes = QFileInfo(archivePath).size();
    }
    results[key] = best;
    state.counters["archive_bytes"] = static_cast<double>(best.bytes);
    state.counters["input_bytes"] = static_cast<double>(tables().bytes);
    state.counters["ratio_pct"] = 100.0 * best.bytes / tables().bytes;
    state.counters["seconds"] = best.seconds;
}

QString bcp() {
    return QStringLiteral(ZELMAR_PROGRAM_DIR "/bcp.dll");
}

QString sevenZip() {
    for (const char* name : {"7zz", "7z"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

// Each command runs for seconds, so the benchmark library times one run of it (wall time, which is
// what the ratio reporter compares; the CPU column shows only this process). No modifier that would
// change the names "Archive/Zelmar" and "Archive/Floor" the reporter pairs.
void configure(benchmark::internal::Benchmark* benchmark) {
    benchmark->Unit(benchmark::kMillisecond);
}

void registerBenchmarks() {
    auto bcpAt = [](int method) {
        return [method](benchmark::State& state) {
            const QString archiveName = QStringLiteral("backup/bench-m%1.bcp").arg(method);
            archive(state, "bcp -m" + std::to_string(method), bcp(),
                    {"a", "-ep", QStringLiteral("-m%1").arg(method), "-hp7304", archiveName, "*.db"},
                    archiveName);
        };
    };
    // The backup's own command line: -m5, deflate level 9.
    configure(benchmark::RegisterBenchmark("Archive/Zelmar", bcpAt(5)));
    configure(benchmark::RegisterBenchmark("Archive/Floor", [](benchmark::State& state) {
        if (sevenZip().isEmpty()) {
            state.SkipWithError("7-Zip (Debian package 7zip) is not installed");
            return;
        }
        QStringList args{"a", "-tzip", "-mem=AES256", "-mx=9", "-p7304", "backup/bench.zip"};
        args << tableNames;
        archive(state, "7z", sevenZip(), args, "backup/bench.zip");
    }));
    // What lower levels would trade: -m4 (level 8) and -m3 (level 6).
    configure(benchmark::RegisterBenchmark("ArchiveLevel/m4", bcpAt(4)));
    configure(benchmark::RegisterBenchmark("ArchiveLevel/m3", bcpAt(3)));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The library counts this process's CPU time, not the archivers', and repeats a benchmark until
    // its wall time reaches five times the minimum time: a minimum of 0.1 s gives one run of each
    // command (a --benchmark_min_time given on the command line comes later and wins).
    std::vector<char*> args(argv, argv + argc);
    char minTime[] = "--benchmark_min_time=0.1";
    args.insert(args.begin() + 1, minTime);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    std::fprintf(stderr, "tables: %lld bytes in five files\n", static_cast<long long>(tables().bytes));
    registerBenchmarks();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto ours = results.find("bcp -m5");
    const auto floor = results.find("7z");
    if (ours != results.end() && floor != results.end()) {
        const double timeRatio = ours->second.seconds / floor->second.seconds;
        const double sizeRatio = static_cast<double>(ours->second.bytes) / floor->second.bytes;
        std::printf("bcp -m5 against 7-Zip -mx=9: time %.3f s / %.3f s = %.2f (goal <= 1.20, %s), "
                    "size %lld / %lld bytes = %.4f (goal <= 1, %s)\n",
                    ours->second.seconds, floor->second.seconds, timeRatio,
                    timeRatio <= 1.2 ? "met" : "MISSED", static_cast<long long>(ours->second.bytes),
                    static_cast<long long>(floor->second.bytes), sizeRatio,
                    sizeRatio <= 1.0 ? "met" : "MISSED");
    }
    return 0;
}
