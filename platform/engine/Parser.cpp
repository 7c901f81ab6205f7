#include "platform/engine/Parser.h"

#include "platform/engine/EngineError.h"

namespace {

class Reader {
public:
    Reader(const QVector<Token>& tokens, const QString& text) : tokens(tokens), text(text) {}

    const Token& peek() const { return tokens.at(pos); }

    bool atWord(const char* word) const {
        return peek().kind == Token::Kind::Word && peek().text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool atSymbol(const char* symbol) const {
        return peek().kind == Token::Kind::Symbol && peek().text == QLatin1String(symbol);
    }

    bool acceptWord(const char* word) {
        if (!atWord(word))
            return false;
        ++pos;
        return true;
    }
    bool acceptSymbol(const char* symbol) {
        if (!atSymbol(symbol))
            return false;
        ++pos;
        return true;
    }

    void expectWord(const char* word) {
        if (!acceptWord(word))
            fail(QStringLiteral("ожидалось %1").arg(QLatin1String(word)));
    }
    void expectSymbol(const char* symbol) {
        if (!acceptSymbol(symbol))
            fail(QStringLiteral("ожидалось «%1»").arg(QLatin1String(symbol)));
    }
    void expectEnd() {
        if (peek().kind != Token::Kind::End)
            fail(QStringLiteral("ожидался конец оператора"));
    }

    QString name(const char* what) {
        if (peek().kind != Token::Kind::Word)
            fail(QStringLiteral("ожидалось %1").arg(QString::fromUtf8(what)));
        return tokens.at(pos++).text;
    }

    int literal(Statement& statement) {
        if (peek().kind != Token::Kind::Literal)
            fail(QStringLiteral("ожидалось значение в двойных кавычках"));
        ++pos;
        return statement.literalCount++;
    }

    [[noreturn]] void fail(const QString& expected) const {
        const Token& at = peek();
        const QString found = at.kind == Token::Kind::End ? QStringLiteral("конец оператора")
                              : at.kind == Token::Kind::Literal ? QStringLiteral("значение \"%1\"").arg(at.text)
                                                                  : QStringLiteral("«%1»").arg(at.text);
        throw EngineError(QStringLiteral("Неверный оператор: %1 в позиции %2, а найдено %3: %4")
                              .arg(expected)
                              .arg(at.position + 1)
                              .arg(found, text));
    }

private:
    const QVector<Token>& tokens;
    const QString& text;
    int pos = 0;
};

const TableDef* table(Reader& in) {
    const QString name = in.name("имя таблицы");
    const TableDef* def = Catalogue::find(name);
    if (!def)
        throw EngineError(QStringLiteral("Неизвестная таблица %1").arg(name));
    return def;
}

int field(Reader& in, const TableDef& table) {
    const QString name = in.name("имя поля");
    const int index = table.fieldIndex(name);
    if (index < 0)
        throw EngineError(QStringLiteral("В таблице %1 нет поля %2").arg(table.name, name));
    return index;
}

void whereClause(Reader& in, Statement& s) {
    if (!in.acceptWord("WHERE"))
        return;
    do {
        Condition condition{field(in, *s.table), Condition::Op::Equal, -1};
        if (in.acceptSymbol("=")) {
            condition.literal = in.literal(s);
        } else if (in.acceptSymbol("<>")) {
            condition.op = Condition::Op::NotEqual;
            condition.literal = in.literal(s);
        } else if (in.acceptWord("BETWEEN")) {
            condition.op = Condition::Op::Between;
            condition.literal = in.literal(s);
            in.expectWord("AND");
            condition.secondLiteral = in.literal(s);
        } else {
            in.fail(QStringLiteral("ожидалось «=», «<>» или BETWEEN"));
        }
        s.where.push_back(condition);
    } while (in.acceptWord("AND"));
}

void orderClause(Reader& in, Statement& s) {
    if (!in.acceptWord("ORDER"))
        return;
    in.expectWord("BY");
    do {
        OrderKey key{field(in, *s.table), false};
        if (in.acceptWord("DESC"))
            key.descending = true;
        else
            in.acceptWord("ASC");
        s.order.push_back(key);
    } while (in.acceptSymbol(","));
}

void selectList(Reader& in, Statement& s, QVector<QString>* names) {
    if (in.acceptSymbol("*"))
        return;
    if (in.atWord("SUM")) {
        in.acceptWord("SUM");
        in.expectSymbol("(");
        names->push_back(in.name("имя поля"));
        in.expectSymbol(")");
        s.sumName = QStringLiteral("SUM OF ") + names->front();
        s.sumField = -2; // resolved once the table is known
        return;
    }
    do
        names->push_back(in.name("имя поля или *"));
    while (in.acceptSymbol(","));
}

Statement select(Reader& in) {
    Statement s;
    s.kind = Statement::Kind::Select;
    s.distinct = in.acceptWord("DISTINCT");
    QVector<QString> names;
    selectList(in, s, &names);
    in.expectWord("FROM");
    s.table = table(in);
    for (const QString& name : names) {
        const int index = s.table->fieldIndex(name);
        if (index < 0)
            throw EngineError(QStringLiteral("В таблице %1 нет поля %2").arg(s.table->name, name));
        if (s.sumField == -2)
            s.sumField = index;
        else
            s.columns.push_back(index);
    }
    if (s.sumField >= 0) {
        if (s.table->fields[s.sumField].type != FieldType::Number)
            throw EngineError(QStringLiteral("SUM допустим только для числового поля, а %1 не числовое").arg(names.front()));
        if (s.distinct)
            throw EngineError(QStringLiteral("DISTINCT не применяется к SUM"));
    } else if (s.columns.isEmpty()) {
        for (int i = 0; i < s.table->fields.size(); ++i)
            s.columns.push_back(i);
    }
    whereClause(in, s);
    orderClause(in, s);
    if (s.sumField >= 0 && !s.order.isEmpty())
        throw EngineError(QStringLiteral("ORDER BY не применяется к SUM"));
    if (s.distinct) {
        for (const OrderKey& key : s.order) {
            if (!s.columns.contains(key.field))
                throw EngineError(QStringLiteral("С DISTINCT сортировать можно только по выбранным полям, а %1 не выбрано")
                                      .arg(s.table->fields[key.field].name));
        }
    }
    in.expectEnd();
    return s;
}

Statement insert(Reader& in) {
    Statement s;
    s.kind = Statement::Kind::Insert;
    in.expectWord("INTO");
    s.table = table(in);
    QVector<int> fields;
    if (in.acceptSymbol("(")) {
        do {
            const int index = field(in, *s.table);
            if (fields.contains(index))
                throw EngineError(QStringLiteral("Поле %1 указано дважды").arg(s.table->fields[index].name));
            fields.push_back(index);
        } while (in.acceptSymbol(","));
        in.expectSymbol(")");
    } else {
        for (int i = 0; i < s.table->fields.size(); ++i)
            fields.push_back(i);
    }
    in.expectWord("VALUES");
    in.expectSymbol("(");
    QVector<int> literals;
    do
        literals.push_back(in.literal(s));
    while (in.acceptSymbol(","));
    in.expectSymbol(")");
    in.expectEnd();
    if (literals.size() != fields.size())
        throw EngineError(QStringLiteral("Число значений (%1) не совпадает с числом полей (%2) таблицы %3")
                              .arg(literals.size())
                              .arg(fields.size())
                              .arg(s.table->name));
    for (int i = 0; i < fields.size(); ++i)
        s.values.push_back({fields[i], literals[i]});
    return s;
}

Statement update(Reader& in) {
    Statement s;
    s.kind = Statement::Kind::Update;
    s.table = table(in);
    in.expectWord("SET");
    do {
        const int index = field(in, *s.table);
        in.expectSymbol("=");
        s.assignments.push_back({index, in.literal(s)});
    } while (in.acceptSymbol(","));
    whereClause(in, s);
    in.expectEnd();
    return s;
}

Statement remove(Reader& in) {
    Statement s;
    s.kind = Statement::Kind::Delete;
    in.expectWord("FROM");
    s.table = table(in);
    whereClause(in, s);
    in.expectEnd();
    return s;
}

} // namespace

Statement Parser::parse(const QVector<Token>& tokens, const QString& statementText) {
    Reader in(tokens, statementText);
    if (in.acceptWord("SELECT"))
        return select(in);
    if (in.acceptWord("INSERT"))
        return insert(in);
    if (in.acceptWord("UPDATE"))
        return update(in);
    if (in.acceptWord("DELETE"))
        return remove(in);
    in.fail(QStringLiteral("ожидалось SELECT, INSERT, UPDATE или DELETE"));
}
