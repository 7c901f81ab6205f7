// Reads the tokens of one statement into a Statement, accepting exactly the forms the ledger writes:
//   SELECT [DISTINCT] * | <field>[, ...] | SUM(<field>) FROM <table> [WHERE <cond> [AND <cond> ...]]
//          [ORDER BY <field> [DESC][, ...]]
//   INSERT INTO <table>[(<field>[, ...])] VALUES(<literal>[, ...])
//   UPDATE <table> SET <field>=<literal>[, ...] [WHERE ...]
//   DELETE FROM <table> [WHERE ...]
// where <cond> is <field> = <literal>, <field> <> <literal> or <field> BETWEEN <literal> AND <literal>.
// Keywords and names in any letter case. Anything else is refused with an EngineError naming what
// was expected where.
#pragma once

#include "platform/engine/Lexer.h"
#include "platform/engine/Statement.h"

class Parser {
public:
    static Statement parse(const QVector<Token>& tokens, const QString& statementText);
};
