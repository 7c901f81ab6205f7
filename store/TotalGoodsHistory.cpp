#include "store/TotalGoodsHistory.h"

#include "platform/RegionalSettings.h"
#include "store/Ledger.h"
#include "store/Unit14.h"
#include "store/procedures.h"

#include <QDate>

namespace {

// Each statement starts from a closed query with an empty text.
void setStatement(Query& query, const QString& statement) {
    query.close();
    query.clearSql();
    query.setSql(statement);
}

void openStatement(Query& query, const QString& statement) {
    setStatement(query, statement);
    query.open();
}

void execStatement(Query& query, const QString& statement) {
    setStatement(query, statement);
    query.execSql();
}

// The chart follows the history only when it already had a line to draw; otherwise it goes blank
// until it is opened again.
void keepChartInStep(int rowsBefore) {
    if (!Form14)
        return;
    if (rowsBefore < 2)
        Form14->closeQuery();
    else
        Form14->openQuery();
}

} // namespace

void UpdateTotalGoodsHistory() {
    // A query of its own, so the work query of the operation that called it keeps its rows.
    Query query(&Ledger::engine());

    openStatement(query, QStringLiteral("SELECT * FROM info"));
    keepChartInStep(query.recordCount());

    openStatement(query, QStringLiteral("SELECT SUM(t_summ) FROM tovar"));
    const QString total = StatementNumber(query.fieldByName(QStringLiteral("SUM OF t_summ")).asFloat());

    // The date is read once, so that an update running across midnight looks up and writes one day.
    const QString today = RegionalSettings::formatDate(QDate::currentDate());
    openStatement(query, QStringLiteral("SELECT * FROM info WHERE i_date=\"%1\"").arg(today));
    if (query.recordCount() <= 0)
        execStatement(query, QStringLiteral("INSERT INTO info VALUES(\"%1\",\"%2\")").arg(today, total));
    else
        execStatement(query,
                      QStringLiteral("UPDATE info SET i_summ=\"%1\" WHERE i_date=\"%2\"").arg(total, today));
    query.close();
}
