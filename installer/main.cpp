// ZelmarSetup: the installer. One window; the payload it writes is linked into the program.
#include "installer/Payload.h"
#include "installer/Unit1.h"
#include "platform/Application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    Application app(argc, argv);
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Установка \"Зелмар\""));
    // Qt's own buttons and dialogs speak Russian.
    QTranslator qtRussian;
    if (qtRussian.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtRussian);
    TForm1 window(Payload::embedded());
    window.show();
    return app.exec();
}
