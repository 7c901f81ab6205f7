// A query object as the windows use it: a statement text, opened (a SELECT, whose rows are all read at
// once) or executed (a change), with a cursor over the rows and fields read by name as float, as
// integer or as text. The result's fields carry the caption and visible flag the grids show.
#pragma once

#include "platform/engine/Result.h"

#include <QDate>
#include <QString>
#include <QTime>

class Engine;
class Query;

// One field of one row of an open query.
class Field {
public:
    Field(const Query& query, int row, int column) : query(query), row(row), column(column) {}

    bool isNull() const;
    // Numbers as they are; an empty field reads 0; text is read in the regional number format;
    // a date reads as days since 30 December 1899.
    double asFloat() const;
    // asFloat rounded to the nearest whole number, halves to the even neighbour.
    qint64 asInteger() const;
    // Numbers in the general format with the regional decimal separator, dates and times by the
    // regional patterns, empty text for an empty field.
    QString asString() const;
    QDate asDate() const;
    QTime asTime() const;

private:
    const Query& query;
    int row;
    int column;
};

class Query {
public:
    explicit Query(Engine* engine = nullptr) : engine(engine) {}

    void setEngine(Engine* e) { engine = e; }

    // The statement text. Changing it closes the query.
    void clearSql();
    void addSql(const QString& line);
    void setSql(const QString& statement);
    const QString& sql() const { return text; }

    // Runs the SELECT and reads its rows; the cursor stands on the first. An open query stays as it is.
    void open();
    // Runs the INSERT, UPDATE or DELETE; returns the number of rows changed.
    int execSql();
    void close();
    bool isOpen() const { return opened; }

    int recordCount() const { return opened ? result.rowCount : 0; }
    void first() { current = 0; }
    void next();
    bool eof() const { return !opened || current >= result.rowCount; }
    int recNo() const { return current; }
    void moveTo(int row);

    int fieldCount() const { return result.fields.size(); }
    const ResultField& fieldInfo(int index) const { return result.fields.at(index); }
    ResultField& fieldInfo(int index) { return result.fields[index]; }
    // Field position by name, any letter case; -1 when absent.
    int fieldIndex(const QString& name) const;

    // A field of the current row; EngineError when there is no such field or the query is closed.
    Field fieldByName(const QString& name) const;
    // A field of any row, for grids.
    Field fieldAt(int row, int column) const { return Field(*this, row, column); }

    const Result& rows() const { return result; }

private:
    friend class Field;
    Engine& requireEngine() const;

    Engine* engine;
    QString text;
    Result result;
    bool opened = false;
    int current = 0;
};
