// The controls every window of the ledger builds the same way: labels, value boxes, buttons and the
// 100 ms enabling timer, named as the windows' handlers and tests know them.
#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QDialog;
class QObject;
class QPushButton;
class QTimer;
class QWidget;

class WindowParts {
public:
    // The frame of the program's dialogs: fixed, title and close button, kept on top, never modal.
    static void useDialogFrame(QDialog* window);

    static QLabel* label(QWidget* parent, const char* name, const QString& text = QString());
    static QLabel* boldLabel(QWidget* parent, const char* name, const QString& text = QString());
    // A box that only shows a value (a price, a held count).
    static QLineEdit* shownValue(QWidget* parent, const char* name);
    // A button that Enter does not press.
    static QPushButton* button(QWidget* parent, const char* name, const QString& caption);
    // The window's default button, disabled until the enabling timer finds the input complete.
    static QPushButton* confirmButton(QWidget* parent, const char* name, const QString& caption);
    // The enabling timer "Timer1", 100 ms, not started.
    static QTimer* enablingTimer(QObject* parent);
};
