#include "store/Unit15.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TForm15* Form15 = nullptr;

TForm15::TForm15(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form15"));
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    setAttribute(Qt::WA_TranslucentBackground);
    Label1 = new QLabel(QStringLiteral("Резервное копирование"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont font(QStringLiteral("Times New Roman"), 20);
    font.setBold(true);
    Label1->setFont(font);
    Label1->setStyleSheet(QStringLiteral("color: white; background: black; padding: 4px 12px;"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Label1);
    // Room for the six dots the backup adds.
    resize(Label1->fontMetrics().horizontalAdvance(QStringLiteral("Резервное копирование......")) + 32,
           Label1->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    Form15 = this;
}
