// The backup progress window shown while the start-up backup runs.
#pragma once

#include <QDialog>

class TForm15 : public QDialog {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr);
};

extern TForm15* Form15;
