// The transfer window: the current agent passes goods to another agent.
#pragma once

#include <QDialog>
#include <QLineEdit>

class PaintedComboBox;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // Filled by the main window's refresh: the goods box, the price, count and held-count boxes.
    PaintedComboBox* ComboBox2;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
};

extern TForm4* Form4;
