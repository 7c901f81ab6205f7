// A secondary window of the ledger: centred on the desktop each time it is shown, and set up again
// (FormActivate) each time it becomes the active window, except when it only gets the activation
// back from one of the program's message boxes, which would throw away what the user typed.
#pragma once

#include <QDialog>

class LedgerDialog : public QDialog {
    Q_OBJECT
public:
    // A fixed dialog frame with title and close button, kept on top, never modal.
    explicit LedgerDialog(QWidget* parent = nullptr);

    virtual void FormActivate() = 0;

    // Moves the window's frame to the centre of its screen's available area.
    static void centreOnDesktop(QWidget* window);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool returningFromBox = false;
};
