// The about window "О программе": the program's picture and what the program is for.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);
    ~TForm7() override;

    void BitBtn1Click();

    QLabel* Image1;
    QPlainTextEdit* Memo2;
    QPushButton* BitBtn1;
};

extern TForm7* Form7;
