// The statement layer against raw SQLite doing the same work, in the same run: the ledger's own
// statements through Engine/Query, and the same SQL prepared, bound, stepped, read into Qt values and
// finalized each time through the C API, on tables of 1,000 agents, 20,000 goods lines and 200,000
// journal rows. Prints the ratio per statement kind.
#include "bench/RatioReporter.h"
#include "platform/RegionalSettings.h"
#include "platform/engine/Catalogue.h"
#include "platform/engine/Collations.h"
#include "platform/engine/Engine.h"
#include "platform/engine/Query.h"
#include "platform/engine/TableFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kAgents = 1000;
constexpr int kGoods = 20000;
constexpr int kJournal = 200000;

QTemporaryDir* folder = nullptr;
std::unique_ptr<Engine> engine;
sqlite3* raw = nullptr;

void run(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, error);
        std::exit(1);
    }
}

QString path(const char* name) { return QDir(folder->path()).filePath(QLatin1String(name)); }

void fill() {
    for (const TableDef& table : Catalogue::tables())
        TableFiles::createEmpty(table, path(table.fileName.toLatin1().constData()));
    sqlite3* db = nullptr;
    sqlite3_open(path("realizators.db").toUtf8().constData(), &db);
    for (const char* name : {"tovar", "oper", "kassa", "info"})
        run(db, QStringLiteral("ATTACH '%1' AS %2").arg(path(name) + QStringLiteral(".db"), QLatin1String(name)).toUtf8().constData());
    run(db, "BEGIN");
    const char* surnames[] = {"Петров", "Сидоров", "Иванов", "Ковальчук", "Шевченко", "Бондаренко", "Ткаченко", "Мельник"};
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO realizators VALUES(NULL,?,'Иван','Сергеевич','АА123456','г. Киев, ул. Крещатик, 1',?,0)", -1, &s, nullptr);
    for (int i = 0; i < kAgents; ++i) {
        const QByteArray fam = (QString::fromUtf8(surnames[i % 8]) + QString::number(i)).toUtf8();
        sqlite3_bind_text(s, 1, fam.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(s, 2, i * 1.5);
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    sqlite3_prepare_v2(db, "INSERT INTO tovar VALUES(?,?,?,?,?)", -1, &s, nullptr);
    for (int i = 0; i < kGoods; ++i) {
        const QByteArray name = (QStringLiteral("Товар ") + QString::number(i % 500)).toUtf8();
        sqlite3_bind_int(s, 1, 21 + i % kAgents);
        sqlite3_bind_text(s, 2, name.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(s, 3, 2.5 + i % 50);
        sqlite3_bind_double(s, 4, 1 + i % 7);
        sqlite3_bind_double(s, 5, (2.5 + i % 50) * (1 + i % 7));
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    sqlite3_prepare_v2(db, "INSERT INTO oper VALUES(?,?,?,'Приход','Хозяин',?,?,?,?)", -1, &s, nullptr);
    for (int i = 0; i < kJournal; ++i) {
        const QByteArray date = QDate(2004, 1, 1).addDays(i % 700).toString(Qt::ISODate).toLatin1();
        const QByteArray time = QTime(8, 0).addSecs(i % 36000).toString(QStringLiteral("HH:mm:ss")).toLatin1();
        const QByteArray name = (QStringLiteral("Товар ") + QString::number(i % 500)).toUtf8();
        sqlite3_bind_int(s, 1, 21 + i % kAgents);
        sqlite3_bind_text(s, 2, date.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 3, time.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 4, name.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(s, 5, 2.5);
        sqlite3_bind_double(s, 6, 3);
        sqlite3_bind_double(s, 7, 7.5);
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    run(db, "COMMIT");
    sqlite3_close(db);
}

void openRaw() {
    sqlite3_open_v2(path("realizators.db").toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    Collations::registerOn(raw);
    for (const char* name : {"tovar", "oper", "kassa", "info"})
        run(raw, QStringLiteral("ATTACH '%1' AS \"%2\"").arg(path(name) + QStringLiteral(".db"), QLatin1String(name)).toUtf8().constData());
}

// Raw SQLite: prepare, bind the values as text or numbers, step, read every column into Qt values
// (the same materialisation a window needs), finalize.
struct RawValue {
    enum { Text, Real } kind;
    QByteArray text;
    double real;
};

int rawRun(const char* sql, const std::vector<RawValue>& values) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(raw, sql, -1, &s, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(raw));
        std::exit(1);
    }
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i].kind == RawValue::Text)
            sqlite3_bind_text(s, int(i + 1), values[i].text.constData(), values[i].text.size(), SQLITE_TRANSIENT);
        else
            sqlite3_bind_double(s, int(i + 1), values[i].real);
    }
    const int columns = sqlite3_column_count(s);
    std::vector<std::vector<QString>> texts(columns);
    std::vector<std::vector<double>> numbers(columns);
    int rows = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(s, c) == SQLITE_TEXT)
                texts[c].push_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)), sqlite3_column_bytes(s, c)));
            else
                numbers[c].push_back(sqlite3_column_double(s, c));
        }
        ++rows;
    }
    sqlite3_finalize(s);
    return rows;
}

RawValue text(const char* t) { return {RawValue::Text, QByteArray(t), 0}; }
RawValue real(double d) { return {RawValue::Real, QByteArray(), d}; }

struct Kind {
    const char* name;
    QString statement; // as the ledger writes it
    const char* sql; // the same work for raw SQLite
    std::vector<RawValue> values;
    bool change;
};

std::vector<Kind> kinds() {
    return {
        {"AgentList", QStringLiteral("SELECT * FROM realizators ORDER BY r_fam"),
         "SELECT * FROM main.realizators ORDER BY R_fam COLLATE ZELMAR_ORDER, rowid", {}, false},
        {"AgentById", QStringLiteral("SELECT * FROM realizators WHERE r_id=\"500\""),
         "SELECT * FROM main.realizators WHERE R_id = ?1 ORDER BY rowid", {real(500)}, false},
        {"GoodsOfAgent", QStringLiteral("SELECT * FROM tovar WHERE r_id=\"500\" ORDER BY t_name"),
         "SELECT * FROM tovar.tovar WHERE R_id = ?1 ORDER BY T_name COLLATE ZELMAR_ORDER, rowid", {real(500)}, false},
        {"GoodsLineLookup", QStringLiteral("SELECT * FROM tovar WHERE r_id=\"500\" AND t_name=\"Товар 479\""),
         "SELECT * FROM tovar.tovar WHERE R_id = ?1 AND T_name = ?2 COLLATE ZELMAR_NOCASE ORDER BY rowid",
         {real(500), text("Товар 479")}, false},
        {"JournalOfAgent", QStringLiteral("SELECT * FROM oper WHERE r_id=\"500\" ORDER BY o_date DESC, o_time DESC"),
         "SELECT * FROM oper.oper WHERE R_id = ?1 ORDER BY O_date DESC, O_time DESC, rowid", {real(500)}, false},
        {"JournalFilter",
         QStringLiteral("SELECT * FROM oper WHERE r_id=\"500\"  AND o_date BETWEEN \"01.01.2004\" AND \"31.12.2004\" "
                        "ORDER BY o_date DESC, o_time DESC"),
         "SELECT * FROM oper.oper WHERE R_id = ?1 AND O_date BETWEEN ?2 AND ?3 ORDER BY O_date DESC, O_time DESC, rowid",
         {real(500), text("2004-01-01"), text("2004-12-31")}, false},
        {"AllGoods", QStringLiteral("SELECT * FROM tovar"), "SELECT * FROM tovar.tovar ORDER BY rowid", {}, false},
        {"SumOfGoods", QStringLiteral("SELECT SUM(t_summ) FROM tovar"), "SELECT SUM(T_summ) FROM tovar.tovar", {}, false},
        {"ArticleList", QStringLiteral("SELECT DISTINCT t_name, t_price FROM tovar ORDER BY t_name"),
         "SELECT T_name, T_price, MIN(rowid) AS f FROM tovar.tovar GROUP BY T_name, T_price ORDER BY T_name COLLATE "
         "ZELMAR_ORDER, f",
         {}, false},
        {"UpdateRemainder", QStringLiteral("UPDATE realizators SET ostatok=\"12.5\" WHERE r_id=\"500\""),
         "UPDATE main.realizators SET Ostatok = ?1 WHERE R_id = ?2", {real(12.5), real(500)}, true},
        {"InsertJournalRow",
         QStringLiteral("INSERT INTO oper VALUES(\"500\",\"05.03.2004\",\"14:05:09\",\"Приход\",\"Хозяин\",\"Хлеб\","
                        "\"2.5\",\"4\",\"10\")"),
         "INSERT INTO oper.oper VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9)",
         {real(500), text("2004-03-05"), text("14:05:09"), text("Приход"), text("Хозяин"), text("Хлеб"), real(2.5), real(4),
          real(10)},
         true},
    };
}

void registerKind(const Kind& kind) {
    benchmark::RegisterBenchmark((std::string(kind.name) + "/Zelmar").c_str(), [kind](benchmark::State& state) {
        Query query(engine.get());
        for (auto _ : state) {
            if (kind.change) {
                engine->execute(kind.statement);
            } else {
                query.setSql(kind.statement);
                query.open();
                benchmark::DoNotOptimize(query.recordCount());
            }
        }
    });
    benchmark::RegisterBenchmark((std::string(kind.name) + "/Floor").c_str(), [kind](benchmark::State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(rawRun(kind.sql, kind.values));
    });
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    RegionalSettings::set(QStringLiteral("dd.MM.yyyy"), QStringLiteral("HH:mm:ss"), QLatin1Char(','));
    QTemporaryDir dir;
    folder = &dir;
    fill();
    engine = std::make_unique<Engine>(dir.path());
    engine->openTables();
    openRaw();
    for (const Kind& kind : kinds())
        registerKind(kind);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    engine.reset();
    sqlite3_close(raw);
    return 0;
}
