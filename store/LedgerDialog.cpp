#include "store/LedgerDialog.h"

#include "platform/Messages.h"
#include "store/WindowParts.h"

#include <QEvent>
#include <QScreen>

LedgerDialog::LedgerDialog(QWidget* parent) : QDialog(parent) { WindowParts::useDialogFrame(this); }

void LedgerDialog::centreOnDesktop(QWidget* window) {
    if (const QScreen* screen = window->screen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

bool LedgerDialog::event(QEvent* e) {
    if (e->type() == QEvent::WindowDeactivate && Messages::isOpen()) {
        returningFromBox = true;
    } else if (e->type() == QEvent::WindowActivate) {
        if (returningFromBox)
            returningFromBox = false;
        else
            FormActivate();
    }
    return QDialog::event(e);
}

void LedgerDialog::showEvent(QShowEvent* e) {
    centreOnDesktop(this);
    QDialog::showEvent(e);
}

void LedgerDialog::hideEvent(QHideEvent* e) {
    returningFromBox = false;
    QDialog::hideEvent(e);
}
