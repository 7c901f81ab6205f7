// The backup progress window: no frame, on top, centred, fully transparent but for its label
// "Резервное копирование" in bold white on a black strip, to which the start-up backup adds dots.
#pragma once

#include <QDialog>

class QLabel;

class TForm15 : public QDialog {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr);

    QLabel* Label1;
};

extern TForm15* Form15;
