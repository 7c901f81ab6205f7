#include "platform/Application.h"

#include "platform/HelpContext.h"
#include "platform/Messages.h"
#include "platform/ProgramEnd.h"

#include <QKeyEvent>
#include <QWidget>

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

Application* Application::instance() { return dynamic_cast<Application*>(QCoreApplication::instance()); }

void Application::requestEnd(int exitCode) {
    ended = true;
    code = exitCode;
    for (QWidget* window : topLevelWidgets())
        window->hide();
    exit(exitCode);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        // F1 opens the help topic of the control with the focus.
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
            HelpContext::showFor(QApplication::focusWidget()))
            return true;
        return QApplication::notify(receiver, event);
    } catch (const ProgramEnd& end) {
        requestEnd(end.exitCode());
    } catch (const std::exception& error) {
        Messages::showError(QString::fromUtf8(error.what()));
    } catch (...) {
        Messages::showError(QStringLiteral("Неизвестная ошибка"));
    }
    return true;
}
