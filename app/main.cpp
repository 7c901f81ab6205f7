// Zelmar.exe: the ledger. Starts in its program folder, shows the main window (or the password
// prompt) and runs the message loop.
#include "app/Forms.h"
#include "app/Startup.h"
#include "platform/Application.h"
#include "store/Ledger.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    Application app(argc, argv);
    // Qt's own buttons and dialogs speak Russian.
    QTranslator qtRussian;
    if (qtRussian.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtRussian);
    int code = 1;
    if (Startup::run(Startup::programFolderOfExecutable()))
        code = app.endRequested() ? app.endCode() : app.exec();
    Forms::destroy();
    Ledger::close();
    return code;
}
