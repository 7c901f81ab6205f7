#include "platform/Application.h"

#include "platform/Messages.h"
#include "platform/ProgramEnd.h"

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
