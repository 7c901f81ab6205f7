// The statement layer's engine: one SQLite connection over the five table files of a folder, the
// realizators file as its main database and the other four attached, so that a transaction spans all
// five and commits or rolls back as one (rollback journal, never WAL: a table at rest is one file).
//
// States. The "table handles" are the engine's hold on the files: while they are open the connection
// stays open; closeTables() lets go of every file so that batch files can copy, move or delete them.
// A statement issued while the handles are closed opens the files for that statement only, and
// fails with an EngineError when a file is missing. A transaction keeps the connection open until it
// ends; the handles cannot be closed inside one.
//
// Statements are the one-line forms of Parser.h, with every value a double-quoted literal. Literals
// are converted to the type of their field and bound as parameters; a statement or literal that is
// refused raises an EngineError before anything of it runs. Statements of one shape reuse one
// prepared SQLite statement.
#pragma once

#include "platform/engine/Result.h"
#include "platform/engine/Statement.h"
#include "platform/engine/Translator.h"

#include <QHash>
#include <QString>

#include <functional>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

class Engine {
public:
    // `folder` holds the five table files; nothing is opened yet.
    explicit Engine(const QString& folder);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    const QString& folder() const { return tableFolder; }

    // Takes the hold on the five files; checks that each exists and holds the table it should.
    void openTables();
    // Lets go of every file.
    void closeTables();
    bool tablesOpen() const { return held; }

    // One transaction around a group of statements: all five files change together or not at all.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return transaction; }

    // Runs a SELECT into `result`.
    void select(const QString& statement, Result* result);
    // Runs an INSERT, UPDATE or DELETE; returns the number of rows it changed.
    int execute(const QString& statement);

    // The path of a table's file in the folder, found without regard to letter case.
    QString tablePath(const TableDef& table) const;

private:
    struct Compiled {
        Statement statement;
        Translation translation;
        QVector<ResultField> fields;
        sqlite3_stmt* prepared = nullptr;
    };

    void connect();
    void disconnect();
    void disconnectUnlessHeld();
    void checkTables();
    void exec(const char* sql);
    Compiled& compile(const QString& statement, QStringList* literals);
    void run(Compiled& compiled, const QString& statement, const QStringList& literals,
             const std::function<void(sqlite3_stmt*)>& work);
    void prepare(Compiled& compiled, const QString& statement);
    void bind(Compiled& compiled, const QStringList& literals);
    void fetch(Compiled& compiled, Result* result);
    [[noreturn]] void failWithSqlite(const QString& context);

    QString tableFolder;
    sqlite3* db = nullptr;
    bool held = false;
    bool transaction = false;
    QHash<QString, std::shared_ptr<Compiled>> cache;
};

// Begins a transaction of the engine and rolls it back unless commit() was called: an operation whose
// statements fail midway leaves the tables as they were.
class Transaction {
public:
    explicit Transaction(Engine& engine);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Engine& engine;
    bool done = false;
};
