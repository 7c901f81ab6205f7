// The application object: Qt's, with the framework's error box at the event dispatch. An exception
// that escapes a handler is shown in the error box and the program goes on; ProgramEnd leaves the
// message loop with its exit code (and is remembered, so a caller outside the loop can see it).
#pragma once

#include <QApplication>

class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Set once a handler has asked the program to end.
    bool endRequested() const { return ended; }
    int endCode() const { return code; }
    void requestEnd(int exitCode);
    void clearEndRequest() { ended = false; }

    static Application* instance();

private:
    bool ended = false;
    int code = 0;
};
