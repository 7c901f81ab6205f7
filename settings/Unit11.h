// The password change window "Изменение пароля": sets, changes or removes the start-up password;
// the settings file keeps only its digest. Once a password is set, the old one must be given
// before it can be changed or removed.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TForm11 : public QDialog {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);
    ~TForm11() override;

    void FormActivate();
    void BitBtn1Click();
    void BitBtn2Click();

    QLineEdit* Edit1; // new password
    QLineEdit* Edit2; // confirmation
    QLineEdit* Edit3; // old password, asked for only while one is set
    QLabel* Label3;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

protected:
    bool event(QEvent* event) override;
    void reject() override;

private:
    bool oldPasswordMatches();

    bool passwordSet = false;
};

extern TForm11* Form11;
