// The catalogue of the five ledger tables: each table's file, its fields in table order, their logical
// types (Alpha(n), Number, Date, Time, Autoinc) and how each type is declared in SQLite. The field
// order is part of the contract: whole-row inserts give their values in it and the grids address
// result columns by position.
#pragma once

#include <QString>
#include <QVector>

enum class FieldType { Alpha, Number, Date, Time, Autoinc };

struct FieldDef {
    QString name; // stored, capitalised spelling: "R_id", "Ostatok"
    FieldType type;
    int width; // characters of an Alpha field, 0 otherwise

    // The declared SQLite type. Its affinity keeps text as text (VARCHAR, *_TEXT) and numbers as
    // numbers; dates are ISO "YYYY-MM-DD" text and times "HH:MM:SS", so order and ranges work.
    QString declaredType() const;
};

struct TableDef {
    QString name; // "realizators"
    QString fileName; // "realizators.db"
    QString schema; // the name the table's file is attached under in one connection
    QVector<FieldDef> fields;
    QVector<QString> indexedFields; // non-unique indexes kept inside the table's own file

    // Field position by name, any letter case; -1 when the table has no such field.
    int fieldIndex(const QString& name) const;
    // The statements that create the empty table in its own file.
    QStringList createStatements() const;
};

class Catalogue {
public:
    // realizators, tovar, oper, kassa, info; realizators is the connection's main database.
    static const QVector<TableDef>& tables();
    // The table by name, any letter case; nullptr when unknown.
    static const TableDef* find(const QString& name);
    // The Autoinc counter of the shipped empty agents table: the first agent gets an id above it.
    static constexpr int kFirstAgentCounter = 20;
};
