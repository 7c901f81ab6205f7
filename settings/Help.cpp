#include "settings/Help.h"

#include "platform/FileNames.h"
#include "platform/HelpContext.h"
#include "platform/Messages.h"
#include "settings/ChmFile.h"
#include "settings/HelpViewer.h"
#include "store/ProgramState.h"

#include <QFileInfo>
#include <QPointer>

namespace {

QPointer<HelpViewer> viewer;

// The file is opened afresh at each request, so a help file replaced while the program runs is read.
HelpViewer* openHelpFile() {
    const QString path = FileNames::resolve(State().programFolder, QStringLiteral("zelmar.chm"));
    if (!QFileInfo(path).isFile()) {
        Messages::show(QStringLiteral("Файл справки %1 не найден. Переустановите программу.").arg(path));
        return nullptr;
    }
    if (!viewer) {
        viewer = new HelpViewer;
        viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    try {
        viewer->open(path);
    } catch (const ChmError& error) {
        delete viewer;
        Messages::show(QStringLiteral("Не удается открыть файл справки %1: %2.")
                           .arg(path, QString::fromUtf8(error.what())));
        return nullptr;
    }
    return viewer;
}

void present(HelpViewer* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void ShowHelpContents() {
    if (HelpViewer* window = openHelpFile()) {
        window->showContents();
        present(window);
    }
}

void ShowHelpContext(int context) {
    if (context == 0)
        return;
    HelpViewer* window = openHelpFile();
    if (!window)
        return;
    if (!window->showContext(context)) {
        Messages::show(QStringLiteral("В файле справки нет раздела с номером %1.").arg(context));
        if (!window->isVisible())
            delete window;
        return;
    }
    present(window);
}

void ShowHelpForWidget(const QWidget* focused) {
    for (const QWidget* w = focused; w; w = w->parentWidget()) {
        if (const int context = HelpContext::of(w)) {
            ShowHelpContext(context);
            return;
        }
    }
}

void CloseHelp() {
    delete viewer;
}

HelpViewer* HelpWindow() {
    return viewer;
}
