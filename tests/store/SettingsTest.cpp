// Tests of the settings file access and the password digest, through the file seam:
// each test writes Zelmar.ini byte for byte into a temporary program folder and checks the bytes after
// a write. Message boxes are answered by a recording responder.
#include "store/Settings.h"
#include "platform/Messages.h"
#include "platform/ProgramEnd.h"
#include "store/ProgramState.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

// Readable failure output: texts as UTF-8, byte strings with their bytes escaped.
static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
static void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"';
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\')
            *os << c;
        else
            *os << "\\x"
                << "0123456789ABCDEF"[byte >> 4] << "0123456789ABCDEF"[byte & 0x0F];
    }
    *os << '"';
}

namespace {

const QString notFoundMessage = QStringLiteral("Файл с настройками не найден!!! Переустановите программу.");
const QString damagedMessage = QStringLiteral("Файл с настройками поврежден!!! Переустановите программу.");

// The default file as the installer writes it; 3B9D5BE65EA094B293363331F7AAF8D is MD5 of "4820615973"
// written the digest's way (its byte 0x0B gives "B").
const QByteArray defaultFile = "[Color]\r\n"
                               "Cl1=16777215\r\n"
                               "Cl2=15724527\r\n"
                               "Cl3=8421376\r\n"
                               "Cl4=16777215\r\n"
                               "Cl5=0\r\n"
                               "Cl6=12632256\r\n"
                               "\r\n"
                               "[Money]\r\n"
                               "Labor Rate=\r\n"
                               "Percent=\r\n"
                               "\r\n"
                               "[Security]\r\n"
                               "Pwd=3B9D5BE65EA094B293363331F7AAF8D\r\n"
                               "\r\n"
                               "[Other]\r\n"
                               "Bc=30\r\n";

// The digest's text of 16 bytes, written here without the code under test: a byte below 0x10 is one digit.
QString expectedDigestText(const QByteArray& digest) {
    const char* const digits = "0123456789ABCDEF";
    QString text;
    for (const char c : digest) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x10)
            text += QLatin1Char(digits[byte >> 4]);
        text += QLatin1Char(digits[byte & 0x0F]);
    }
    return text;
}

QByteArray md5(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5);
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        savedProgramFolder = State().programFolder;
        State().programFolder = folder.path() + QLatin1Char('/');
        Messages::setResponder([this](const Messages::Box& box) {
            boxes.push_back(box);
            return true;
        });
    }

    void TearDown() override {
        Messages::clearResponder();
        State().programFolder = savedProgramFolder;
    }

    QString pathOf(const QString& name) const { return folder.path() + QLatin1Char('/') + name; }

    void writeFile(const QByteArray& bytes, const QString& name = QStringLiteral("Zelmar.ini")) {
        QFile file(pathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray readFile(const QString& name = QStringLiteral("Zelmar.ini")) const {
        QFile file(pathOf(name));
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray("<no file>");
        return file.readAll();
    }

    // Runs a read that must end the program; returns the exit code, or -1 when it returned instead.
    int readEndingProgram(const QString& section, const QString& key) {
        try {
            ReadSetting(section, key);
        } catch (const ProgramEnd& end) {
            return end.exitCode();
        }
        return -1;
    }

    // The message of a write that must be refused, or "<written>" when it went through.
    QString refusedWriteMessage(const QString& section, const QString& key, const QString& value) {
        try {
            WriteSetting(section, key, value);
        } catch (const SettingsWriteError& error) {
            return QString::fromUtf8(error.what());
        }
        return QStringLiteral("<written>");
    }

    QTemporaryDir folder;
    QString savedProgramFolder;
    std::vector<Messages::Box> boxes;
};

// ---- ReadSetting: values found --------------------------------------------------------------------

struct ReadCase {
    const char* name;
    QByteArray file;
    QString section;
    QString key;
    QString expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadSettingTest : public SettingsTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadSettingTest, ReturnsTheValueWithoutAMessage) {
    writeFile(GetParam().file);
    EXPECT_EQ(ReadSetting(GetParam().section, GetParam().key), GetParam().expected);
    EXPECT_TRUE(boxes.empty());
}

// "[Деньги]", "Ставка=Семь с половиной" in Windows-1251.
const QByteArray cyrillicFile =
    "[\xC4\xE5\xED\xFC\xE3\xE8]\r\n"
    "\xD1\xF2\xE0\xE2\xEA\xE0=\xD1\xE5\xEC\xFC \xF1 \xEF\xEE\xEB\xEE\xE2\xE8\xED\xEE\xE9\r\n";

const QByteArray oddFile = "; a comment line=not a key\r\n"
                           "  [ Spaced ]  \r\n"
                           "  Key  =  a b  \r\n"
                           "Equals=a=b\r\n"
                           "Quoted=\"q\"\r\n"
                           "Lower=error\r\n"
                           "Duplicate=first\r\n"
                           "Duplicate=second\r\n"
                           "[Unix]\n"
                           "Lf=only\n"
                           "Last=unterminated";

INSTANTIATE_TEST_SUITE_P(
    Values, ReadSettingTest,
    ::testing::Values(ReadCase{"EmptyValueReadsEmpty", defaultFile, "Money", "Labor Rate", ""},
                      ReadCase{"KeyInOtherCase", defaultFile, "Color", "cl1", "16777215"},
                      ReadCase{"SectionInOtherCase", defaultFile, "COLOR", "cl3", "8421376"},
                      ReadCase{"SectionAndKeyInOtherCase", defaultFile, "other", "BC", "30"},
                      ReadCase{"Digest", defaultFile, "Security", "Pwd", "3B9D5BE65EA094B293363331F7AAF8D"},
                      ReadCase{"CyrillicSectionKeyAndValue", cyrillicFile, "деньги", "СТАВКА",
                               "Семь с половиной"},
                      ReadCase{"BlanksAroundSectionKeyAndValue", oddFile, "spaced", "key", "a b"},
                      ReadCase{"ValueAfterFirstEquals", oddFile, "Spaced", "Equals", "a=b"},
                      ReadCase{"QuotesKept", oddFile, "Spaced", "Quoted", "\"q\""},
                      ReadCase{"ErrorInOtherCaseIsAValue", oddFile, "Spaced", "Lower", "error"},
                      ReadCase{"FirstOfTwoKeys", oddFile, "Spaced", "Duplicate", "first"},
                      ReadCase{"LfOnlyLine", oddFile, "Unix", "Lf", "only"},
                      ReadCase{"UnterminatedLastLine", oddFile, "Unix", "Last", "unterminated"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsTest, FileNameInOtherCaseIsFound) {
    writeFile(defaultFile, QStringLiteral("zelmar.INI"));
    EXPECT_EQ(ReadSetting("Other", "bc"), "30");
}

TEST_F(SettingsTest, EveryReadSeesTheFileAsItIsNow) {
    writeFile(defaultFile);
    EXPECT_EQ(ReadSetting("Other", "bc"), "30");
    writeFile(QByteArray(defaultFile).replace("Bc=30", "Bc=7"));
    EXPECT_EQ(ReadSetting("Other", "bc"), "7");
}

// ---- ReadSetting: the program ends ----------------------------------------------------------------

TEST_F(SettingsTest, MissingFileShowsNotFoundAndEndsTheProgram) {
    EXPECT_EQ(readEndingProgram("Other", "bc"), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, Messages::Kind::Information);
    EXPECT_EQ(boxes[0].text, notFoundMessage);
}

TEST_F(SettingsTest, FileDeletedBetweenReadsShowsNotFound) {
    writeFile(defaultFile);
    EXPECT_EQ(ReadSetting("Money", "Percent"), "");
    ASSERT_TRUE(QFile::remove(pathOf("Zelmar.ini")));
    EXPECT_EQ(readEndingProgram("Money", "Percent"), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, notFoundMessage);
}

TEST_F(SettingsTest, FolderInPlaceOfTheFileShowsNotFound) {
    ASSERT_TRUE(QDir(folder.path()).mkdir("Zelmar.ini"));
    EXPECT_EQ(readEndingProgram("Other", "bc"), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, notFoundMessage);
}

struct DamagedCase {
    const char* name;
    QByteArray file;
    QString section;
    QString key;
};

void PrintTo(const DamagedCase& c, std::ostream* os) {
    *os << c.name;
}

class DamagedSettingTest : public SettingsTest, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedSettingTest, ShowsDamagedAndEndsTheProgram) {
    writeFile(GetParam().file);
    EXPECT_EQ(readEndingProgram(GetParam().section, GetParam().key), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, Messages::Kind::Information);
    EXPECT_EQ(boxes[0].text, damagedMessage);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DamagedSettingTest,
    ::testing::Values(DamagedCase{"MissingKey", defaultFile, "Money", "Salary"},
                      DamagedCase{"MissingOther", QByteArray(defaultFile).replace("[Other]\r\nBc=30\r\n", ""),
                                  "Other", "bc"},
                      DamagedCase{"KeyOfAnotherSection", defaultFile, "Other", "Pwd"},
                      DamagedCase{"ValueLiterallyError", QByteArray(defaultFile).replace("Bc=30", "Bc=Error"),
                                  "Other", "bc"},
                      DamagedCase{"ValueErrorWithBlanks",
                                  QByteArray(defaultFile).replace("Bc=30", "Bc= Error "), "Other", "bc"},
                      DamagedCase{"EmptyFile", QByteArray(), "Other", "bc"},
                      DamagedCase{"CommentedKey", "[Other]\r\n;Bc=30\r\n", "Other", "bc"}),
    [](const ::testing::TestParamInfo<DamagedCase>& info) { return std::string(info.param.name); });

// ---- WriteSetting ---------------------------------------------------------------------------------

struct WriteCase {
    const char* name;
    QByteArray before; // empty: no file
    QString section;
    QString key;
    QString value;
    QByteArray after;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class WriteSettingTest : public SettingsTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WriteSettingTest, ChangesOnlyWhatItWrites) {
    if (!GetParam().before.isEmpty())
        writeFile(GetParam().before);
    WriteSetting(GetParam().section, GetParam().key, GetParam().value);
    EXPECT_EQ(readFile(), GetParam().after);
    EXPECT_TRUE(boxes.empty());
}

const QByteArray unixFile = "[A]\n"
                            "x=1\n"
                            "\n"
                            "[B]\n"
                            "y=2";

INSTANTIATE_TEST_SUITE_P(
    Values, WriteSettingTest,
    ::testing::Values(
        WriteCase{"ReplacesAValue", defaultFile, "money", "labor rate", "7,5",
                  QByteArray(defaultFile).replace("Labor Rate=\r\n", "Labor Rate=7,5\r\n")},
        WriteCase{"ReplacesInTheFirstSectionOnly", defaultFile, "Color", "Cl4", "0",
                  QByteArray(defaultFile).replace("Cl4=16777215", "Cl4=0")},
        WriteCase{"KeepsKeySpellingAndSpacing", "[S]\r\n  Key  = old \r\n", "s", "KEY", "new",
                  "[S]\r\n  Key  =new\r\n"},
        WriteCase{"AddsAKeyAtTheEndOfTheSection", defaultFile, "MONEY", "Extra", "1",
                  QByteArray(defaultFile).replace("Percent=\r\n", "Percent=\r\nExtra=1\r\n")},
        WriteCase{"AddsAKeyToTheLastSection", defaultFile, "Other", "New", "x", defaultFile + "New=x\r\n"},
        WriteCase{"AddsASectionAtTheEndOfTheFile", defaultFile, "Extra", "Key", "v",
                  defaultFile + "[Extra]\r\nKey=v\r\n"},
        WriteCase{"CreatesAMissingFile", QByteArray(), "Other", "Bc", "12", "[Other]\r\nBc=12\r\n"},
        WriteCase{"CyrillicValueInWindows1251", defaultFile, "Money", "Labor Rate", "Семь",
                  QByteArray(defaultFile).replace("Labor Rate=\r\n", "Labor Rate=\xD1\xE5\xEC\xFC\r\n")},
        WriteCase{"CharacterOutsideTheCodePageBecomesQuestionMark", defaultFile, "Money", "Percent", "é€",
                  QByteArray(defaultFile).replace("Percent=\r\n", "Percent=?\x88\r\n")},
        WriteCase{"LfOnlyLinesKeptNewLinesCrLf", unixFile, "A", "z", "3", "[A]\nx=1\nz=3\r\n\n[B]\ny=2\r\n"},
        WriteCase{"LfOnlyLineReplacedKeepsLf", unixFile, "a", "X", "9", "[A]\nx=9\n\n[B]\ny=2\r\n"},
        WriteCase{"KeepsBytesOutsideTheCodePage", "[S]\r\n;\x98\x01\r\nk=1\r\n", "S", "k", "2",
                  "[S]\r\n;\x98\x01\r\nk=2\r\n"}),
    [](const ::testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsTest, CyrillicValueRoundTrips) {
    writeFile(defaultFile);
    const QString value = QStringLiteral("Ёжик в тумане, ёлка №1");
    WriteSetting("Money", "Labor Rate", value);
    EXPECT_EQ(ReadSetting("Money", "Labor Rate"), value);
    EXPECT_TRUE(
        readFile().contains("Labor Rate=\xA8\xE6\xE8\xEA \xE2 \xF2\xF3\xEC\xE0\xED\xE5, \xB8\xEB\xEA\xE0 \xB9"
                            "1\r\n"));
}

TEST_F(SettingsTest, WriteGoesToTheFileInOtherLetterCase) {
    writeFile(defaultFile, QStringLiteral("ZELMAR.ini"));
    WriteSetting("Other", "Bc", "5");
    EXPECT_EQ(readFile(QStringLiteral("ZELMAR.ini")), QByteArray(defaultFile).replace("Bc=30", "Bc=5"));
    EXPECT_FALSE(QFile::exists(pathOf("Zelmar.ini")));
}

TEST_F(SettingsTest, WrittenValueIsReadBack) {
    writeFile(defaultFile);
    WriteSetting("Security", "Pwd", PasswordDigest("secret"));
    EXPECT_EQ(ReadSetting("security", "pwd"), PasswordDigest("secret"));
}

TEST_F(SettingsTest, WriteIntoAMissingFolderIsRefused) {
    const QString missing = folder.path() + QStringLiteral("/нет такой папки/");
    State().programFolder = missing;
    EXPECT_EQ(refusedWriteMessage("Other", "Bc", "5"), "Unable to write to " + missing + "Zelmar.ini");
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(SettingsTest, WriteOverAFolderInPlaceOfTheFileIsRefused) {
    ASSERT_TRUE(QDir(folder.path()).mkdir("Zelmar.ini"));
    writeFile("keep", QStringLiteral("Zelmar.ini/inside"));
    EXPECT_EQ(refusedWriteMessage("Other", "Bc", "5"), "Unable to write to " + pathOf("Zelmar.ini"));
    EXPECT_TRUE(QFileInfo(pathOf("Zelmar.ini")).isDir());
    EXPECT_EQ(readFile(QStringLiteral("Zelmar.ini/inside")), "keep");
    EXPECT_EQ(QDir(pathOf("Zelmar.ini")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"inside"});
}

TEST_F(SettingsTest, WriteToAReadOnlyFileIsRefusedAndLeavesItUnchanged) {
    writeFile(defaultFile);
    QFile::setPermissions(pathOf("Zelmar.ini"), QFile::ReadOwner | QFile::ReadUser);
    if (QFileInfo(pathOf("Zelmar.ini")).isWritable())
        GTEST_SKIP() << "permissions do not block writes for this user (root)";
    EXPECT_EQ(refusedWriteMessage("Other", "Bc", "5"), "Unable to write to " + pathOf("Zelmar.ini"));
    EXPECT_EQ(readFile(), defaultFile);
}

TEST_F(SettingsTest, RefusedWriteLeavesNoTemporaryFile) {
    ASSERT_TRUE(QDir(folder.path()).mkdir("Zelmar.ini"));
    refusedWriteMessage("Other", "Bc", "5");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
              QStringList{"Zelmar.ini"});
}

// ---- PasswordDigest -------------------------------------------------------------------------------

TEST(PasswordDigestTest, EmptyPasswordIsTheDigestOfTheSalt) {
    EXPECT_EQ(PasswordDigest(""), expectedDigestText(md5("4820615973")));
    EXPECT_EQ(PasswordDigest(""), "3B9D5BE65EA094B293363331F7AAF8D");
}

TEST(PasswordDigestTest, IsTheMd5OfTheWindows1251BytesWithTheSalt) {
    EXPECT_EQ(PasswordDigest("secret"), expectedDigestText(md5("secret4820615973")));
    // "пароль" in Windows-1251.
    EXPECT_EQ(PasswordDigest("пароль"), expectedDigestText(md5("\xEF\xE0\xF0\xEE\xEB\xFC"
                                                               "4820615973")));
}

TEST(PasswordDigestTest, ByteBelow0x10GivesAShorterText) {
    for (int i = 0; i < 1000; ++i) {
        const QString password = QStringLiteral("p%1").arg(i);
        const QByteArray digest = md5(password.toLatin1() + "4820615973");
        const auto small = std::count_if(digest.begin(), digest.end(),
                                         [](char c) { return static_cast<unsigned char>(c) < 0x10; });
        if (small == 0)
            continue;
        const QString text = PasswordDigest(password);
        EXPECT_EQ(text, expectedDigestText(digest)) << password.toStdString();
        EXPECT_EQ(text.size(), 32 - small) << password.toStdString();
        EXPECT_LT(text.size(), 32);
        return;
    }
    FAIL() << "no password with a digest byte below 0x10 found";
}

TEST(PasswordDigestTest, TextIsUpperCaseHexOf16To32Characters) {
    for (int i = 0; i < 200; ++i) {
        const QString text = PasswordDigest(QString::number(i));
        EXPECT_GE(text.size(), 16);
        EXPECT_LE(text.size(), 32);
        for (const QChar c : text)
            EXPECT_TRUE((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                        (c >= QLatin1Char('A') && c <= QLatin1Char('F')))
                << text.toStdString();
    }
}

TEST(PasswordDigestTest, LetterCaseChangesTheDigest) {
    EXPECT_NE(PasswordDigest("Secret"), PasswordDigest("secret"));
    EXPECT_NE(PasswordDigest("Пароль"), PasswordDigest("пароль"));
}

// A password character outside Windows-1251 counts as '?', the default character of ANSI
// code-page conversion.
TEST(PasswordDigestTest, CharacterOutsideTheCodePageCountsAsQuestionMark) {
    EXPECT_EQ(PasswordDigest("aé"), PasswordDigest("a?"));
    EXPECT_EQ(PasswordDigest("a😀"), PasswordDigest("a?"));
    EXPECT_EQ(PasswordDigest("€"), expectedDigestText(md5("\x88"
                                                          "4820615973")));
}

} // namespace

// The one entry of test_store (ProceduresTest.cpp adds its cases to it): a QApplication on the offscreen
// platform, so that message boxes, regional settings and windows work in every case of the binary.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
