#include "platform/engine/Engine.h"

#include "platform/FileNames.h"
#include "platform/NumberText.h"
#include "platform/RegionalSettings.h"
#include "platform/engine/Collations.h"
#include "platform/engine/EngineError.h"
#include "platform/engine/Lexer.h"
#include "platform/engine/Parser.h"

#include <QFileInfo>

#include <sqlite3.h>

#include <cmath>

namespace {

// A generous bound: the program writes a few dozen statement shapes.
constexpr int kCacheLimit = 512;

QString literalContext(const QString& literal, const FieldDef& field) {
    return QStringLiteral("«%1» (поле %2)").arg(literal, field.name);
}

} // namespace

Engine::Engine(const QString& folder) : tableFolder(folder) {}

Engine::~Engine() {
    if (transaction) {
        try {
            rollback();
        } catch (const EngineError&) {
        }
    }
    disconnect();
}

QString Engine::tablePath(const TableDef& table) const { return FileNames::resolve(tableFolder, table.fileName); }

void Engine::openTables() {
    connect();
    held = true;
}

void Engine::closeTables() {
    if (transaction)
        throw EngineError(QStringLiteral("Таблицы нельзя закрыть во время незавершенной операции"));
    held = false;
    disconnect();
}

void Engine::connect() {
    if (db)
        return;
    QStringList paths;
    for (const TableDef& table : Catalogue::tables()) {
        const QString path = tablePath(table);
        if (!QFileInfo(path).isFile())
            throw EngineError(QStringLiteral("Нет файла таблицы %1: %2").arg(table.name, path));
        paths << path;
    }
    // Open without SQLITE_OPEN_CREATE: a table file is never created by the program.
    const int rc = sqlite3_open_v2(paths.front().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                                   nullptr);
    if (rc != SQLITE_OK) {
        const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("нет памяти");
        sqlite3_close_v2(db);
        db = nullptr;
        throw EngineError(QStringLiteral("Не удалось открыть %1: %2").arg(paths.front(), message));
    }
    try {
        sqlite3_busy_timeout(db, 5000);
        if (Collations::registerOn(db) != SQLITE_OK)
            failWithSqlite(QStringLiteral("Регистрация сравнения текста"));
        const QVector<TableDef>& tables = Catalogue::tables();
        for (int i = 1; i < tables.size(); ++i) {
            sqlite3_stmt* attach = nullptr;
            const QByteArray sql = "ATTACH DATABASE ?1 AS \"" + tables[i].schema.toUtf8() + "\"";
            if (sqlite3_prepare_v2(db, sql.constData(), -1, &attach, nullptr) != SQLITE_OK)
                failWithSqlite(QStringLiteral("Подключение %1").arg(paths[i]));
            const QByteArray path = paths[i].toUtf8();
            sqlite3_bind_text(attach, 1, path.constData(), path.size(), SQLITE_TRANSIENT);
            const int step = sqlite3_step(attach);
            sqlite3_finalize(attach);
            if (step != SQLITE_DONE)
                failWithSqlite(QStringLiteral("Подключение %1").arg(paths[i]));
        }
        // A file once switched to WAL would keep companion files beside it; the ledger never wants that.
        exec("PRAGMA journal_mode=DELETE");
        checkTables();
    } catch (...) {
        disconnect();
        throw;
    }
}

void Engine::checkTables() {
    for (const TableDef& table : Catalogue::tables()) {
        const QByteArray sql =
            "PRAGMA \"" + table.schema.toUtf8() + "\".table_info(\"" + table.name.toUtf8() + "\")";
        sqlite3_stmt* info = nullptr;
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &info, nullptr) != SQLITE_OK)
            failWithSqlite(QStringLiteral("Проверка таблицы %1").arg(table.name));
        int count = 0;
        bool matches = true;
        int rc;
        while ((rc = sqlite3_step(info)) == SQLITE_ROW) {
            const QString name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info, 1)));
            if (count >= table.fields.size() || name.compare(table.fields[count].name, Qt::CaseInsensitive) != 0)
                matches = false;
            ++count;
        }
        sqlite3_finalize(info);
        if (rc != SQLITE_DONE)
            failWithSqlite(QStringLiteral("Проверка таблицы %1").arg(table.name));
        if (!matches || count != table.fields.size())
            throw EngineError(QStringLiteral("Файл %1 не содержит таблицу %2 с ее полями").arg(tablePath(table), table.name));
    }
}

void Engine::disconnect() {
    if (!db)
        return;
    for (auto& compiled : cache) {
        sqlite3_finalize(compiled->prepared);
        compiled->prepared = nullptr;
    }
    sqlite3_close_v2(db);
    db = nullptr;
}

void Engine::disconnectUnlessHeld() {
    if (!held && !transaction)
        disconnect();
}

void Engine::exec(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(db));
        sqlite3_free(error);
        throw EngineError(QStringLiteral("%1: %2").arg(QString::fromLatin1(sql), message));
    }
}

void Engine::failWithSqlite(const QString& context) {
    throw EngineError(QStringLiteral("%1: %2").arg(context, QString::fromUtf8(sqlite3_errmsg(db))));
}

void Engine::begin() {
    if (transaction)
        throw EngineError(QStringLiteral("Операция уже начата"));
    connect();
    exec("BEGIN");
    transaction = true;
}

void Engine::commit() {
    if (!transaction)
        throw EngineError(QStringLiteral("Нет начатой операции"));
    try {
        exec("COMMIT");
    } catch (const EngineError&) {
        rollback();
        throw;
    }
    transaction = false;
    disconnectUnlessHeld();
}

void Engine::rollback() {
    if (!transaction)
        return;
    transaction = false;
    // After an I/O error SQLite may already have rolled back; a second ROLLBACK only reports that.
    if (db && !sqlite3_get_autocommit(db))
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    disconnectUnlessHeld();
}

Engine::Compiled& Engine::compile(const QString& text, QStringList* literals) {
    QString shape;
    const QVector<Token> tokens = Lexer::split(text, &shape);
    literals->clear();
    for (const Token& token : tokens) {
        if (token.kind == Token::Kind::Literal)
            literals->append(token.text);
    }
    auto found = cache.find(shape);
    if (found != cache.end())
        return **found;

    auto compiled = std::make_shared<Compiled>();
    compiled->statement = Parser::parse(tokens, text);
    compiled->translation = Translator::translate(compiled->statement, *literals);
    const Statement& s = compiled->statement;
    if (s.kind == Statement::Kind::Select) {
        if (s.sumField >= 0) {
            compiled->fields.push_back({s.sumName, FieldType::Number, 0, s.sumName, true});
        } else {
            for (int index : s.columns) {
                const FieldDef& f = s.table->fields[index];
                compiled->fields.push_back({f.name, f.type, f.width, f.name, true});
            }
        }
    }
    if (cache.size() >= kCacheLimit) {
        for (auto& old : cache)
            sqlite3_finalize(old->prepared);
        cache.clear();
    }
    return **cache.insert(shape, compiled);
}

void Engine::prepare(Compiled& compiled, const QString& statement) {
    if (compiled.prepared) {
        sqlite3_clear_bindings(compiled.prepared);
        return;
    }
    const QByteArray sql = compiled.translation.sql.toUtf8();
    if (sqlite3_prepare_v3(db, sql.constData(), sql.size(), SQLITE_PREPARE_PERSISTENT, &compiled.prepared, nullptr) !=
        SQLITE_OK)
        failWithSqlite(statement);
}

void Engine::bind(Compiled& compiled, const QStringList& literals) {
    sqlite3_stmt* stmt = compiled.prepared;
    const Translation& t = compiled.translation;
    for (int i = 0; i < literals.size(); ++i) {
        const int parameter = t.parameters[i];
        const FieldDef& field = *t.literalFields[i];
        const QString& literal = literals[i];
        if (parameter == 0)
            continue;
        switch (field.type) {
        case FieldType::Alpha: {
            if (literal.size() > field.width)
                throw EngineError(QStringLiteral("Значение %1 длиннее %2 символов").arg(literalContext(literal, field)).arg(field.width));
            const QByteArray utf8 = literal.toUtf8();
            sqlite3_bind_text(stmt, parameter, utf8.constData(), utf8.size(), SQLITE_TRANSIENT);
            break;
        }
        case FieldType::Number:
        case FieldType::Autoinc: {
            double value = 0;
            if (!NumberText::read(literal, QLatin1Char('.'), &value))
                throw EngineError(QStringLiteral("Значение %1 не является числом с точкой").arg(literalContext(literal, field)));
            if (field.type == FieldType::Autoinc) {
                if (value != std::floor(value) || std::fabs(value) > 9.0e15)
                    throw EngineError(QStringLiteral("Значение %1 не является целым числом").arg(literalContext(literal, field)));
                sqlite3_bind_int64(stmt, parameter, static_cast<sqlite3_int64>(value));
            } else {
                sqlite3_bind_double(stmt, parameter, value);
            }
            break;
        }
        case FieldType::Date: {
            const QDate date = RegionalSettings::parseDate(literal);
            if (!date.isValid())
                throw EngineError(QStringLiteral("Значение %1 не является датой вида %2")
                                      .arg(literalContext(literal, field), RegionalSettings::shortDatePattern()));
            const QByteArray iso = date.toString(Qt::ISODate).toLatin1();
            sqlite3_bind_text(stmt, parameter, iso.constData(), iso.size(), SQLITE_TRANSIENT);
            break;
        }
        case FieldType::Time: {
            const QTime time = RegionalSettings::parseTime(literal);
            if (!time.isValid())
                throw EngineError(QStringLiteral("Значение %1 не является временем вида %2")
                                      .arg(literalContext(literal, field), RegionalSettings::longTimePattern()));
            const QByteArray hms = time.toString(QStringLiteral("HH:mm:ss")).toLatin1();
            sqlite3_bind_text(stmt, parameter, hms.constData(), hms.size(), SQLITE_TRANSIENT);
            break;
        }
        }
    }
}

void Engine::fetch(Compiled& compiled, Result* result) {
    sqlite3_stmt* stmt = compiled.prepared;
    result->clear();
    result->fields = compiled.fields;
    const int columnCount = compiled.fields.size();
    result->columns.resize(columnCount);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int c = 0; c < columnCount; ++c) {
            ResultColumn& column = result->columns[c];
            const bool isNull = sqlite3_column_type(stmt, c) == SQLITE_NULL;
            column.nulls.push_back(isNull);
            const FieldType type = compiled.fields[c].type;
            if (type == FieldType::Number || type == FieldType::Autoinc) {
                column.numbers.push_back(isNull ? 0.0 : sqlite3_column_double(stmt, c));
            } else if (isNull) {
                column.texts.emplace_back();
            } else {
                const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
                column.texts.push_back(QString::fromUtf8(text, sqlite3_column_bytes(stmt, c)));
            }
        }
        ++result->rowCount;
    }
    if (rc != SQLITE_DONE) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_reset(stmt);
        result->clear();
        throw EngineError(QStringLiteral("Ошибка чтения: %1").arg(message));
    }
}

// Prepares (or reuses), binds and runs one compiled statement; the statement is reset and a
// connection opened only for it is closed again, whichever way it ends.
void Engine::run(Compiled& compiled, const QString& statement, const QStringList& literals,
                 const std::function<void(sqlite3_stmt*)>& work) {
    connect();
    try {
        prepare(compiled, statement);
        bind(compiled, literals);
        work(compiled.prepared);
        sqlite3_reset(compiled.prepared);
    } catch (...) {
        if (compiled.prepared)
            sqlite3_reset(compiled.prepared);
        disconnectUnlessHeld();
        throw;
    }
    disconnectUnlessHeld();
}

void Engine::select(const QString& statement, Result* result) {
    QStringList literals;
    Compiled& compiled = compile(statement, &literals);
    if (compiled.statement.kind != Statement::Kind::Select)
        throw EngineError(QStringLiteral("Оператор изменения нельзя открыть как запрос: %1").arg(statement));
    run(compiled, statement, literals, [&](sqlite3_stmt*) { fetch(compiled, result); });
}

int Engine::execute(const QString& statement) {
    QStringList literals;
    Compiled& compiled = compile(statement, &literals);
    if (compiled.statement.kind == Statement::Kind::Select)
        throw EngineError(QStringLiteral("Запрос SELECT нельзя выполнить как изменение: %1").arg(statement));
    int changed = 0;
    run(compiled, statement, literals, [&](sqlite3_stmt* prepared) {
        if (sqlite3_step(prepared) != SQLITE_DONE)
            throw EngineError(QStringLiteral("%1: %2").arg(statement, QString::fromUtf8(sqlite3_errmsg(db))));
        changed = sqlite3_changes(db);
    });
    return changed;
}

Transaction::Transaction(Engine& e) : engine(e) { engine.begin(); }

Transaction::~Transaction() {
    if (!done)
        engine.rollback();
}

void Transaction::commit() {
    done = true;
    engine.commit();
}
