// The salary settings window: the agent's daily rate and the percentage of the day's cash, kept in
// [Money] of the settings file. Until both are stored the window will not be left by "Выход".
#pragma once

#include <QDialog>
#include <QString>

class FilteredLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);

    FilteredLineEdit* Edit1; // rate
    FilteredLineEdit* Edit2; // percent
    QPlainTextEdit* Memo1;
    QPushButton* BitBtn1; // "Сохранить"
    QPushButton* BitBtn2; // "Выход"
    QTimer* Timer1;

    // Why the window was last asked to close: empty at start, "OK" after "Сохранить", "Cancel" after
    // "Выход". The window lives for the whole run, so the reason does too.
    QString ExitReason;

    void FormActivate();
    void Timer1Timer();
    void BitBtn1Click();
    void BitBtn2Click();
    // The close guard: false keeps the window open.
    bool FormCloseQuery();

    void reject() override;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    // Both boxes hold numbers and the percent is at most 100.
    bool inputComplete() const;
};

extern TForm9* Form9;
