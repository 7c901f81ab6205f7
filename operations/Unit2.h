// The agent card: adding a new agent or editing the current one.
#pragma once

#include <QDialog>

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
};

extern TForm2* Form2;
