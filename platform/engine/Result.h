// The materialised result of a SELECT: its fields in result order, each with the caption and visible
// flag a grid shows, and the values column by column.
#pragma once

#include "platform/engine/Catalogue.h"

#include <QString>
#include <QVector>

#include <vector>

struct ResultField {
    QString name; // as the engine reports it: the stored spelling, or "SUM OF t_summ"
    FieldType type;
    int width;
    QString caption; // the grid's column title; the name until a window sets it
    bool visible = true;
};

struct ResultColumn {
    std::vector<double> numbers; // Number and Autoinc fields
    std::vector<QString> texts; // Alpha fields, Date as ISO "YYYY-MM-DD", Time as "HH:MM:SS"
    std::vector<unsigned char> nulls; // 1 where the field is empty
};

struct Result {
    QVector<ResultField> fields;
    QVector<ResultColumn> columns;
    int rowCount = 0;

    void clear() {
        fields.clear();
        columns.clear();
        rowCount = 0;
    }
};
