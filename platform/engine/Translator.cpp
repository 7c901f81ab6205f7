#include "platform/engine/Translator.h"

namespace {

QString quoted(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

class Builder {
public:
    Builder(const Statement& statement, const QStringList& literals) : s(statement), literals(literals) {
        out.literalFields.resize(statement.literalCount);
        out.parameters.resize(statement.literalCount);
    }

    QString tableRef() const { return quoted(s.table->schema) + QLatin1Char('.') + quoted(s.table->name); }
    const FieldDef& field(int index) const { return s.table->fields[index]; }
    QString column(int index) const { return quoted(field(index).name); }

    // The parameter for literal `index`, or NULL when it is empty.
    QString value(int index, int fieldIndex) {
        out.literalFields[index] = &field(fieldIndex);
        if (literals.at(index).isEmpty()) {
            out.parameters[index] = 0;
            return QStringLiteral("NULL");
        }
        out.parameters[index] = ++parameterCount;
        return QLatin1Char('?') + QString::number(parameterCount);
    }

    QString condition(const Condition& c) {
        const QString name = column(c.field);
        const bool text = field(c.field).type == FieldType::Alpha;
        const QString collate = text ? QStringLiteral(" COLLATE ZELMAR_NOCASE") : QString();
        switch (c.op) {
        case Condition::Op::Equal:
            if (literals.at(c.literal).isEmpty()) {
                value(c.literal, c.field);
                return name + QStringLiteral(" IS NULL");
            }
            return name + QStringLiteral(" = ") + value(c.literal, c.field) + collate;
        case Condition::Op::NotEqual:
            if (literals.at(c.literal).isEmpty()) {
                value(c.literal, c.field);
                return name + QStringLiteral(" IS NOT NULL");
            }
            return name + QStringLiteral(" <> ") + value(c.literal, c.field) + collate;
        case Condition::Op::Between: {
            const QString low = value(c.literal, c.field);
            const QString high = value(c.secondLiteral, c.field);
            return name + collate + QStringLiteral(" BETWEEN ") + low + QStringLiteral(" AND ") + high;
        }
        }
        return QString();
    }

    QString where() {
        if (s.where.isEmpty())
            return QString();
        QStringList parts;
        for (const Condition& c : s.where)
            parts << condition(c);
        return QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
    }

    QString orderKeys() const {
        QStringList keys;
        for (const OrderKey& key : s.order) {
            QString k = column(key.field);
            if (field(key.field).type == FieldType::Alpha)
                k += QStringLiteral(" COLLATE ZELMAR_ORDER");
            if (key.descending)
                k += QStringLiteral(" DESC");
            keys << k;
        }
        return keys.join(QStringLiteral(", "));
    }

    QString select() {
        if (s.sumField >= 0)
            return QStringLiteral("SELECT SUM(") + column(s.sumField) + QStringLiteral(") FROM ") + tableRef() + where();
        QStringList columns;
        for (int index : s.columns)
            columns << column(index);
        const QString list = columns.join(QStringLiteral(", "));
        const QString keys = orderKeys();
        if (s.distinct) {
            return QStringLiteral("SELECT ") + list + QStringLiteral(", MIN(rowid) AS zelmar_first FROM ") + tableRef() +
                   where() + QStringLiteral(" GROUP BY ") + list + QStringLiteral(" ORDER BY ") +
                   (keys.isEmpty() ? QString() : keys + QStringLiteral(", ")) + QStringLiteral("zelmar_first");
        }
        return QStringLiteral("SELECT ") + list + QStringLiteral(" FROM ") + tableRef() + where() +
               QStringLiteral(" ORDER BY ") + (keys.isEmpty() ? QString() : keys + QStringLiteral(", ")) +
               QStringLiteral("rowid");
    }

    QString insert() {
        QStringList columns, values;
        for (const Assignment& a : s.values) {
            columns << column(a.field);
            values << value(a.literal, a.field);
        }
        return QStringLiteral("INSERT INTO ") + tableRef() + QStringLiteral(" (") + columns.join(QStringLiteral(", ")) +
               QStringLiteral(") VALUES (") + values.join(QStringLiteral(", ")) + QLatin1Char(')');
    }

    QString update() {
        QStringList sets;
        for (const Assignment& a : s.assignments)
            sets << column(a.field) + QStringLiteral(" = ") + value(a.literal, a.field);
        return QStringLiteral("UPDATE ") + tableRef() + QStringLiteral(" SET ") + sets.join(QStringLiteral(", ")) + where();
    }

    QString remove() { return QStringLiteral("DELETE FROM ") + tableRef() + where(); }

    Translation finish(QString sql) {
        out.sql = std::move(sql);
        return out;
    }

private:
    const Statement& s;
    const QStringList& literals;
    Translation out;
    int parameterCount = 0;
};

} // namespace

Translation Translator::translate(const Statement& statement, const QStringList& literals) {
    Builder b(statement, literals);
    switch (statement.kind) {
    case Statement::Kind::Select:
        return b.finish(b.select());
    case Statement::Kind::Insert:
        return b.finish(b.insert());
    case Statement::Kind::Update:
        return b.finish(b.update());
    case Statement::Kind::Delete:
        return b.finish(b.remove());
    }
    return b.finish(QString());
}
