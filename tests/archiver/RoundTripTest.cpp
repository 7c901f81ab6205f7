// The start-up backup and the restore as the ledger runs them, and the archiver's other everyday uses.
#include "tests/archiver/ArchiverFixture.h"

#include <QFile>
#include <QFileInfo>

#include <set>

namespace {

std::set<std::string> namesOf(const ZipListing& listing) {
    std::set<std::string> names;
    for (const ZipItem& item : listing.items)
        names.insert(item.name);
    return names;
}

} // namespace

TEST_F(ArchiverTest, BackupHoldsTheFiveTablesWithoutPathsAndRestoreBringsThemBack) {
    const QMap<QString, QByteArray> tables = makeTables();
    writeFile(at("notes.txt"), "not a table");
    writeFile(at("old.dbx"), "not a table either");
    ASSERT_TRUE(QDir().mkpath(at("sub")));
    writeFile(at("sub/inner.db"), "in a subfolder");

    backUp(); // "backup\05.03.2004.bcp", as backup.bat writes it

    // Only the finished archive stands in the backup folder: no temporary is left beside it.
    EXPECT_EQ(QDir(at("backup")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"05.03.2004.bcp"});
    const ZipListing listing = readZip(archivePath(), std::string("7304"));
    ASSERT_TRUE(listing.ok) << listing.error.toStdString();
    std::set<std::string> expected;
    for (const QString& name : tables.keys())
        expected.insert(name.toStdString());
    EXPECT_EQ(namesOf(listing), expected);
    for (const ZipItem& item : listing.items)
        EXPECT_EQ(item.data, tables.value(QString::fromStdString(item.name))) << item.name;

    // The restore deletes four tables, leaves info.db to be overwritten, and calls the archiver with
    // "e  -y -hp7304 " + the archive's path: two blanks give an empty argument.
    for (const char* name : {"realizators.db", "Tovar.DB", "oper.Db", "KASSA.db"})
        ASSERT_TRUE(QFile::remove(at(name)));
    writeFile(at("info.dB"), "changed since the backup");
    const BcpRun run = runBcp(work, {"e", "", "-y", "-hp7304", archivePath()});
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    for (auto it = tables.begin(); it != tables.end(); ++it)
        EXPECT_EQ(readFile(at(it.key())), it.value()) << it.key().toStdString();
    EXPECT_EQ(readFile(at("notes.txt")), QByteArray("not a table"));
    // Nothing else appeared in the program folder: no folders, no temporaries.
    EXPECT_EQ(QDir(work).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
              tables.size() + 4); // the tables, notes.txt, old.dbx, sub, backup
}

TEST_F(ArchiverTest, RelativeArchivePathWithEitherSeparatorExtracts) {
    const QMap<QString, QByteArray> tables = makeTables(50);
    backUp("backup/05.03.2004.bcp");
    for (const QString& name : tables.keys())
        writeFile(at(name), "garbage");
    const BcpRun run = runBcp(work, {"e", "-y", "-hp7304", "backup\\05.03.2004.bcp"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    for (auto it = tables.begin(); it != tables.end(); ++it)
        EXPECT_EQ(readFile(at(it.key())), it.value());
}

TEST_F(ArchiverTest, CommandsAndSwitchesInAnyLetterCase) {
    const QMap<QString, QByteArray> tables = makeTables(50);
    BcpRun run = runBcp(work, {"A", "-EP", "-M5", "-HP7304", "BACKUP\\x.bcp", "*.DB"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    ASSERT_TRUE(QFileInfo::exists(at("backup/x.bcp"))); // the folder was found as "backup"
    EXPECT_EQ(readZip(at("backup/x.bcp"), std::string("7304")).items.size(), 5u);
    for (const QString& name : tables.keys())
        QFile::remove(at(name));
    run = runBcp(work, {"E", "-Y", "-HP7304", "backup/X.BCP"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    for (auto it = tables.begin(); it != tables.end(); ++it)
        EXPECT_EQ(readFile(at(it.key())), it.value());
    // The password itself keeps its letter case.
    run = runBcp(work, {"a", "-ep", "-hpAbC", "backup/case.bcp", "*.db"});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_NE(runBcp(work, {"e", "-y", "-hpabc", "backup/case.bcp"}).exitCode, 0);
    EXPECT_EQ(runBcp(work, {"e", "-y", "-hpAbC", "backup/case.bcp"}).exitCode, 0);
}

TEST_F(ArchiverTest, ExtractionOverwritesTheFileOfTheSameNameInAnyLetterCase) {
    writeFile(at("oper.db"), "archived");
    backUp();
    ASSERT_TRUE(QFile::remove(at("oper.db")));
    writeFile(at("OPER.DB"), "current");
    ASSERT_EQ(runBcp(work, {"e", "-y", "-hp7304", archivePath()}).exitCode, 0);
    EXPECT_EQ(readFile(at("OPER.DB")), QByteArray("archived"));
    const QStringList files = QDir(work).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(files, QStringList{"OPER.DB"});
}

TEST_F(ArchiverTest, AddingToAnExistingArchiveReplacesSameNamesAndKeepsTheRest) {
    writeFile(at("a.db"), "a, first");
    writeFile(at("b.db"), "b, first");
    backUp();
    writeFile(at("b.db"), "b, second");
    writeFile(at("c.db"), "c, new");
    const BcpRun run = runBcp(work, {"a", "-ep", "-m5", "-hp7304", "backup\\05.03.2004.bcp", "B.DB", "c.db"});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    const ZipListing listing = readZip(archivePath(), std::string("7304"));
    ASSERT_TRUE(listing.ok) << listing.error.toStdString();
    QMap<std::string, QByteArray> byName;
    for (const ZipItem& item : listing.items)
        byName.insert(item.name, item.data);
    EXPECT_EQ(byName.size(), 3);
    EXPECT_EQ(byName.value("a.db"), QByteArray("a, first"));
    EXPECT_EQ(byName.value("b.db"), QByteArray("b, second"));
    EXPECT_EQ(byName.value("c.db"), QByteArray("c, new"));
    EXPECT_TRUE(std::all_of(listing.encrypted.begin(), listing.encrypted.end(), [](bool e) { return e; }));
}

TEST_F(ArchiverTest, PatternsWithAFolderStoreNamesWithoutPathsUnderEp) {
    ASSERT_TRUE(QDir().mkpath(at("Data")));
    writeFile(at("Data/one.db"), "one");
    writeFile(at("Data/two.DB"), "two");
    writeFile(at("Data/three.txt"), "three");
    ASSERT_EQ(runBcp(work, {"a", "-ep", "-m5", "-hp7304", "backup\\ep.bcp", "data\\*.db"}).exitCode, 0);
    EXPECT_EQ(namesOf(readZip(at("backup/ep.bcp"), std::string("7304"))),
              (std::set<std::string>{"one.db", "two.DB"}));
    // Without -ep the folder is kept in the name; "e" still extracts by the base name.
    ASSERT_EQ(runBcp(work, {"a", "-m5", "-hp7304", "backup/paths.bcp", "data/*.db"}).exitCode, 0);
    EXPECT_EQ(namesOf(readZip(at("backup/paths.bcp"), std::string("7304"))),
              (std::set<std::string>{"Data/one.db", "Data/two.DB"}));
    ASSERT_EQ(runBcp(work, {"e", "-y", "-hp7304", "backup/paths.bcp"}).exitCode, 0);
    EXPECT_EQ(readFile(at("one.db")), QByteArray("one"));
    EXPECT_EQ(readFile(at("two.DB")), QByteArray("two"));
}

TEST_F(ArchiverTest, CyrillicNamesAndLargeFilesRoundTrip) {
    QByteArray big = tableContent("oper", 120000); // several megabytes, many blocks
    for (int i = 0; i < big.size(); i += 4093)
        big[i] = static_cast<char>(i * 31); // some less compressible bytes as well
    writeFile(at("Касса.DB"), "касса");
    writeFile(at("oper.db"), big);
    ASSERT_EQ(runBcp(work, {"a", "-ep", "-m5", "-hp7304", "backup\\big.bcp", "*.db"}).exitCode, 0);
    const ZipListing listing = readZip(at("backup/big.bcp"), std::string("7304"));
    ASSERT_TRUE(listing.ok) << listing.error.toStdString();
    EXPECT_EQ(namesOf(listing), (std::set<std::string>{"oper.db", "Касса.DB"}));
    ASSERT_TRUE(QFile::remove(at("Касса.DB")));
    ASSERT_TRUE(QFile::remove(at("oper.db")));
    ASSERT_EQ(runBcp(work, {"e", "-y", "-hp7304", "backup\\big.bcp"}).exitCode, 0);
    EXPECT_EQ(readFile(at("Касса.DB")), QByteArray("касса"));
    EXPECT_EQ(readFile(at("oper.db")), big);
    // A name without wildcards is found without regard to letter case, Cyrillic letters included.
    ASSERT_EQ(runBcp(work, {"a", "-ep", "-hp7304", "backup\\one.bcp", "кАССА.db"}).exitCode, 0);
    EXPECT_EQ(namesOf(readZip(at("backup/one.bcp"), std::string("7304"))),
              (std::set<std::string>{"Касса.DB"}));
}

TEST_F(ArchiverTest, ExtractedFilesKeepTheirModificationTime) {
    writeFile(at("kassa.db"), "cash");
    const QDateTime when(QDate(2004, 3, 5), QTime(10, 20, 30));
    {
        QFile file(at("kassa.db"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
    }
    backUp();
    ASSERT_TRUE(QFile::remove(at("kassa.db")));
    ASSERT_EQ(runBcp(work, {"e", "-y", "-hp7304", archivePath()}).exitCode, 0);
    EXPECT_EQ(QFileInfo(at("kassa.db")).lastModified(), when);
}
