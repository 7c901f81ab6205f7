#include "platform/Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

Messages::Responder& responder() {
    static Messages::Responder instance;
    return instance;
}

int openBoxes = 0;

struct OpenBox {
    OpenBox() { ++openBoxes; }
    ~OpenBox() { --openBoxes; }
};

bool present(const Messages::Box& box) {
    OpenBox open;
    if (responder())
        return responder()(box);
    QMessageBox dialog;
    dialog.setWindowTitle(box.caption);
    dialog.setText(box.text);
    switch (box.kind) {
    case Messages::Kind::Information:
        dialog.setIcon(QMessageBox::Information);
        dialog.setStandardButtons(QMessageBox::Ok);
        break;
    case Messages::Kind::Question:
        dialog.setIcon(QMessageBox::Question);
        dialog.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        dialog.setDefaultButton(QMessageBox::Yes);
        break;
    case Messages::Kind::Error:
        dialog.setIcon(QMessageBox::Critical);
        dialog.setStandardButtons(QMessageBox::Ok);
        break;
    }
    return dialog.exec() == QMessageBox::Yes;
}

QString applicationTitle() {
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Зелмар") : name;
}

} // namespace

void Messages::show(const QString& text) { present({Kind::Information, applicationTitle(), text}); }

bool Messages::ask(const QString& caption, const QString& text) { return present({Kind::Question, caption, text}); }

void Messages::showError(const QString& text) { present({Kind::Error, applicationTitle(), text}); }

void Messages::setResponder(Responder r) { responder() = std::move(r); }

void Messages::clearResponder() { responder() = nullptr; }

bool Messages::isOpen() { return openBoxes > 0; }
