// Uninstall.exe: removes the ledger installed in the folder this program lies in. No window of its own.
#include "platform/Application.h"
#include "uninstaller/Uninstaller.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    Application app(argc, argv);
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Зелмар"));
    QTranslator qtRussian;
    if (qtRussian.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtRussian);
    Uninstaller(QCoreApplication::applicationFilePath()).run();
    return 0;
}
