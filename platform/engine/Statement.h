// A parsed statement of one of the forms the ledger writes. Literals are kept by index into the
// statement's literal list, so one parsed shape serves every statement that differs only in values.
#pragma once

#include "platform/engine/Catalogue.h"

#include <QString>
#include <QVector>

struct Condition {
    enum class Op { Equal, NotEqual, Between };
    int field; // position in the table
    Op op;
    int literal; // index of the (first) literal
    int secondLiteral = -1; // BETWEEN's upper end
};

struct OrderKey {
    int field;
    bool descending;
};

struct Assignment {
    int field;
    int literal;
};

struct Statement {
    enum class Kind { Select, Insert, Update, Delete };
    Kind kind = Kind::Select;
    const TableDef* table = nullptr;

    // SELECT
    bool distinct = false;
    QVector<int> columns; // the result's fields; all of the table for '*'
    int sumField = -1; // SUM(<field>): the one result column
    QString sumName; // "SUM OF t_summ", the field named as the statement writes it
    QVector<OrderKey> order;

    // SELECT, UPDATE, DELETE
    QVector<Condition> where;

    // INSERT: field positions and their literals, in the order given
    QVector<Assignment> values;
    // UPDATE
    QVector<Assignment> assignments;

    int literalCount = 0;
};
