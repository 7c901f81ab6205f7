#include "platform/engine/Query.h"

#include "platform/NumberText.h"
#include "platform/RegionalSettings.h"
#include "platform/engine/Engine.h"
#include "platform/engine/EngineError.h"

namespace {

const QDate kDayZero(1899, 12, 30);

} // namespace

bool Field::isNull() const { return row < 0 || query.result.columns[column].nulls[row] != 0; }

double Field::asFloat() const {
    if (isNull())
        return 0.0;
    const ResultField& field = query.result.fields[column];
    const ResultColumn& values = query.result.columns[column];
    switch (field.type) {
    case FieldType::Number:
    case FieldType::Autoinc:
        return values.numbers[row];
    case FieldType::Date:
        return kDayZero.daysTo(asDate());
    case FieldType::Time:
        return asTime().msecsSinceStartOfDay() / 86400000.0;
    case FieldType::Alpha: {
        double value = 0;
        if (!NumberText::read(values.texts[row], &value))
            throw EngineError(QStringLiteral("«%1» не является числом (поле %2)").arg(values.texts[row], field.name));
        return value;
    }
    }
    return 0.0;
}

qint64 Field::asInteger() const { return NumberText::roundHalfEven(asFloat()); }

QString Field::asString() const {
    if (isNull())
        return QString();
    const ResultField& field = query.result.fields[column];
    const ResultColumn& values = query.result.columns[column];
    switch (field.type) {
    case FieldType::Number:
        return NumberText::general(values.numbers[row]);
    case FieldType::Autoinc:
        return QString::number(static_cast<qint64>(values.numbers[row]));
    case FieldType::Date:
        return RegionalSettings::formatDate(asDate());
    case FieldType::Time:
        return RegionalSettings::formatTime(asTime());
    case FieldType::Alpha:
        return values.texts[row];
    }
    return QString();
}

QDate Field::asDate() const {
    const ResultField& field = query.result.fields[column];
    if (isNull() || field.type != FieldType::Date)
        return QDate();
    return QDate::fromString(query.result.columns[column].texts[row], Qt::ISODate);
}

QTime Field::asTime() const {
    const ResultField& field = query.result.fields[column];
    if (isNull() || field.type != FieldType::Time)
        return QTime();
    return QTime::fromString(query.result.columns[column].texts[row], QStringLiteral("HH:mm:ss"));
}

Engine& Query::requireEngine() const {
    if (!engine)
        throw EngineError(QStringLiteral("Запрос не связан с базой данных"));
    return *engine;
}

void Query::clearSql() {
    close();
    text.clear();
}

void Query::addSql(const QString& line) {
    close();
    if (!text.isEmpty())
        text += QLatin1Char(' ');
    text += line;
}

void Query::setSql(const QString& statement) {
    close();
    text = statement;
}

void Query::open() {
    if (opened)
        return;
    requireEngine().select(text, &result);
    opened = true;
    current = 0;
}

int Query::execSql() {
    close();
    return requireEngine().execute(text);
}

void Query::close() {
    opened = false;
    current = 0;
    // Keep the field list (captions, visibility) of the last result until the next open.
    for (ResultColumn& column : result.columns)
        column = ResultColumn();
    result.rowCount = 0;
}

void Query::next() {
    if (current < result.rowCount)
        ++current;
}

void Query::moveTo(int row) {
    if (result.rowCount == 0)
        current = 0;
    else
        current = qBound(0, row, result.rowCount - 1);
}

int Query::fieldIndex(const QString& name) const {
    for (int i = 0; i < result.fields.size(); ++i) {
        if (result.fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

Field Query::fieldByName(const QString& name) const {
    const int index = fieldIndex(name);
    if (!opened || index < 0)
        throw EngineError(QStringLiteral("Поле %1 не найдено").arg(name));
    if (current >= result.rowCount) {
        // Reading past the end (an empty result) gives the empty field, as the windows expect.
        return Field(*this, -1, index);
    }
    return Field(*this, current, index);
}
