// The archiver's classes on their own: the command line, name patterns, and the names it extracts to.
#include "platform/archiver/ArchiveWriter.h"
#include "platform/archiver/ArchiverError.h"
#include "platform/archiver/CommandLine.h"
#include "platform/archiver/EntryName.h"
#include "platform/archiver/FileFinder.h"

#include <gtest/gtest.h>

TEST(ArchiverCommandLine, TakesTheBackupCommand) {
    const ArchiverCommand command =
        CommandLine::parse({"a", "-ep", "-m5", "-hp7304", "backup\\05.03.2004.bcp", "*.db"});
    EXPECT_EQ(command.kind, ArchiverCommand::Kind::Add);
    EXPECT_TRUE(command.excludePaths);
    EXPECT_EQ(command.method, 5);
    EXPECT_EQ(command.password, std::optional<std::string>("7304"));
    EXPECT_EQ(command.archive, QString("backup\\05.03.2004.bcp"));
    EXPECT_EQ(command.patterns, QStringList{"*.db"});
}

TEST(ArchiverCommandLine, TakesTheRestoreCommandWithItsEmptyArgument) {
    const ArchiverCommand command =
        CommandLine::parse({"e", "", "-y", "-hp7304", "/x/backup/05.03.2004.bcp", ""});
    EXPECT_EQ(command.kind, ArchiverCommand::Kind::Extract);
    EXPECT_EQ(command.password, std::optional<std::string>("7304"));
    EXPECT_EQ(command.archive, QString("/x/backup/05.03.2004.bcp"));
    EXPECT_TRUE(command.patterns.isEmpty());
}

TEST(ArchiverCommandLine, SwitchNamesInAnyCasePasswordAsGiven) {
    const ArchiverCommand command = CommandLine::parse({"A", "-EP", "-M3", "-HPaBc", "arc", "f"});
    EXPECT_EQ(command.method, 3);
    EXPECT_TRUE(command.excludePaths);
    EXPECT_EQ(command.password, std::optional<std::string>("aBc"));
    EXPECT_EQ(CommandLine::parse({"a", "-ppass", "arc", "f"}).password, std::optional<std::string>("pass"));
    EXPECT_EQ(CommandLine::parse({"a", "-pX", "-p-", "arc", "f"}).password, std::nullopt);
    EXPECT_EQ(CommandLine::parse({"a", "--", "-odd", "f"}).archive, QString("-odd"));
}

TEST(ArchiverCommandLine, RefusesWrongLines) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"", ""},
                                               {"d", "arc"},
                                               {"a", "arc"},
                                               {"a", "-hp", "arc", "f"},
                                               {"a", "-m6", "arc", "f"},
                                               {"e", "-q", "arc"},
                                               {"e"},
                                               {"e", "arc", "f"}}) {
        try {
            CommandLine::parse(args);
            ADD_FAILURE() << "accepted a wrong line of " << args.size() << " arguments";
        } catch (const ArchiverError& error) {
            EXPECT_EQ(error.exitCode(), ArchiverError::UserError);
        }
    }
}

TEST(ArchiverFileFinder, MatchesWithoutRegardToLetterCase) {
    EXPECT_TRUE(FileFinder::matches("*.db", "realizators.DB"));
    EXPECT_TRUE(FileFinder::matches("*.DB", "Касса.db"));
    EXPECT_TRUE(FileFinder::matches("КАССА.db", "касса.DB"));
    EXPECT_TRUE(FileFinder::matches("?ovar.d*", "tovar.db"));
    EXPECT_TRUE(FileFinder::matches("*.*", "README"));
    EXPECT_TRUE(FileFinder::matches("*", ".hidden"));
    EXPECT_TRUE(FileFinder::matches("a*b*c", "aXXbYYbZc"));
    EXPECT_FALSE(FileFinder::matches("*.db", "oper.dbx"));
    EXPECT_FALSE(FileFinder::matches("*.db", "oper.db.tmp"));
    EXPECT_FALSE(FileFinder::matches("?.db", "ab.db"));
}

TEST(ArchiverFileFinder, SplitsPathsAtEitherSeparator) {
    EXPECT_EQ(FileFinder::normalize("backup\\05.03.2004.bcp"), QString("backup/05.03.2004.bcp"));
    EXPECT_EQ(FileFinder::folderOf("backup/05.03.2004.bcp"), QString("backup"));
    EXPECT_EQ(FileFinder::nameOf("backup/05.03.2004.bcp"), QString("05.03.2004.bcp"));
    EXPECT_EQ(FileFinder::folderOf("x.bcp"), QString());
    EXPECT_EQ(FileFinder::folderOf("/x.bcp"), QString("/"));
}

TEST(ArchiverEntryName, ExtractsByTheBaseName) {
    EXPECT_EQ(EntryName::target("oper.db"), QString("oper.db"));
    EXPECT_EQ(EntryName::target("data/oper.db"), QString("oper.db"));
    EXPECT_EQ(EntryName::target("data\\sub\\oper.db"), QString("oper.db"));
    EXPECT_EQ(EntryName::target("./oper.db"), QString("oper.db"));
    EXPECT_EQ(EntryName::target("Касса.db"), QString("Касса.db"));
    EXPECT_EQ(EntryName::target("..oper.db"), QString("..oper.db"));
}

TEST(ArchiverEntryName, RefusesNamesLeadingOutside) {
    for (const std::string& name :
         {std::string(""), std::string("."), std::string(".."), std::string("../x"), std::string("a/../../x"),
          std::string("..\\x"), std::string("/etc/x"), std::string("\\x"), std::string("C:\\x"),
          std::string("c:x"), std::string("dir/"), std::string("a/.."), std::string("a\0b", 3)}) {
        std::string why;
        EXPECT_TRUE(EntryName::check(name, &why).isEmpty()) << name;
        EXPECT_FALSE(why.empty()) << name;
    }
}

TEST(ArchiverWriter, MethodFiveIsTheBestDeflateLevel) {
    EXPECT_EQ(ArchiveWriter::deflateLevel(5), 9);
    EXPECT_EQ(ArchiveWriter::deflateLevel(0), 0);
    EXPECT_EQ(ArchiveWriter::deflateLevel(3), 6);
}
