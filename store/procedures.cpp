#include "store/procedures.h"

#include "platform/ConversionError.h"
#include "platform/NumberText.h"
#include "platform/RegionalSettings.h"

Query& OpenWorkQuery(const QString& statement) {
    Query& query = Ledger::workQuery();
    query.close();
    query.clearSql();
    query.setSql(statement);
    query.open();
    return query;
}

void ExecWorkQuery(const QString& statement) {
    Query& query = Ledger::workQuery();
    query.close();
    query.clearSql();
    query.setSql(statement);
    query.execSql();
}

QString CommaToPoint(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char(','), QLatin1Char('.'));
    return out;
}

QString StatementNumber(double value) { return CommaToPoint(NumberText::general(value)); }

qint64 TextToInteger(const QString& text) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok)
        throw ConversionError(QStringLiteral("«%1» не является целым числом").arg(text));
    return value;
}

double TextToFloat(const QString& text) {
    double value = 0;
    if (!NumberText::read(text, &value))
        throw ConversionError(QStringLiteral("«%1» не является числом").arg(text));
    return value;
}

void AddToRemainder(int agentId, double amount) {
    const QString id = QString::number(agentId);
    Query& query = OpenWorkQuery(QStringLiteral("SELECT * FROM realizators WHERE r_id=\"%1\"").arg(id));
    double remainder = query.fieldByName(QStringLiteral("ostatok")).asFloat() + amount;
    if (!(remainder >= 0))
        remainder = 0;
    ExecWorkQuery(QStringLiteral("UPDATE realizators SET ostatok=\"%1\" WHERE r_id=\"%2\"").arg(StatementNumber(remainder), id));
}

void AddToGoodsLine(int agentId, const QString& count, const QString& price, const QString& name) {
    const QString id = QString::number(agentId);
    Query& query = OpenWorkQuery(QStringLiteral("SELECT * FROM tovar WHERE r_id=\"%1\" AND t_name=\"%2\"").arg(id, name));
    const double unitPrice = TextToFloat(price);
    const qint64 pieces = TextToInteger(count);
    if (query.recordCount() <= 0) {
        ExecWorkQuery(QStringLiteral("INSERT INTO tovar VALUES(\"%1\",\"%2\",\"%3\",\"%4\",\"%5\")")
                          .arg(id, name, CommaToPoint(price), count, StatementNumber(unitPrice * pieces)));
        return;
    }
    const qint64 newCount = query.fieldByName(QStringLiteral("t_col")).asInteger() + pieces;
    ExecWorkQuery(QStringLiteral("UPDATE tovar SET t_col=\"%1\",t_summ=\"%2\" WHERE r_id=\"%3\" AND t_name=\"%4\"")
                      .arg(QString::number(newCount), StatementNumber(unitPrice * newCount), id, name));
}

QString NameWithInitials(const QString& name) {
    QString s = name;
    // 1. The character two after each blank becomes a point (positions from the start; a blank
    //    already turned into a point is no longer a blank).
    for (int i = 0; i < s.size(); ++i) {
        if (s.at(i) == QLatin1Char(' ') && i + 2 < s.size())
            s[i + 2] = QLatin1Char('.');
    }
    // 2. Cut the end back to the last point.
    while (!s.isEmpty() && s.back() != QLatin1Char('.'))
        s.chop(1);
    // 3. From two before the end towards the start, remove characters up to the previous point.
    for (int p = s.size() - 3; p >= 0; --p) {
        if (s.at(p) == QLatin1Char('.'))
            break;
        s.remove(p, 1);
    }
    return s;
}

QString LowerCaseRu(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if ((u >= u'A' && u <= u'Z') || (u >= 0x0410 && u <= 0x042F))
            c = QChar(char16_t(u + 0x20));
    }
    return out;
}

QString FindHeldGoods(const QString& name, const QString& mode) {
    const HeldGoodsList& held = State().heldGoods;
    const QString wanted = LowerCaseRu(name);
    for (int p = 0; p <= held.count; ++p) {
        if (LowerCaseRu(held.name(p)) == wanted)
            return mode == QLatin1String("true") ? QString::number(p) : held.name(p);
    }
    return QStringLiteral("False");
}

void FillHeldGoods(Query& rows) {
    HeldGoodsList& held = State().heldGoods;
    held.clear();
    for (rows.first(); !rows.eof(); rows.next()) {
        held.append(rows.fieldByName(QStringLiteral("t_name")).asString(), rows.fieldByName(QStringLiteral("t_price")).asString(),
                    rows.fieldByName(QStringLiteral("t_col")).asString());
    }
}

bool HasDecimalSeparator(const QString& text) { return text.contains(RegionalSettings::decimalSeparator()); }

QChar DecimalSeparatorKey(QChar) { return RegionalSettings::decimalSeparator(); }

QChar MoneyKeyFilter(const QString& boxText, int caretPosition, QChar typed) {
    const bool isDigit = typed >= QLatin1Char('0') && typed <= QLatin1Char('9');
    const bool isSeparatorKey = typed == QLatin1Char('.') || typed == QLatin1Char(',');
    if (typed != kBackspace && !isDigit && !isSeparatorKey)
        return QChar();
    QChar key = isSeparatorKey ? DecimalSeparatorKey(typed) : typed;
    if (key == RegionalSettings::decimalSeparator() && (HasDecimalSeparator(boxText) || boxText.isEmpty()))
        return QChar();
    const int length = boxText.size();
    if (key != kBackspace && length > 3 && boxText.at(length - 3) == RegionalSettings::decimalSeparator() &&
        caretPosition >= length - 2)
        return QChar();
    return key;
}

QChar DigitKeyFilter(QChar typed) {
    if (typed == kBackspace || (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')))
        return typed;
    return QChar();
}
