// Turns a parsed statement into SQLite's SQL with one parameter per non-empty literal, and says which
// field each literal is converted for. The dialect rules, each with its reason:
// - Text '=' and '<>' compare under ZELMAR_NOCASE (letter case aside, Latin A-Z and Cyrillic А-Я),
//   so "хлеб" finds the goods line "Хлеб" instead of starting a second one.
// - ORDER BY on text sorts under ZELMAR_ORDER (Russian alphabet, letter case aside, Ё beside Е); every
//   order ends with the rowid, so ties keep the table's order and results are repeatable.
// - A statement without ORDER BY returns the table's order (rowid).
// - An empty literal is the empty field (NULL): "=" becomes IS NULL, "<>" IS NOT NULL.
// - DISTINCT is a GROUP BY over the chosen fields, ordered by each group's first row, so duplicates
//   collapse onto their first occurrence and the order stays the table's.
// - SUM(<field>) is SQLite's SUM: NULL over no rows, which reads as 0 or as empty text.
#pragma once

#include "platform/engine/Statement.h"

#include <QStringList>

struct Translation {
    QString sql;
    // For each literal of the statement: the field it is converted for, and its SQLite parameter
    // number (0 for an empty literal, which the SQL already spells as NULL).
    QVector<const FieldDef*> literalFields;
    QVector<int> parameters;
};

class Translator {
public:
    static Translation translate(const Statement& statement, const QStringList& literals);
};
