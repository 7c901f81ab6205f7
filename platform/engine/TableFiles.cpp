#include "platform/engine/TableFiles.h"

#include "platform/engine/EngineError.h"

#include <QFile>

#include <sqlite3.h>

namespace {

void run(sqlite3* db, const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(db));
        sqlite3_free(error);
        throw EngineError(QStringLiteral("%1: %2").arg(sql, message));
    }
}

} // namespace

void TableFiles::createEmpty(const TableDef& table, const QString& path) {
    const QString temporary = path + QStringLiteral(".new");
    QFile::remove(temporary);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(temporary.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw EngineError(QStringLiteral("Не удалось создать %1").arg(temporary));
    }
    try {
        run(db, QStringLiteral("PRAGMA journal_mode=DELETE"));
        run(db, QStringLiteral("BEGIN"));
        for (const QString& statement : table.createStatements())
            run(db, statement);
        for (const FieldDef& field : table.fields) {
            if (field.type == FieldType::Autoinc)
                run(db, QStringLiteral("INSERT INTO sqlite_sequence(name, seq) VALUES('%1', %2)")
                            .arg(table.name)
                            .arg(Catalogue::kFirstAgentCounter));
        }
        run(db, QStringLiteral("COMMIT"));
    } catch (...) {
        sqlite3_close(db);
        QFile::remove(temporary);
        throw;
    }
    sqlite3_close(db);
    QFile::remove(path);
    if (!QFile::rename(temporary, path))
        throw EngineError(QStringLiteral("Не удалось записать %1").arg(path));
}
