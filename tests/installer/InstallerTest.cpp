// The installer: every payload file written byte for byte, the log, the shortcuts, the final question
// or error report, the engine step, the folder choice, and a reinstall that keeps the owner's ledger.
#include "tests/installer/InstallFixture.h"

#include "installer/DesktopEntry.h"
#include "installer/EngineSetup.h"
#include "installer/Extractor.h"
#include "installer/InstallMarker.h"
#include "installer/Payload.h"
#include "installer/Unit1.h"
#include "installer/UserFolders.h"
#include "uninstaller/RunningPrograms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QThread>

#include <chrono>

namespace {

struct Source {
    const char* name;
    QString path;
    bool executable;
};

std::vector<Source> sources() {
    const QString program = QStringLiteral(ZELMAR_PROGRAM_DIR "/");
    const QString data = QStringLiteral(ZELMAR_DATA_DIR "/");
    return {{"Zelmar.exe", program + "Zelmar.exe", true},
            {"Uninstall.exe", QStringLiteral(ZELMAR_SETUP_DIR "/Uninstall.exe"), true},
            {"kassa.db", data + "kassa.db", false},
            {"oper.db", data + "oper.db", false},
            {"realizators.db", data + "realizators.db", false},
            {"tovar.db", data + "tovar.db", false},
            {"info.db", data + "info.db", false},
            {"Zelmar.ini", data + "Zelmar.ini", false},
            {"Zelmar.chm", data + "Zelmar.chm", false},
            {"bcp.dll", program + "bcp.dll", true},
            {"cmd.exe", program + "cmd.exe", true}};
}

QStringList engineLines() {
    return {QStringLiteral(" "), QStringLiteral("Установка BDE..."),
            QStringLiteral("   BDE уже установлено")};
}

QStringList folderAndExtractionLines(const QString& folder, const QString& outcome) {
    QStringList lines = {QStringLiteral("Создание папки назначения..."),
                         QStringLiteral("   ") + folder + "   OK", QStringLiteral(" "),
                         QStringLiteral("Извлечение ресурсов...")};
    for (const Source& source : sources())
        lines << QStringLiteral("   Распаковка ") + folder + u'/' + QLatin1String(source.name) + outcome;
    return lines;
}

class Installer : public InstallFixture {};

TEST_F(Installer, FreshInstallWritesEveryFileTheLogTheShortcutsAndAsksToStart) {
    ASSERT_TRUE(QDir().mkpath(root + "/Program Files"));
    const QString folder = root + "/Program Files/Zelmar";
    const QStringList log = install(folder, {false});

    QStringList expected = folderAndExtractionLines(folder, QStringLiteral("   OK"));
    expected << engineLines();
    expected << " "
             << "Создание ярлыка на рабочем столе..."
             << "   Создание прошло успешно";
    expected << " "
             << "Создание ярлыка в меню \"Программы\"..."
             << "   Создание папки \"Зелмар\" в меню \"Программы\"   OK"
             << "   Создание самого ярлыка   OK";
    EXPECT_EQ(log, expected);

    QStringList names;
    for (const Source& source : sources()) {
        names << QLatin1String(source.name);
        ASSERT_TRUE(QFileInfo::exists(source.path)) << "no source for " << source.name;
        EXPECT_EQ(read(folder + u'/' + QLatin1String(source.name)), read(source.path)) << source.name;
        EXPECT_EQ(QFileInfo(folder + u'/' + QLatin1String(source.name)).isExecutable(), source.executable)
            << source.name;
    }
    // Nothing else: no temporary files, no engine copy where the engine is present; the mark.
    names << InstallMarker::fileName();
    names.sort();
    QStringList written = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    written.sort();
    EXPECT_EQ(written, names);
    EXPECT_TRUE(InstallMarker::matches(folder));

    struct Entry {
        QString path;
        QString name;
        QString program;
    };
    const Entry entries[] = {{desktop + "/Зелмар.desktop", "Зелмар", "Zelmar.exe"},
                             {menu + "/Зелмар.desktop", "Зелмар", "Zelmar.exe"},
                             {menu + "/Удаление.desktop", "Удаление", "Uninstall.exe"}};
    for (const Entry& entry : entries) {
        EXPECT_EQ(QString::fromUtf8(read(entry.path)),
                  "[Desktop Entry]\nType=Application\nName=" + entry.name + "\nExec=\"" + folder + u'/' +
                      entry.program + "\"\nPath=" + folder + "\nTerminal=false\n")
            << entry.path;
        EXPECT_TRUE(QFileInfo(entry.path).isExecutable()) << entry.path;
    }

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, Messages::Kind::Question);
    EXPECT_EQ(boxes[0].caption, "Зелмар");
    EXPECT_EQ(boxes[0].text, "Устновка успешно завершена. Вы желаете запустить \"Зелмар\" ?");
}

TEST_F(Installer, AfterAnInstallOnlyTheExitButtonIsUsable) {
    answers.assign({false});
    TForm1 window(Payload::embedded());
    window.show();
    window.Edit1->setText(root + "/Zelmar");
    QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.BitBtn1->isEnabled());
    EXPECT_FALSE(window.Button1->isEnabled());
    EXPECT_FALSE(window.CheckBox1->isEnabled());
    EXPECT_FALSE(window.CheckBox2->isEnabled());
    EXPECT_TRUE(window.BitBtn2->isEnabled());
    QTest::mouseClick(window.BitBtn2, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(Installer, YesStartsTheLedgerInItsFolderAndEndsTheInstaller) {
    const QString folder = root + "/Zelmar";
    answers.assign({true});
    TForm1 window(Payload::embedded());
    window.show();
    window.Edit1->setText(folder);
    QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());

    QList<pid_t> ledger;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (ledger.isEmpty() && std::chrono::steady_clock::now() < deadline) {
        ledger = RunningPrograms::find(folder, "Zelmar.exe");
        QThread::msleep(20);
    }
    ASSERT_EQ(ledger.size(), 1);
    // The ledger finds its tables through its working folder.
    EXPECT_EQ(QFileInfo(QStringLiteral("/proc/%1/cwd").arg(ledger[0])).symLinkTarget(),
              QFileInfo(folder).canonicalFilePath());
    EXPECT_TRUE(RunningPrograms::end(ledger[0]));
}

TEST_F(Installer, WithoutShortcutsTheLogEndsWithTheEngineStep) {
    const QString folder = root + "/Zelmar";
    const QStringList log = install(folder, {false}, false, false);
    EXPECT_EQ(log, folderAndExtractionLines(folder, "   OK") + engineLines());
    EXPECT_TRUE(QDir(desktop).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(menu));
}

TEST_F(Installer, AFolderThatCannotBeWrittenFailsEveryFileAndReportsIt) {
    write(root + "/plain file", "x");
    const QString cases[] = {root + "/missing parent/Zelmar", root + "/plain file/Zelmar"};
    for (const QString& folder : cases) {
        boxes.clear();
        const QStringList log = install(folder, {}, false, false);
        EXPECT_EQ(log, folderAndExtractionLines(folder, "   ОШИБКА!!!") + engineLines()) << folder;
        ASSERT_EQ(boxes.size(), 1u) << folder;
        EXPECT_EQ(boxes[0].kind, Messages::Kind::Information);
        EXPECT_EQ(boxes[0].text, "При установки программы произошли ошибки. У пользователя \"" +
                                     UserFolders::logonName() + "\" нет прав доступа на запись в папку \"" +
                                     folder +
                                     "\". Или файлы в этой папке открыты другим приложением. Обратитесь к "
                                     "администратору.");
    }
    EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({"home", "plain file"}));
}

TEST_F(Installer, ShortcutFailuresAreLoggedButTheInstallStillSucceeds) {
    // A desktop folder that is a file, and a menu folder "Зелмар" that is a file.
    ASSERT_TRUE(QDir(desktop).removeRecursively());
    write(desktop, "x");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(menu).path()));
    write(menu, "x");
    const QStringList log = install(root + "/Zelmar", {false});
    EXPECT_TRUE(log.contains("   Ошибка создания"));
    EXPECT_EQ(log.last(), "   Создание самого ярлыка   ОШИБКА");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, Messages::Kind::Question);
}

TEST_F(Installer, AReinstallKeepsTheLedgerAndTheSettingsAndReplacesThePrograms) {
    const QString folder = root + "/Zelmar";
    install(folder);
    const char* kept[] = {"kassa.db", "oper.db", "realizators.db", "tovar.db", "info.db", "Zelmar.ini"};
    for (const char* name : kept)
        write(folder + u'/' + QLatin1String(name), QByteArray("owner's ") + name);
    write(folder + "/Zelmar.exe", "old program");

    const QStringList log = install(folder);
    for (const char* name : kept) {
        EXPECT_EQ(read(folder + u'/' + QLatin1String(name)), QByteArray("owner's ") + name);
        EXPECT_TRUE(log.contains("   Оставлен прежний файл " + folder + u'/' + QLatin1String(name) + "   OK"))
            << name;
    }
    EXPECT_EQ(read(folder + "/Zelmar.exe"), read(ZELMAR_PROGRAM_DIR "/Zelmar.exe"));
    EXPECT_EQ(boxes.back().kind, Messages::Kind::Question);
}

TEST_F(Installer, TheChosenFolderGetsItsSubfolderZelmarAndACancelGivesTheDefault) {
    TForm1 window(Payload::embedded());
    EXPECT_EQ(window.Edit1->text(), home + "/Zelmar");
    const std::pair<QString, QString> cases[] = {{"/", "/Zelmar"},
                                                 {"/opt/apps", "/opt/apps/Zelmar"},
                                                 {"/opt/apps/", "/opt/apps/Zelmar"},
                                                 {"", home + "/Zelmar"}};
    for (const auto& [chosen, folder] : cases) {
        window.chooseFolder = [chosen = chosen](QWidget*) { return chosen; };
        QTest::mouseClick(window.Button1, Qt::LeftButton);
        EXPECT_EQ(window.Edit1->text(), folder) << chosen;
    }
}

TEST_F(Installer, TheEngineIsWrittenOnlyWhereItCannotBeLoaded) {
    EXPECT_TRUE(EngineSetup::present(EngineSetup::libraryName()));
    EXPECT_FALSE(EngineSetup::present("libsqlite3-none.so.0"));
    EXPECT_FALSE(EngineSetup::present("libz.so.1")); // loads, but is no SQLite

    QStringList log;
    Extractor extractor(Payload::embedded(), [&log](const QString& line) { log << line; });
    EngineSetup::run(extractor, root, "libsqlite3-none.so.0");
    const QString copy = root + "/libsqlite3.so.0";
    EXPECT_EQ(log, QStringList({" ", "Установка BDE...", "   Распаковка " + copy + "   OK"}));
    EXPECT_FALSE(extractor.failed());
    EXPECT_EQ(read(copy), read(ZELMAR_SQLITE_FILE));
    EXPECT_TRUE(EngineSetup::present(copy));

    log.clear();
    EngineSetup::run(extractor, root + "/missing", "libsqlite3-none.so.0");
    EXPECT_EQ(log.last(), "   Распаковка " + root + "/missing/libsqlite3.so.0   ОШИБКА!!!");
    EXPECT_TRUE(extractor.failed());
}

TEST(DesktopEntryExec, ProgramPathsAreQuotedAndEscaped) {
    const std::pair<QString, QString> cases[] = {
        {"/home/u/Zelmar/Zelmar.exe", "\"/home/u/Zelmar/Zelmar.exe\""},
        {"/a b/Zelmar.exe", "\"/a b/Zelmar.exe\""},
        {"/a$b/`c`/Z.exe", "\"/a\\\\$b/\\\\`c\\\\`/Z.exe\""},
        {"/a\"b\\c/Z.exe", "\"/a\\\\\"b\\\\\\\\c/Z.exe\""},
        {"/100%/Z.exe", "\"/100%%/Z.exe\""},
    };
    for (const auto& [program, exec] : cases)
        EXPECT_EQ(DesktopEntry::execArgument(program), exec) << program;
}

} // namespace
