#include "tests/app/MainWindowFixture.h"

#include "app/Forms.h"
#include "app/Startup.h"
#include "platform/Application.h"
#include "platform/DisplayMode.h"
#include "platform/engine/Engine.h"
#include "store/Backup.h"
#include "store/Ledger.h"

#include <QDir>
#include <QTableView>
#include <QTest>
#include "store/Settings.h"

void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Every row of a statement, the named fields as text joined by "|".
QStringList rows(const QString& statement, const QStringList& fields) {
    Query q(&Ledger::engine());
    q.setSql(statement);
    q.open();
    QStringList out;
    for (q.first(); !q.eof(); q.next()) {
        QStringList values;
        for (const QString& f : fields)
            values << q.fieldByName(f).asString();
        out << values.join(QLatin1Char('|'));
    }
    return out;
}

QStringList column(QTableView* grid, int column) {
    QStringList out;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        out << grid->model()->index(row, column).data().toString();
    return out;
}

void MainWindowTest::SetUp() {
    ProgramFolderTest::SetUp();
    DisplayMode::simulate(QSize(1280, 1024), true);
    Application::instance()->clearEndRequest();
    // Today's archive exists, so a start makes none; the backup tests remove it.
    QDir().mkpath(path(QStringLiteral("backup")));
    writeFile(QStringLiteral("backup/") + ArchiveName(QDate::currentDate()), "made earlier today");
}

void MainWindowTest::TearDown() {
    Forms::destroy();
    Ledger::close();
    DisplayMode::useReal();
    ProgramFolderTest::TearDown();
}

bool MainWindowTest::start() { return Startup::run(folder); }

void MainWindowTest::exec(const QString& statement) {
    Engine engine(folder);
    engine.execute(statement);
}

int MainWindowTest::addAgent(const QString& fam, const QString& name, const QString& otch) {
    Engine engine(folder);
    engine.execute(QStringLiteral("INSERT INTO realizators(r_fam,r_name,r_otch,r_pasport,r_adres,ostatok,dolg)"
                                  "VALUES(\"%1\",\"%2\",\"%3\",\"АА123456\",\"Киев, Крещатик 1\",\"0\",\"0\")")
                       .arg(fam, name, otch));
    Query q(&engine);
    q.setSql(QStringLiteral("SELECT * FROM realizators"));
    q.open();
    q.moveTo(q.recordCount() - 1);
    return int(q.fieldByName(QStringLiteral("r_id")).asInteger());
}

void MainWindowTest::addGoods(int agent, const QString& name, const QString& price, const QString& count, const QString& sum) {
    exec(QStringLiteral("INSERT INTO tovar VALUES(\"%1\",\"%2\",\"%3\",\"%4\",\"%5\")").arg(agent).arg(name, price, count, sum));
}

void MainWindowTest::setSalary() {
    WriteSetting(QStringLiteral("Money"), QStringLiteral("Labor Rate"), QStringLiteral("50"));
    WriteSetting(QStringLiteral("Money"), QStringLiteral("Percent"), QStringLiteral("5"));
}
