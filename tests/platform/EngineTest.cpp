// The statement layer against real table files: every statement form the ledger writes, the
// dialect rules (case-insensitive comparison, Russian order with stable ties, empty literals,
// SUM over no rows), refused statements and literals that leave every table as it was, the table
// handles, and transactions that commit or roll back all five files together.
#include "platform/RegionalSettings.h"
#include "platform/engine/Engine.h"
#include "platform/engine/EngineError.h"
#include "platform/engine/Query.h"
#include "tests/support/ProgramFolderTest.h"

#include <QFile>

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char* const kTables[] = {"realizators.db", "tovar.db", "oper.db", "kassa.db", "info.db"};

class EngineTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        engine = std::make_unique<Engine>(folder);
        engine->openTables();
    }
    void TearDown() override {
        engine.reset();
        ProgramFolderTest::TearDown();
    }

    int exec(const QString& sql) { return engine->execute(sql); }

    // Every row of a SELECT, fields as text joined by '|'.
    QStringList rows(const QString& sql) {
        Query query(engine.get());
        query.setSql(sql);
        query.open();
        QStringList out;
        for (query.first(); !query.eof(); query.next()) {
            QStringList fields;
            for (int i = 0; i < query.fieldCount(); ++i)
                fields << query.fieldAt(query.recNo(), i).asString();
            out << fields.join(QLatin1Char('|'));
        }
        return out;
    }

    int addAgent(const QString& fam, const QString& name = QStringLiteral("Иван")) {
        exec(QStringLiteral("INSERT INTO realizators(r_fam,r_name,r_otch,r_pasport,r_adres,ostatok,dolg)"
                            "VALUES(\"%1\",\"%2\",\"Сергеевич\",\"АА123456\",\"Киев\",\"0\",\"0\")")
                 .arg(fam, name));
        return rows(QStringLiteral("SELECT * FROM realizators")).last().section(QLatin1Char('|'), 0, 0).toInt();
    }

    QVector<QByteArray> tableBytes() const {
        QVector<QByteArray> all;
        for (const char* name : kTables)
            all << readFile(QLatin1String(name));
        return all;
    }

    std::unique_ptr<Engine> engine;
};

TEST_F(EngineTest, AgentsGetIdsAboveTwentyAndNeverReuseTheTopId) {
    const int first = addAgent(QStringLiteral("Петров"));
    EXPECT_EQ(first, 21);
    const int second = addAgent(QStringLiteral("Сидоров"));
    EXPECT_EQ(second, 22);
    exec(QStringLiteral("DELETE FROM realizators WHERE r_id=\"%1\"").arg(second));
    EXPECT_EQ(addAgent(QStringLiteral("Козлов")), 23);
}

TEST_F(EngineTest, PuttingBackAnOlderFilePutsBackItsCounter) {
    addAgent(QStringLiteral("Петров"));
    engine->closeTables();
    const QByteArray older = readFile(QStringLiteral("realizators.db"));
    engine->openTables();
    EXPECT_EQ(addAgent(QStringLiteral("Сидоров")), 22);
    engine->closeTables();
    writeFile(QStringLiteral("realizators.db"), older);
    engine->openTables();
    EXPECT_EQ(addAgent(QStringLiteral("Козлов")), 22);
}

TEST_F(EngineTest, EveryStatementFormOfTheLedger) {
    const int id = addAgent(QStringLiteral("Петров"));
    const QString r = QString::number(id);
    const auto q = [&](const char* sql) { return QString::fromUtf8(sql).replace(QStringLiteral("<r_id>"), r); };

    exec(q("INSERT INTO tovar(r_id,t_name,t_price,t_col,t_summ) VALUES(\"<r_id>\",\"Хлеб\",\"2.5\",\"4\",\"10\")"));
    exec(q("INSERT INTO tovar VALUES(\"<r_id>\",\"Мыло\",\"12.5\",\"3\",\"37.5\")"));
    exec(q("UPDATE tovar SET t_col=\"5\",t_summ=\"52.5\" WHERE r_id=\"<r_id>\" AND t_name=\"Мыло\""));
    exec(q("UPDATE tovar SET t_col=\"6\", t_summ=\"15\" WHERE t_name=\"Хлеб\" and r_id=\"<r_id>\""));
    exec(q("UPDATE realizators SET ostatok=\"12.5\" WHERE r_id=\"<r_id>\""));
    exec(q("UPDATE realizators SET ostatok=\"0\", dolg=\"-150\" WHERE r_id=\"<r_id>\""));
    exec(q("UPDATE realizators SET r_fam=\"Петрова\",r_name=\"Анна\",r_otch=\"Ивановна\",r_pasport=\"ВВ1\","
           "r_adres=\"Львов\" WHERE r_id=\"<r_id>\""));
    exec(q("INSERT INTO oper VALUES(\"<r_id>\",\"05.03.2004\",\"14:05:09\",\"Приход\",\"Хозяин\",\"Хлеб\",\"2.5\",\"4\",\"10\")"));
    exec(q("INSERT INTO oper(r_id, o_date, o_time, o_name, o_komu) VALUES(\"<r_id>\",\"06.03.2004\",\"09:00:00\","
           "\"Переучет\",\"Петрова А.И.\")"));
    exec(q("INSERT INTO kassa VALUES(\"<r_id>\",\"05.03.2004\",\"100\",\"17.5\")"));
    exec(q("UPDATE kassa SET k_summ=\"200\", zp=\"25\" WHERE r_id=\"<r_id>\" AND k_date=\"05.03.2004\""));
    exec(QStringLiteral("INSERT INTO info VALUES(\"05.03.2004\",\"67.5\")"));
    exec(QStringLiteral("UPDATE info SET i_summ=\"70\" WHERE i_date=\"05.03.2004\""));

    EXPECT_EQ(rows(q("SELECT * FROM realizators WHERE r_id=\"<r_id>\" ORDER BY r_fam")),
              QStringList{r + QStringLiteral("|Петрова|Анна|Ивановна|ВВ1|Львов|0|-150")});
    EXPECT_EQ(rows(q("SELECT ostatok FROM realizators WHERE r_id=\"<r_id>\"")), QStringList{QStringLiteral("0")});
    EXPECT_EQ(rows(q("SELECT dolg FROM realizators WHERE r_id=\"<r_id>\"")), QStringList{QStringLiteral("-150")});
    EXPECT_EQ(rows(q("SELECT * FROM tovar WHERE r_id=\"<r_id>\" ORDER BY t_name")),
              (QStringList{r + QStringLiteral("|Мыло|12,5|5|52,5"), r + QStringLiteral("|Хлеб|2,5|6|15")}));
    EXPECT_EQ(rows(q("SELECT * FROM tovar WHERE r_id=\"<r_id>\" ORDER BY T_price")).first().section('|', 1, 1),
              QStringLiteral("Хлеб"));
    EXPECT_EQ(rows(q("SELECT * FROM oper WHERE r_id=\"<r_id>\" ORDER BY o_date DESC, o_time DESC")),
              (QStringList{r + QStringLiteral("|06.03.2004|09:00:00|Переучет|Петрова А.И.||||"),
                           r + QStringLiteral("|05.03.2004|14:05:09|Приход|Хозяин|Хлеб|2,5|4|10")}));
    EXPECT_EQ(rows(q("SELECT * FROM kassa WHERE r_id=\"<r_id>\" AND k_date=\"05.03.2004\"")),
              QStringList{r + QStringLiteral("|05.03.2004|200|25")});
    EXPECT_EQ(rows(q("SELECT * FROM kassa WHERE k_date BETWEEN \"01.03.2004\" AND \"31.03.2004\" AND r_id=\"<r_id>\"  "
                     "ORDER BY k_date"))
                  .size(),
              1);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM info WHERE i_date=\"05.03.2004\"")),
              QStringList{QStringLiteral("05.03.2004|70")});
    EXPECT_EQ(rows(QStringLiteral("SELECT SUM(t_summ) FROM tovar")), QStringList{QStringLiteral("67,5")});
    EXPECT_EQ(rows(QStringLiteral("SELECT DISTINCT t_name, t_price FROM tovar ORDER BY t_name")),
              (QStringList{QStringLiteral("Мыло|12,5"), QStringLiteral("Хлеб|2,5")}));

    EXPECT_EQ(rows(q("SELECT * FROM tovar WHERE r_id=\"<r_id>\" and t_name=\"хлеб\"")).size(), 1);
    EXPECT_EQ(rows(q("SELECT * FROM tovar WHERE t_name=\"Мыло\" AND r_id=\"<r_id>\"")).size(), 1);
    EXPECT_EQ(rows(q("SELECT * FROM oper WHERE r_id=\"<r_id>\"")).size(), 2);
    EXPECT_EQ(rows(q("SELECT * FROM realizators WHERE r_id<>\"<r_id>\"")).size(), 0);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM realizators WHERE r_id<>\"0\"")).size(), 1);
    EXPECT_EQ(rows(q("SELECT * FROM kassa WHERE r_id=\"<r_id>\" ORDER BY k_date")).size(), 1);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM info ORDER BY i_date")).size(), 1);
    exec(q("DELETE FROM tovar WHERE t_name=\"Хлеб\" and r_id=\"<r_id>\""));
    exec(q("DELETE FROM tovar WHERE r_id=\"<r_id>\" AND t_name=\"Мыло\""));
    exec(q("DELETE FROM oper WHERE r_id=\"<r_id>\""));
    exec(q("DELETE FROM kassa WHERE r_id=\"<r_id>\""));
    exec(q("DELETE FROM realizators WHERE r_id=\"<r_id>\""));
    exec(QStringLiteral("DELETE FROM info"));
    for (const char* table : {"realizators", "tovar", "oper", "kassa", "info"})
        EXPECT_TRUE(rows(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table))).isEmpty()) << table;
}

TEST_F(EngineTest, TextComparisonIgnoresLetterCaseOfLatinAndRussianOnly) {
    exec(QStringLiteral("INSERT INTO tovar VALUES(\"21\",\"Хлеб ABC\",\"1\",\"1\",\"1\")"));
    exec(QStringLiteral("INSERT INTO tovar VALUES(\"21\",\"Ёлка\",\"1\",\"1\",\"1\")"));
    EXPECT_EQ(rows(QStringLiteral("SELECT t_name FROM tovar WHERE t_name=\"хЛЕБ abc\"")), QStringList{QStringLiteral("Хлеб ABC")});
    EXPECT_EQ(rows(QStringLiteral("SELECT t_name FROM tovar WHERE t_name<>\"ХЛЕБ ABC\"")), QStringList{QStringLiteral("Ёлка")});
    // Ё is outside the folded range, as in the held-goods lookup.
    EXPECT_TRUE(rows(QStringLiteral("SELECT t_name FROM tovar WHERE t_name=\"ёлка\"")).isEmpty());
    EXPECT_EQ(exec(QStringLiteral("UPDATE tovar SET t_col=\"2\" WHERE t_name=\"хлеб abc\" AND r_id=\"21\"")), 1);
}

TEST_F(EngineTest, OrderIsRussianAlphabeticalWithStableTies) {
    for (const char* fam : {"Яковлев", "абрамов", "Жуков", "Ёлкин", "Борисов", "Ежов", "Smith"})
        addAgent(QString::fromUtf8(fam));
    addAgent(QStringLiteral("Иванов"), QStringLiteral("Второй"));
    addAgent(QStringLiteral("иванов"), QStringLiteral("Третий"));
    addAgent(QStringLiteral("Иванов"), QStringLiteral("Четвертый"));
    QStringList order;
    for (const QString& row : rows(QStringLiteral("SELECT * FROM realizators ORDER BY r_fam")))
        order << row.section('|', 1, 2);
    EXPECT_EQ(order, (QStringList{"Smith|Иван", "абрамов|Иван", "Борисов|Иван", "Ежов|Иван", "Ёлкин|Иван", "Жуков|Иван",
                                  "Иванов|Второй", "иванов|Третий", "Иванов|Четвертый", "Яковлев|Иван"}));
}

TEST_F(EngineTest, DistinctKeepsFirstOccurrencesInOrder) {
    exec(QStringLiteral("INSERT INTO tovar VALUES(\"21\",\"Хлеб\",\"2\",\"1\",\"2\")"));
    exec(QStringLiteral("INSERT INTO tovar VALUES(\"21\",\"Хлеб\",\"2\",\"1\",\"2\")"));
    exec(QStringLiteral("INSERT INTO tovar VALUES(\"22\",\"Хлеб\",\"3\",\"1\",\"3\")"));
    exec(QStringLiteral("INSERT INTO tovar VALUES(\"21\",\"Аир\",\"5\",\"1\",\"5\")"));
    EXPECT_EQ(rows(QStringLiteral("SELECT DISTINCT * FROM tovar WHERE r_id=\"21\" ORDER BY t_name")),
              (QStringList{"21|Аир|5|1|5", "21|Хлеб|2|1|2"}));
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM tovar WHERE r_id=\"21\" ORDER BY t_name")).size(), 3);
    EXPECT_EQ(rows(QStringLiteral("SELECT DISTINCT t_name, t_price FROM tovar ORDER BY t_name")),
              (QStringList{"Аир|5", "Хлеб|2", "Хлеб|3"}));
}

TEST_F(EngineTest, BetweenIncludesBothEndsAndReversedEndsSelectNothing) {
    for (const char* day : {"04.03.2004", "05.03.2004", "06.03.2004"})
        exec(QStringLiteral("INSERT INTO oper VALUES(\"21\",\"%1\",\"10:00:00\",\"Приход\",\"Хозяин\",\"Хлеб\",\"1\",\"1\",\"1\")")
                 .arg(QLatin1String(day)));
    const QString filter = QStringLiteral("SELECT * FROM oper WHERE r_id=\"21\" %1 AND o_date BETWEEN \"%2\" AND \"%3\" "
                                          "ORDER BY o_date DESC, o_time DESC");
    EXPECT_EQ(rows(filter.arg(QString(), "05.03.2004", "05.03.2004")).size(), 1);
    EXPECT_EQ(rows(filter.arg(QString(), "06.03.2004", "04.03.2004")).size(), 0);
    EXPECT_EQ(rows(filter.arg(QString(), "01.01.1900", "06.03.2004")).size(), 3);
    EXPECT_EQ(rows(filter.arg(QStringLiteral("AND o_name=\"Приход\""), "05.03.2004", "06.03.2004")).size(), 2);
    EXPECT_EQ(rows(filter.arg(QStringLiteral("AND o_name=\"Уход\""), "01.01.1900", "06.03.2004")).size(), 0);
}

TEST_F(EngineTest, EmptyFieldsReadAsEmptyTextOrZeroAndSumOverNoRowsIsZero) {
    exec(QStringLiteral("INSERT INTO oper(r_id, o_date, o_time, o_name, o_komu) VALUES(\"21\",\"05.03.2004\","
                        "\"10:00:00\",\"Переучет\",\"Петров И.С.\")"));
    Query query(engine.get());
    query.setSql(QStringLiteral("SELECT * FROM oper WHERE r_id=\"21\""));
    query.open();
    ASSERT_EQ(query.recordCount(), 1);
    for (const char* name : {"t_name", "t_price", "t_col", "t_summ"}) {
        EXPECT_TRUE(query.fieldByName(QLatin1String(name)).isNull());
        EXPECT_EQ(query.fieldByName(QLatin1String(name)).asString(), QString());
        EXPECT_EQ(query.fieldByName(QLatin1String(name)).asFloat(), 0.0);
    }
    query.setSql(QStringLiteral("SELECT SUM(t_summ) FROM tovar"));
    query.open();
    ASSERT_EQ(query.recordCount(), 1);
    EXPECT_EQ(query.fieldInfo(0).name, QStringLiteral("SUM OF t_summ"));
    EXPECT_EQ(query.fieldByName(QStringLiteral("SUM OF t_summ")).asFloat(), 0.0);
    // Reading a field of an empty result gives the empty field.
    query.setSql(QStringLiteral("SELECT * FROM realizators WHERE r_id=\"0\""));
    query.open();
    EXPECT_EQ(query.recordCount(), 0);
    EXPECT_EQ(query.fieldByName(QStringLiteral("ostatok")).asString(), QString());
    EXPECT_EQ(query.fieldByName(QStringLiteral("OSTATOK")).asFloat(), 0.0);
}

TEST_F(EngineTest, FieldsInTableOrderWithStoredNamesAndIntegersHalfToEven) {
    exec(QStringLiteral("INSERT INTO tovar VALUES(\"21\",\"А\",\"10\",\"2.5\",\"25\")"));
    exec(QStringLiteral("INSERT INTO tovar VALUES(\"21\",\"Б\",\"10\",\"3.5\",\"35\")"));
    Query query(engine.get());
    query.setSql(QStringLiteral("select * from TOVAR where R_ID=\"21\" order by t_name"));
    query.open();
    QStringList names;
    for (int i = 0; i < query.fieldCount(); ++i)
        names << query.fieldInfo(i).name;
    EXPECT_EQ(names, (QStringList{"R_id", "T_name", "T_price", "T_col", "T_summ"}));
    EXPECT_EQ(query.fieldByName(QStringLiteral("t_col")).asInteger(), 2);
    query.next();
    EXPECT_EQ(query.fieldByName(QStringLiteral("T_COL")).asInteger(), 4);
    query.next();
    EXPECT_TRUE(query.eof());
}

TEST_F(EngineTest, PointAndCommaLocalesReadTheSameStatements) {
    exec(QStringLiteral("INSERT INTO tovar VALUES(\"21\",\"Хлеб\",\"12.5\",\"2\",\"25\")"));
    EXPECT_EQ(rows(QStringLiteral("SELECT t_price FROM tovar")), QStringList{QStringLiteral("12,5")});
    RegionalSettings::set(QStringLiteral("yyyy-MM-dd"), QStringLiteral("HH:mm:ss"), QLatin1Char('.'));
    EXPECT_EQ(rows(QStringLiteral("SELECT t_price FROM tovar")), QStringList{QStringLiteral("12.5")});
    exec(QStringLiteral("INSERT INTO info VALUES(\"2004-03-05\",\"0.5\")"));
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM info WHERE i_date=\"2004-03-05\"")), QStringList{QStringLiteral("2004-03-05|0.5")});
    RegionalSettings::set(QStringLiteral("dd.MM.yyyy"), QStringLiteral("HH:mm:ss"), QLatin1Char(','));
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM info WHERE i_date=\"05.03.2004\"")), QStringList{QStringLiteral("05.03.2004|0,5")});
}

TEST_F(EngineTest, RefusedStatementsAndLiteralsChangeNothing) {
    addAgent(QStringLiteral("Петров"));
    exec(QStringLiteral("INSERT INTO tovar VALUES(\"21\",\"Хлеб\",\"2\",\"1\",\"2\")"));
    engine->closeTables();
    const QVector<QByteArray> before = tableBytes();
    engine->openTables();
    const char* refused[] = {
        "UPDATE tovar SET t_name=\"Мы\"ло\" WHERE r_id=\"21\"",                                 // stray quote
        "UPDATE tovar SET t_col=\"5 WHERE r_id=\"21\"",                                         // unpaired
        "DELETE FROM tovar WHERE t_name=\"x\" OR \"1\"=\"1\"",                                  // outside the forms
        "DELETE FROM tovar WHERE r_id='21'",                                                     // single quotes
        "DELETE FROM tovar WHERE r_id=21",                                                       // unquoted value
        "DELETE FROM tovar WHERE r_id=\"21\"; DELETE FROM realizators",                          // second statement
        "DELETE FROM goods WHERE r_id=\"21\"",                                                   // unknown table
        "UPDATE tovar SET price=\"3\" WHERE r_id=\"21\"",                                        // unknown field
        "UPDATE tovar SET t_name=\"Очень длинное название!\" WHERE r_id=\"21\"",                 // 23 > 20
        "UPDATE tovar SET t_price=\"2,5\" WHERE r_id=\"21\"",                                    // comma
        "UPDATE tovar SET t_price=\"abc\" WHERE r_id=\"21\"",                                    // not a number
        "INSERT INTO info VALUES(\"32.01.2004\",\"1\")",                                         // not a date
        "INSERT INTO oper VALUES(\"21\",\"05.03.2004\",\"25:61:00\",\"Приход\",\"Хозяин\",\"Хлеб\",\"1\",\"1\",\"1\")",
        "INSERT INTO info VALUES(\"05.03.2004\")",                                               // too few values
        "INSERT INTO tovar(r_id,r_id) VALUES(\"1\",\"2\")",                                      // field twice
        "SELECT * FROM tovar",                                                                   // not a change
        "DROP TABLE tovar",
        "",
    };
    for (const char* sql : refused) {
        EXPECT_THROW(exec(QString::fromUtf8(sql)), EngineError) << sql;
    }
    Query query(engine.get());
    query.setSql(QStringLiteral("DELETE FROM tovar"));
    EXPECT_THROW(query.open(), EngineError);
    query.setSql(QStringLiteral("SELECT * FROM tovar ORDER BY"));
    EXPECT_THROW(query.open(), EngineError);
    EXPECT_FALSE(query.isOpen());
    engine->closeTables();
    EXPECT_EQ(tableBytes(), before);
}

TEST_F(EngineTest, ErrorMessagesSayWhatWasWrong) {
    const auto message = [&](const char* sql) {
        try {
            exec(QString::fromUtf8(sql));
        } catch (const EngineError& error) {
            return error.message();
        }
        return QString();
    };
    EXPECT_TRUE(message("UPDATE tovar SET t_name=\"Очень длинное название!\" WHERE r_id=\"21\"").contains(QStringLiteral("T_name")));
    EXPECT_TRUE(message("UPDATE tovar SET t_name=\"Очень длинное название!\" WHERE r_id=\"21\"").contains(QStringLiteral("20")));
    EXPECT_TRUE(message("INSERT INTO info VALUES(\"32.01.2004\",\"1\")").contains(QStringLiteral("32.01.2004")));
    EXPECT_TRUE(message("UPDATE tovar SET t_name=\"Мы\"ло\" WHERE r_id=\"21\"").contains(QStringLiteral("авычк")));
    EXPECT_TRUE(message("DELETE FROM goods").contains(QStringLiteral("goods")));
}

TEST_F(EngineTest, ClosedHandlesLetFilesBeReplacedAndStatementsStillRun) {
    addAgent(QStringLiteral("Петров"));
    engine->closeTables();
    // With the hold released the file can be moved away and back, as the batch files do.
    ASSERT_TRUE(QFile::rename(path("tovar.db"), path("tovar.moved")));
    EXPECT_THROW(rows(QStringLiteral("SELECT * FROM tovar")), EngineError);
    ASSERT_TRUE(QFile::rename(path("tovar.moved"), path("TOVAR.DB")));
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM realizators")).size(), 1);
    exec(QStringLiteral("INSERT INTO tovar VALUES(\"21\",\"Хлеб\",\"2\",\"1\",\"2\")"));
    engine->openTables();
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM tovar")).size(), 1);
}

TEST_F(EngineTest, AFileHoldingAnotherTableIsRefused) {
    engine->closeTables();
    QFile::remove(path("kassa.db"));
    ASSERT_TRUE(QFile::copy(path("info.db"), path("kassa.db")));
    EXPECT_THROW(engine->openTables(), EngineError);
    QFile::remove(path("kassa.db"));
    EXPECT_THROW(engine->openTables(), EngineError);
}

TEST_F(EngineTest, ATransactionCommitsAllFiveFilesTogether) {
    {
        Transaction transaction(*engine);
        addAgent(QStringLiteral("Петров"));
        exec(QStringLiteral("INSERT INTO tovar VALUES(\"21\",\"Хлеб\",\"2\",\"1\",\"2\")"));
        exec(QStringLiteral("INSERT INTO info VALUES(\"05.03.2004\",\"2\")"));
        transaction.commit();
    }
    engine = std::make_unique<Engine>(folder);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM realizators")).size(), 1);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM tovar")).size(), 1);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM info")).size(), 1);
}

TEST_F(EngineTest, AnErrorInsideATransactionLeavesAllFiveFilesAsTheyWere) {
    addAgent(QStringLiteral("Петров"));
    engine->closeTables();
    const QVector<QByteArray> before = tableBytes();
    engine->openTables();
    try {
        Transaction transaction(*engine);
        exec(QStringLiteral("UPDATE realizators SET ostatok=\"10\" WHERE r_id=\"21\""));
        exec(QStringLiteral("INSERT INTO tovar VALUES(\"21\",\"Хлеб\",\"2\",\"5\",\"10\")"));
        exec(QStringLiteral("INSERT INTO oper VALUES(\"21\",\"05.03.2004\",\"10:00:00\",\"Приход\",\"Хозяин\",\"Хлеб\",\"2\",\"5\",\"10\")"));
        exec(QStringLiteral("INSERT INTO kassa VALUES(\"21\",\"05.03.2004\",\"1\",\"1\")"));
        exec(QStringLiteral("INSERT INTO info VALUES(\"05.03.2004\",\"not a number\")"));
        transaction.commit();
        FAIL() << "the bad literal was accepted";
    } catch (const EngineError&) {
    }
    EXPECT_FALSE(engine->inTransaction());
    engine->closeTables();
    EXPECT_EQ(tableBytes(), before);
}

TEST_F(EngineTest, AProcessThatDiesInsideATransactionLeavesNothingOfIt) {
    addAgent(QStringLiteral("Петров"));
    engine->closeTables();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Engine dying(folder);
        dying.begin();
        dying.execute(QStringLiteral("UPDATE realizators SET ostatok=\"10\" WHERE r_id=\"21\""));
        for (int i = 0; i < 200; ++i)
            dying.execute(QStringLiteral("INSERT INTO tovar VALUES(\"21\",\"Хлеб\",\"2\",\"5\",\"10\")"));
        dying.execute(QStringLiteral("INSERT INTO info VALUES(\"05.03.2004\",\"10\")"));
        _exit(0); // no commit, no rollback, no close
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    Engine after(folder);
    after.openTables();
    Query query(&after);
    query.setSql(QStringLiteral("SELECT * FROM tovar"));
    query.open();
    EXPECT_EQ(query.recordCount(), 0);
    query.setSql(QStringLiteral("SELECT ostatok FROM realizators WHERE r_id=\"21\""));
    query.open();
    EXPECT_EQ(query.fieldByName(QStringLiteral("ostatok")).asFloat(), 0.0);
    query.setSql(QStringLiteral("SELECT * FROM info"));
    query.open();
    EXPECT_EQ(query.recordCount(), 0);
}

TEST_F(EngineTest, TablesAtRestAreSingleFilesInRollbackJournalMode) {
    addAgent(QStringLiteral("Петров"));
    engine->closeTables();
    const QStringList names = QDir(folder).entryList(QDir::Files);
    for (const QString& name : names)
        EXPECT_FALSE(name.contains(QStringLiteral("-journal")) || name.endsWith(QStringLiteral("-wal"))) << qPrintable(name);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path("realizators.db").toUtf8().constData(), &db), SQLITE_OK);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &stmt, nullptr);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "delete");
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

} // namespace
