// The password prompt "Введите пароль": shown at start instead of the main window when a password is
// set. The right password opens the main window; "Выход", Esc or the window's frame end the program.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class TForm12 : public QDialog {
    Q_OBJECT
public:
    explicit TForm12(QWidget* parent = nullptr);

    void BitBtn1Click();
    void BitBtn2Click();

    QLineEdit* Edit1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    bool passed = false;
};

extern TForm12* Form12;
