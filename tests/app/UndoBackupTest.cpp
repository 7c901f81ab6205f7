// The undo snapshot, the undo, the start-up backup with its retention and the restore, with the real
// command interpreter and archiver as separate programs in a fresh program folder.
#include "app/Forms.h"
#include "app/Unit1.h"
#include "platform/Application.h"
#include "platform/RegionalSettings.h"
#include "platform/engine/Engine.h"
#include "store/Backup.h"
#include "store/Ledger.h"
#include "store/PaintedComboBox.h"
#include "store/ProgramState.h"
#include "store/Restore.h"
#include "store/UndoSnapshot.h"
#include "store/Unit15.h"
#include "tests/app/MainWindowFixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QStringEncoder>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const char* const kTables[] = {"realizators.db", "tovar.db", "oper.db", "kassa.db", "info.db"};

class UndoBackupTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        installPrograms();
        setSalary();
    }
    void TearDown() override {
        SetArchiveChooser(nullptr);
        MainWindowTest::TearDown();
    }

    QVector<QByteArray> tables() {
        Ledger::engine().closeTables();
        QVector<QByteArray> all;
        for (const char* name : kTables)
            all << readFile(QLatin1String(name));
        Ledger::engine().openTables();
        return all;
    }
    int rows(const QString& statement) {
        Query q(&Ledger::engine());
        q.setSql(statement);
        q.open();
        return q.recordCount();
    }
    void run(const QString& statement) { Ledger::engine().execute(statement); }
    QStringList archives() { return QDir(path("backup")).entryList({QStringLiteral("*.bcp")}, QDir::Files, QDir::Name); }
};

TEST_F(UndoBackupTest, SnapshotHoldsByteCopiesOfEveryTableAndTheDescription) {
    const int id = addAgent(QStringLiteral("Петров"));
    addGoods(id, QStringLiteral("Хлеб"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("6"));
    ASSERT_TRUE(start());
    const QVector<QByteArray> before = tables();
    MakeUndoSnapshot(QStringLiteral("добавление товара"));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(readFile(QStringLiteral("backup/undo/") + QLatin1String(kTables[i])), before[i]) << kTables[i];
    QStringEncoder encoder("windows-1251");
    EXPECT_EQ(readFile(QStringLiteral("backup/undo/text")), QByteArray(encoder(QStringLiteral("добавление товара"))));
    EXPECT_FALSE(QFile::exists(path("makeundo.bat")));
    EXPECT_TRUE(Ledger::engine().tablesOpen());
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM tovar")), 1);
}

TEST_F(UndoBackupTest, OnlyTheLastOperationIsUndoneAndNoChangesNothing) {
    const int id = addAgent(QStringLiteral("Петров"));
    ASSERT_TRUE(start());
    MakeUndoSnapshot(QStringLiteral("добавление товара"));
    run(QStringLiteral("INSERT INTO tovar VALUES(\"%1\",\"Хлеб\",\"2\",\"5\",\"10\")").arg(id));
    Form1->Timer1Timer();
    EXPECT_EQ(Form1->N6->text(), QStringLiteral("Отменить добавление товара"));
    MakeUndoSnapshot(QStringLiteral("передачу товара"));
    run(QStringLiteral("UPDATE tovar SET t_col=\"2\", t_summ=\"4\" WHERE r_id=\"%1\" and t_name=\"Хлеб\"").arg(id));
    Form1->Timer1Timer();
    EXPECT_EQ(Form1->N6->text(), QStringLiteral("Отменить передачу товара"));

    const QVector<QByteArray> afterTransfer = tables();
    answer({false});
    Form1->N6->trigger();
    EXPECT_EQ(boxes.back().text, QStringLiteral("Вы действительно хотите отменить передачу товара?"));
    EXPECT_EQ(boxes.back().caption, QStringLiteral("Зелмар"));
    EXPECT_EQ(tables(), afterTransfer);
    Form1->Timer1Timer();
    EXPECT_TRUE(Form1->N6->isEnabled());

    answer({true});
    Form1->N6->trigger();
    EXPECT_EQ(boxes.back().text, QStringLiteral("передачу товара отменено"));
    Query q(&Ledger::engine());
    q.setSql(QStringLiteral("SELECT * FROM tovar"));
    q.open();
    EXPECT_EQ(q.fieldByName(QStringLiteral("t_col")).asInteger(), 5);
    EXPECT_FALSE(QDir(UndoFolder()).exists());
    Form1->Timer1Timer();
    EXPECT_FALSE(Form1->N6->isEnabled());
    EXPECT_EQ(Form1->N6->text(), QStringLiteral("Отменить"));
    // The undo wrote today's history row with the total after the undo.
    q.setSql(QStringLiteral("SELECT * FROM info WHERE i_date=\"%1\"").arg(RegionalSettings::formatDate(QDate::currentDate())));
    q.open();
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.fieldByName(QStringLiteral("i_summ")).asFloat(), 10.0);
}

TEST_F(UndoBackupTest, DeletingTheLastAgentAndUndoingItBringsBackEveryRow) {
    const int id = addAgent(QStringLiteral("Петров"));
    addGoods(id, QStringLiteral("Хлеб"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("6"));
    exec(QStringLiteral("INSERT INTO oper VALUES(\"%1\",\"05.03.2004\",\"10:00:00\",\"Приход\",\"Хозяин\",\"Хлеб\",\"2\",\"3\",\"6\")").arg(id));
    exec(QStringLiteral("INSERT INTO kassa VALUES(\"%1\",\"05.03.2004\",\"100\",\"55\")").arg(id));
    exec(QStringLiteral("INSERT INTO info VALUES(\"05.03.2004\",\"6\")"));
    ASSERT_TRUE(start());

    answer({true, false});
    QTest::mouseClick(Form1->Button3, Qt::LeftButton);
    EXPECT_EQ(boxes.back().text, QStringLiteral("Подумайте еще разок!!! Удаляем?"));
    EXPECT_EQ(boxes.back().caption, QStringLiteral("Внимание!!!"));
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM realizators")), 1);
    EXPECT_FALSE(QDir(UndoFolder()).exists());

    boxes.clear();
    answer({true, true});
    QTest::mouseClick(Form1->Button3, Qt::LeftButton);
    EXPECT_EQ(boxes.front().text, QStringLiteral("Вы действительно хотите удалить реализатора Петров Иван Петрович? Это приведет "
                                                 "к удалению записей о его товаре и о его операциях! Продолжить?"));
    for (const char* table : {"realizators", "tovar", "oper", "kassa", "info"})
        EXPECT_EQ(rows(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table))), 0) << table;
    EXPECT_EQ(Form1->ComboBox1->count(), 0);
    Form1->Timer1Timer();
    EXPECT_EQ(Form1->N6->text(), QStringLiteral("Отменить удаление реализатора"));

    answer({true});
    Form1->N6->trigger();
    for (const char* table : {"realizators", "tovar", "oper", "kassa"})
        EXPECT_EQ(rows(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table))), 1) << table;
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM info")), 2); // the old day and today's recomputed row
    EXPECT_EQ(Form1->ComboBox1->currentText(), QStringLiteral("Петров Иван Петрович"));
}

TEST_F(UndoBackupTest, AnUndoIsNeverCarriedOutWithoutAllFiveCopies) {
    addAgent(QStringLiteral("Петров"));
    ASSERT_TRUE(start());
    MakeUndoSnapshot(QStringLiteral("изменение реализатора"));
    QFile::remove(UndoFolder() + QStringLiteral("/kassa.db"));
    const QVector<QByteArray> before = tables();
    Form1->Timer1Timer();
    answer({true});
    Form1->N6->trigger();
    EXPECT_EQ(boxes.back().text, QStringLiteral("Отмена невозможна: копии таблиц не найдены."));
    EXPECT_EQ(tables(), before);
}

TEST_F(UndoBackupTest, AFailedSnapshotCopyStopsTheOperationAndSaysSo) {
    const int id = addAgent(QStringLiteral("Петров"));
    for (int i = 0; i < 200; ++i)
        exec(QStringLiteral("INSERT INTO oper VALUES(\"%1\",\"05.03.2004\",\"10:00:00\",\"Приход\",\"Хозяин\",\"Хлеб\",\"2\",\"3\",\"6\")").arg(id));
    ASSERT_TRUE(start());
    // A disk that fills up: files the interpreter writes may not grow past 6000 bytes.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 6000;
    setrlimit(RLIMIT_FSIZE, &small);
    answer({true, true});
    QTest::mouseClick(Form1->Button3, Qt::LeftButton);
    setrlimit(RLIMIT_FSIZE, &old);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().kind, Messages::Kind::Error);
    EXPECT_TRUE(boxes.back().text.startsWith(QStringLiteral("Операция не выполнена"))) << boxes.back().text.toStdString();
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM realizators")), 1);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM oper")), 200);
    Form1->Timer1Timer();
    EXPECT_FALSE(Form1->N6->isEnabled());
}

TEST_F(UndoBackupTest, TwoStartsOnOneDayMakeOneArchiveWithSixDots) {
    QFile::remove(path(QStringLiteral("backup/") + ArchiveName(QDate::currentDate())));
    addAgent(QStringLiteral("Петров"));
    ASSERT_TRUE(start());
    EXPECT_EQ(archives(), QStringList{ArchiveName(QDate::currentDate())});
    EXPECT_EQ(Form15->Label1->text(), QStringLiteral("Резервное копирование......"));
    EXPECT_FALSE(Form15->isVisible());
    EXPECT_TRUE(QFile::exists(path("bcp.dll")));
    EXPECT_FALSE(QFile::exists(path("bcp.exe")));
    EXPECT_FALSE(QFile::exists(path("backup.bat")));
    const QByteArray first = readFile(QStringLiteral("backup/") + ArchiveName(QDate::currentDate()));

    // The second start of the day: no progress window, no new archive.
    Forms::destroy();
    Ledger::close();
    addAgent(QStringLiteral("Сидоров"));
    ASSERT_TRUE(start());
    EXPECT_EQ(Form15->Label1->text(), QStringLiteral("Резервное копирование"));
    EXPECT_EQ(archives(), QStringList{ArchiveName(QDate::currentDate())});
    EXPECT_EQ(readFile(QStringLiteral("backup/") + ArchiveName(QDate::currentDate())), first);
}

TEST_F(UndoBackupTest, RetentionDeletesOnlyArchivesOlderThanTheSetting) {
    const QDate today = QDate::currentDate();
    const struct {
        const char* days;
        QStringList kept;
    } cases[] = {
        {"30", {ArchiveName(today), ArchiveName(today.addDays(-1)), ArchiveName(today.addDays(-30)), QStringLiteral("notes.bcp")}},
        {"0", {ArchiveName(today), QStringLiteral("notes.bcp")}},
        {"x", {ArchiveName(today), ArchiveName(today.addDays(-31)), ArchiveName(today.addDays(-30)),
               ArchiveName(today.addDays(-1)), QStringLiteral("notes.bcp")}},
    };
    for (const auto& c : cases) {
        for (int age : {0, 1, 30, 31})
            writeFile(QStringLiteral("backup/") + ArchiveName(today.addDays(-age)), "x");
        writeFile(QStringLiteral("backup/notes.bcp"), "x");
        DeleteOldArchives(path("backup"), today, QLatin1String(c.days));
        QStringList expected = c.kept;
        expected.sort();
        EXPECT_EQ(archives(), expected) << "setting " << c.days;
    }
}

TEST_F(UndoBackupTest, ARestoreBringsBackTheArchivedTables) {
    QFile::remove(path(QStringLiteral("backup/") + ArchiveName(QDate::currentDate())));
    const int id = addAgent(QStringLiteral("Петров"));
    addGoods(id, QStringLiteral("Хлеб"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("6"));
    ASSERT_TRUE(start()); // makes today's archive
    const QVector<QByteArray> archived = tables();
    MakeUndoSnapshot(QStringLiteral("добавление реализатора"));
    addAgent(QStringLiteral("Сидоров"));
    run(QStringLiteral("DELETE FROM tovar"));
    Form1->RefreshMainWindow();

    SetArchiveChooser([this](const QString& start) {
        EXPECT_EQ(start, path("backup"));
        return path(QStringLiteral("backup/") + ArchiveName(QDate::currentDate()));
    });
    boxes.clear();
    answer({true});
    Form1->N4->trigger();
    ASSERT_EQ(boxes.size(), 1u) << boxes.back().text.toStdString();
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Внимание!!!"));
    EXPECT_EQ(boxes[0].text, QStringLiteral("Текущие записи в базе данных будут утеряны! Восстанавливаем?"));
    EXPECT_EQ(tables(), archived);
    EXPECT_EQ(Form1->ComboBox1->count(), 1);
    EXPECT_EQ(Form1->DBGrid1->model()->rowCount(), 1);
    EXPECT_FALSE(QDir(path("backup/restore.new")).exists());
    // The undo of this run still offers its last operation.
    Form1->Timer1Timer();
    EXPECT_EQ(Form1->N6->text(), QStringLiteral("Отменить добавление реализатора"));
}

TEST_F(UndoBackupTest, ARestoreThatCannotReadItsArchiveChangesNothing) {
    addAgent(QStringLiteral("Петров"));
    ASSERT_TRUE(start());
    QDir().mkpath(path("backup"));
    Ledger::engine().closeTables();
    QFile::copy(path("realizators.db"), path("backup/plain.db"));
    Ledger::engine().openTables();
    writeFile(QStringLiteral("backup/damaged.bcp"), QByteArray("PK\x03\x04 not really an archive", 30));
    const QVector<QByteArray> before = tables();

    struct Case {
        const char* name;
        std::function<void()> prepare;
        const char* reason;
    };
    const Case cases[] = {
        {"damaged.bcp", [] {}, ""},
        {"damaged.bcp", [this] { QFile::remove(path("bcp.dll")); }, "нет архиватора"},
    };
    for (const Case& c : cases) {
        c.prepare();
        SetArchiveChooser([&](const QString&) { return path(QStringLiteral("backup/") + QLatin1String(c.name)); });
        boxes.clear();
        answer({true});
        Form1->N4->trigger();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_TRUE(boxes[1].text.startsWith(QStringLiteral("Восстановление из %1 не выполнено").arg(QLatin1String(c.name))))
            << boxes[1].text.toStdString();
        EXPECT_TRUE(boxes[1].text.contains(QString::fromUtf8(c.reason))) << boxes[1].text.toStdString();
        EXPECT_TRUE(boxes[1].text.endsWith(QStringLiteral("Текущие записи не изменены.")));
        EXPECT_EQ(tables(), before);
    }
    // Cancelled in the dialog, or answered No: nothing happens.
    SetArchiveChooser([](const QString&) { return QString(); });
    boxes.clear();
    Form1->N4->trigger();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(tables(), before);
}

TEST_F(UndoBackupTest, ARestoreWithAWrongPasswordArchiveChangesNothing) {
    addAgent(QStringLiteral("Петров"));
    ASSERT_TRUE(start());
    Ledger::engine().closeTables();
    // An archive made under another password.
    QProcess bcp;
    bcp.setWorkingDirectory(folder);
    bcp.start(path("bcp.dll"), {"a", "-ep", "-m5", "-hp1111", "backup/other.bcp", "*.db"});
    ASSERT_TRUE(bcp.waitForFinished(30000));
    ASSERT_EQ(bcp.exitCode(), 0);
    Ledger::engine().openTables();
    run(QStringLiteral("DELETE FROM realizators"));
    const QVector<QByteArray> before = tables();
    SetArchiveChooser([this](const QString&) { return path("backup/other.bcp"); });
    answer({true});
    Form1->N4->trigger();
    EXPECT_TRUE(boxes.back().text.endsWith(QStringLiteral("Текущие записи не изменены."))) << boxes.back().text.toStdString();
    EXPECT_EQ(tables(), before);
}

} // namespace
