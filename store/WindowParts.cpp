#include "store/WindowParts.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

void WindowParts::useDialogFrame(QDialog* window) {
    window->setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->setModal(false);
}

QLabel* WindowParts::label(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLabel* WindowParts::boldLabel(QWidget* parent, const char* name, const QString& text) {
    QLabel* bold = label(parent, name, text);
    QFont font = bold->font();
    font.setBold(true);
    bold->setFont(font);
    return bold;
}

QLineEdit* WindowParts::shownValue(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setEnabled(false);
    return box;
}

QPushButton* WindowParts::button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QPushButton* WindowParts::confirmButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setDefault(true);
    b->setEnabled(false);
    return b;
}

QTimer* WindowParts::enablingTimer(QObject* parent) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setInterval(100);
    return timer;
}
