// The agent card: adding a new agent or editing the current one. The card mode set by the main window
// just before it shows the card decides which; the card reloads on every activation, so what was typed
// is lost when the user switches away and back.
#pragma once

#include <QDialog>

class FilteredLineEdit;
class QLabel;
class QPushButton;
class QTimer;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    // Handlers, named after their control and event.
    void FormActivate();
    void Timer1Timer();
    void BitBtn1Click();
    void BitBtn2Click();

    // Esc and the close box leave the card as "Выход" does.
    void reject() override;

    // "Фамилия", "Имя", "Отчество", "Паспорт", "Адрес".
    FilteredLineEdit* Edit1;
    FilteredLineEdit* Edit2;
    FilteredLineEdit* Edit3;
    FilteredLineEdit* Edit4;
    FilteredLineEdit* Edit5;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QPushButton* BitBtn1; // "Добавить" / "Изменить"
    QPushButton* BitBtn2; // "Выход"
    QTimer* Timer1;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool adding() const;
    void setHelpContext(int context);
};

extern TForm2* Form2;
