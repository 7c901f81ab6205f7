// Fixture of the history and chart tests: a fresh program folder with the ledger open on it, and
// helpers that write goods lines and history rows and read the history back.
#pragma once

#include "store/Ledger.h"
#include "store/procedures.h"
#include "tests/support/ProgramFolderTest.h"

#include <QDate>
#include <QString>

#include <ostream>
#include <utility>
#include <vector>

// Dates in failure messages.
inline void PrintTo(const QDate& date, std::ostream* out) {
    *out << date.toString(Qt::ISODate).toStdString();
}

class HistoryFolderTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        Ledger::open(folder);
        Ledger::engine().openTables();
    }
    void TearDown() override {
        Ledger::close();
        ProgramFolderTest::TearDown();
    }

    static void addGoodsLine(int agent, const char* name, const char* price, const char* count,
                             const char* sum) {
        ExecWorkQuery(QStringLiteral("INSERT INTO tovar VALUES(\"%1\",\"%2\",\"%3\",\"%4\",\"%5\")")
                          .arg(QString::number(agent), QString::fromUtf8(name), QLatin1String(price),
                               QLatin1String(count), QLatin1String(sum)));
    }
    // `date` in the fixture's short date pattern (dd.MM.yyyy), `sum` with a point.
    static void addHistoryRow(const char* date, const char* sum) {
        ExecWorkQuery(QStringLiteral("INSERT INTO info VALUES(\"%1\",\"%2\")")
                          .arg(QLatin1String(date), QLatin1String(sum)));
    }
    static std::vector<std::pair<QDate, double>> history() {
        Query& q = OpenWorkQuery(QStringLiteral("SELECT * FROM info ORDER BY i_date"));
        std::vector<std::pair<QDate, double>> rows;
        for (q.first(); !q.eof(); q.next())
            rows.emplace_back(q.fieldByName(QStringLiteral("i_date")).asDate(),
                              q.fieldByName(QStringLiteral("i_summ")).asFloat());
        return rows;
    }
};
