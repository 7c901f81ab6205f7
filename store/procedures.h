// The shared procedures of the ledger: changing an agent's remainder, adding goods to a receiver's
// goods line, number text for statements, an agent's short name for the journal, the held-goods
// lookup, and the key filters of every number box. They run inside the click handler that calls them;
// their statements go through the work query. An engine error ends the procedure where it happens.
#pragma once

#include "store/Ledger.h"
#include "store/ProgramState.h"

#include <QChar>
#include <QString>

// The backspace key as the key filters see it.
constexpr QChar kBackspace = QChar(8);

// Lowers the remainder of the agent by -amount or raises it by amount, never below zero.
void AddToRemainder(int agentId, double amount);
// Puts `count` pieces of the article into the agent's goods line (created when missing); the
// line's own price stays, its sum is computed with `price`.
void AddToGoodsLine(int agentId, const QString& count, const QString& price, const QString& name);

// Every comma becomes a point: number text in the form statements take.
QString CommaToPoint(const QString& text);
// A fractional value as statement text: general format, then CommaToPoint.
QString StatementNumber(double value);

// "Петров Иван Сергеевич" → "Петров И.С.", the agent's name as the journal stores it.
QString NameWithInitials(const QString& name);
// Latin A-Z and Cyrillic А-Я to lower case; every other character (Ё among them) unchanged.
QString LowerCaseRu(const QString& text);
// Looks the article up in the held-goods list, letter case aside. Mode "true": its position as
// text; any other mode: its stored name. "False" when it is not held.
QString FindHeldGoods(const QString& name, const QString& mode);

bool HasDecimalSeparator(const QString& text);
QChar DecimalSeparatorKey(QChar typed);
// The character a money box takes for a typed key, or a null QChar when the key is refused.
QChar MoneyKeyFilter(const QString& boxText, int caretPosition, QChar typed);
// The character a count box takes for a typed key, or a null QChar when the key is refused.
QChar DigitKeyFilter(QChar typed);

// Refills the held-goods list from an open query over tovar rows, in the query's order.
void FillHeldGoods(Query& rows);
// Number conversions of typed text; ConversionError when the text is not such a number.
qint64 TextToInteger(const QString& text);
double TextToFloat(const QString& text);

// Runs one statement on the work query: close it, set the statement, open it (reads).
Query& OpenWorkQuery(const QString& statement);
// Runs one change on the work query.
void ExecWorkQuery(const QString& statement);
