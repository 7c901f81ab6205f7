// The cash window: cash handed over by the current agent, and his salary.
#pragma once

#include <QDialog>

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
};

extern TForm5* Form5;
