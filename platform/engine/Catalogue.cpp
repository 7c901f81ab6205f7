#include "platform/engine/Catalogue.h"

#include <QStringList>

QString FieldDef::declaredType() const {
    switch (type) {
    case FieldType::Alpha:
        return QStringLiteral("VARCHAR(%1)").arg(width);
    case FieldType::Number:
        return QStringLiteral("REAL");
    case FieldType::Date:
        return QStringLiteral("DATE_TEXT");
    case FieldType::Time:
        return QStringLiteral("TIME_TEXT");
    case FieldType::Autoinc:
        return QStringLiteral("INTEGER");
    }
    return QString();
}

int TableDef::fieldIndex(const QString& fieldName) const {
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QStringList TableDef::createStatements() const {
    QStringList columns;
    for (const FieldDef& field : fields) {
        QString column = QStringLiteral("\"%1\" %2").arg(field.name, field.declaredType());
        if (field.type == FieldType::Autoinc)
            column += QStringLiteral(" PRIMARY KEY AUTOINCREMENT");
        columns << column;
    }
    QStringList statements{QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(name, columns.join(QStringLiteral(", ")))};
    for (const QString& field : indexedFields)
        statements << QStringLiteral("CREATE INDEX \"%1_%2\" ON \"%1\" (\"%2\")").arg(name, field);
    return statements;
}

namespace {

FieldDef alpha(const char* name, int width) { return {QString::fromLatin1(name), FieldType::Alpha, width}; }
FieldDef number(const char* name) { return {QString::fromLatin1(name), FieldType::Number, 0}; }
FieldDef date(const char* name) { return {QString::fromLatin1(name), FieldType::Date, 0}; }
FieldDef time(const char* name) { return {QString::fromLatin1(name), FieldType::Time, 0}; }

QVector<TableDef> makeTables() {
    return {
        {QStringLiteral("realizators"), QStringLiteral("realizators.db"), QStringLiteral("main"),
         {{QStringLiteral("R_id"), FieldType::Autoinc, 0}, alpha("R_fam", 20), alpha("R_name", 15),
          alpha("R_otch", 20), alpha("R_pasport", 15), alpha("R_adres", 50), number("Ostatok"), number("Dolg")},
         {}},
        {QStringLiteral("tovar"), QStringLiteral("tovar.db"), QStringLiteral("tovar"),
         {number("R_id"), alpha("T_name", 20), number("T_price"), number("T_col"), number("T_summ")},
         {QStringLiteral("R_id")}},
        {QStringLiteral("oper"), QStringLiteral("oper.db"), QStringLiteral("oper"),
         {number("R_id"), date("O_date"), time("O_time"), alpha("O_name", 8), alpha("O_komu", 25),
          alpha("T_name", 20), number("T_price"), number("T_col"), number("T_summ")},
         {QStringLiteral("R_id")}},
        {QStringLiteral("kassa"), QStringLiteral("kassa.db"), QStringLiteral("kassa"),
         {number("R_id"), date("K_date"), number("K_summ"), number("Zp")},
         {QStringLiteral("R_id")}},
        {QStringLiteral("info"), QStringLiteral("info.db"), QStringLiteral("info"),
         {date("I_date"), number("I_summ")},
         {QStringLiteral("I_date")}},
    };
}

} // namespace

const QVector<TableDef>& Catalogue::tables() {
    static const QVector<TableDef> all = makeTables();
    return all;
}

const TableDef* Catalogue::find(const QString& name) {
    for (const TableDef& table : tables()) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    }
    return nullptr;
}
