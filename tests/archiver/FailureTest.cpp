// Every failure gives a non-zero exit status and a line on standard error, and changes nothing: a
// wrong password, a truncated or damaged archive, a missing archive, no file to add, a wrong command.
#include "tests/archiver/ArchiverFixture.h"

#include <QFile>
#include <QFileInfo>

namespace {

QByteArray flipped(QByteArray bytes, int at) {
    bytes[at] = static_cast<char>(bytes[at] ^ 0x5a);
    return bytes;
}

} // namespace

TEST_F(ArchiverTest, WrongPasswordFailsAndChangesNothing) {
    makeTables(200);
    backUp();
    for (const char* name : {"realizators.db", "info.dB"})
        writeFile(at(name), "the current state");
    const QMap<QString, QByteArray> before = snapshot(root);
    for (const QStringList& args :
         {QStringList{"e", "-y", "-hp1234", archivePath()}, QStringList{"e", "-y", "-hp7305", archivePath()},
          QStringList{"e", "-y", archivePath()}}) {
        const BcpRun run = runBcp(work, args);
        ASSERT_TRUE(run.finished);
        EXPECT_NE(run.exitCode, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(run.standardError.contains("password")) << run.standardError.toStdString();
        EXPECT_EQ(snapshot(root), before);
    }
}

TEST_F(ArchiverTest, TruncatedArchiveFailsAndChangesNothing) {
    makeTables(200);
    backUp();
    const QByteArray whole = readFile(archivePath());
    writeFile(at("oper.Db"), "the current state");
    const QString damaged = at("backup/damaged.bcp");
    for (int size : {0, 1, 21, 22, 100, int(whole.size() / 2), int(whole.size() - 23), int(whole.size() - 22),
                     int(whole.size() - 1)}) {
        writeFile(damaged, whole.left(size));
        const QMap<QString, QByteArray> before = snapshot(root);
        const BcpRun run = runBcp(work, {"e", "-y", "-hp7304", damaged});
        ASSERT_TRUE(run.finished);
        EXPECT_NE(run.exitCode, 0) << "cut to " << size;
        EXPECT_FALSE(run.standardError.trimmed().isEmpty());
        EXPECT_EQ(snapshot(root), before) << "cut to " << size;
    }
}

// A damaged byte anywhere in the archive: the extraction either fails and changes nothing, or (for a
// byte that carries nothing that matters, such as a time stamp) yields exactly the archived tables.
// Damaged data fails by its authentication code, a damaged name by the central directory's copy.
TEST_F(ArchiverTest, ByteFlippedAnywhereFailsOrYieldsTheExactTables) {
    QMap<QString, QByteArray> tables;
    for (const char* name : {"realizators.db", "tovar.db", "oper.db", "kassa.db", "info.db"}) {
        tables.insert(name, tableContent(name, 3));
        writeFile(at(name), tables.value(name));
    }
    backUp();
    const QByteArray whole = readFile(archivePath());
    ASSERT_LT(whole.size(), 4000);
    const QString damaged = root + "/damaged.bcp";
    const QString target = root + "/target";
    int failures = 0;
    for (int position = 0; position < whole.size(); ++position) {
        writeFile(damaged, flipped(whole, position));
        QDir(target).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(target));
        const BcpRun run = runBcp(target, {"e", "-y", "-hp7304", damaged});
        ASSERT_TRUE(run.finished) << "byte " << position;
        const QMap<QString, QByteArray> after = snapshot(target);
        if (run.exitCode != 0) {
            ++failures;
            EXPECT_TRUE(after.isEmpty()) << "byte " << position << ": " << run.standardError.toStdString();
            EXPECT_FALSE(run.standardError.trimmed().isEmpty());
        } else {
            EXPECT_EQ(after, tables) << "byte " << position;
        }
    }
    EXPECT_GT(failures, whole.size() * 3 / 4);
}

TEST_F(ArchiverTest, DamagedDataFailsAndLeavesExistingTablesUntouched) {
    makeTables(2000);
    backUp();
    QByteArray bytes = readFile(archivePath());
    const QString damaged = at("backup/damaged.bcp");
    writeFile(damaged, flipped(bytes, bytes.size() / 2)); // inside some table's encrypted data
    for (const char* name : {"realizators.db", "Tovar.DB", "oper.Db", "KASSA.db", "info.dB"})
        writeFile(at(name), QByteArray("current ") + name);
    const QMap<QString, QByteArray> before = snapshot(root);
    const BcpRun run = runBcp(work, {"e", "-y", "-hp7304", damaged});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_FALSE(run.standardError.trimmed().isEmpty());
    EXPECT_EQ(snapshot(root), before);
}

TEST_F(ArchiverTest, MissingArchiveFails) {
    makeTables(10);
    const QMap<QString, QByteArray> before = snapshot(root);
    const BcpRun run = runBcp(work, {"e", "-y", "-hp7304", "backup\\01.01.2004.bcp"});
    ASSERT_TRUE(run.finished);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.standardError.contains("01.01.2004.bcp")) << run.standardError.toStdString();
    EXPECT_EQ(snapshot(root), before);
}

TEST_F(ArchiverTest, NoMatchingInputFileFailsAndWritesNoArchive) {
    writeFile(at("notes.txt"), "no tables here");
    const BcpRun run = runBcp(work, {"a", "-ep", "-m5", "-hp7304", "backup\\05.03.2004.bcp", "*.db"});
    ASSERT_TRUE(run.finished);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.standardError.contains("*.db")) << run.standardError.toStdString();
    EXPECT_TRUE(
        QDir(at("backup")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    // An existing archive is left as it was.
    writeFile(at("x.db"), "x");
    backUp();
    const QByteArray archived = readFile(archivePath());
    ASSERT_TRUE(QFile::remove(at("x.db")));
    EXPECT_NE(runBcp(work, {"a", "-ep", "-m5", "-hp7304", "backup\\05.03.2004.bcp", "*.db"}).exitCode, 0);
    EXPECT_EQ(readFile(archivePath()), archived);
}

TEST_F(ArchiverTest, MissingArchiveFolderFails) {
    makeTables(10);
    const BcpRun run = runBcp(work, {"a", "-ep", "-m5", "-hp7304", "nowhere\\05.03.2004.bcp", "*.db"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_FALSE(run.standardError.trimmed().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(at("nowhere")));
}

TEST_F(ArchiverTest, ArchiveWithoutFilesFails) {
    craftZip(root + "/empty.bcp", {}, std::string("7304"));
    craftZip(root + "/folders.bcp", {{"folder/", {}, ZipItem::Folder, {}}}, std::string("7304"));
    for (const char* name : {"/empty.bcp", "/folders.bcp"}) {
        const BcpRun run = runBcp(work, {"e", "-y", "-hp7304", root + name});
        EXPECT_NE(run.exitCode, 0) << name;
        EXPECT_FALSE(run.standardError.trimmed().isEmpty());
    }
    EXPECT_EQ(snapshot(work).keys(), QStringList{"backup"});
}

TEST_F(ArchiverTest, NotAnArchiveFails) {
    writeFile(at("backup/05.03.2004.bcp"), tableContent("junk", 100));
    const BcpRun run = runBcp(work, {"e", "-y", "-hp7304", archivePath()});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_FALSE(run.standardError.trimmed().isEmpty());
    EXPECT_EQ(snapshot(work).keys(), (QStringList{"backup", "backup/05.03.2004.bcp"}));
}

TEST_F(ArchiverTest, AFolderAtATargetNameFailsAndChangesNothing) {
    makeTables(20);
    backUp();
    ASSERT_TRUE(QFile::remove(at("oper.Db")));
    ASSERT_TRUE(QDir().mkpath(at("oper.Db")));
    writeFile(at("info.dB"), "current");
    const QMap<QString, QByteArray> before = snapshot(root);
    const BcpRun run = runBcp(work, {"e", "-y", "-hp7304", archivePath()});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.standardError.contains("oper.Db")) << run.standardError.toStdString();
    EXPECT_EQ(snapshot(root), before);
}

TEST_F(ArchiverTest, WrongCommandLinesFailWithUsage) {
    makeTables(10);
    const QList<QStringList> wrong{
        {},
        {""},
        {"x", "-y", "a.bcp"},                    // a command the archiver does not take
        {"a", "-ep", "-zz", "a.bcp", "*.db"},    // an unknown switch
        {"a", "-ep", "-m9", "a.bcp", "*.db"},    // no such method
        {"a", "-ep", "-hp", "a.bcp", "*.db"},    // a password switch without a password
        {"a", "-ep", "-m5", "-hp7304", "a.bcp"}, // nothing to add
        {"e", "-y", "-hp7304"},                  // no archive
        {"e", "-y", "-hp7304", "a.bcp", "*.db"}, // extraction takes no file masks
    };
    for (const QStringList& args : wrong) {
        const BcpRun run = runBcp(work, args);
        ASSERT_TRUE(run.finished);
        EXPECT_NE(run.exitCode, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(run.standardError.contains("usage")) << run.standardError.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(at("a.bcp")));
}
