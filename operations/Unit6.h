// The goods-count window, for the current agent's goods. In count mode "false" it records a return to
// the owner: each entered article gets a journal row "Возврат", the agent's lines shrink or go and his
// remainder falls by the value returned (not below 0). In count mode "true" it records a recount: the
// agent's lines are replaced by the counted ones, the remainder becomes their value, the difference
// goes to the debt and one journal row "Переучет" is written. The user collects articles and counts
// in the entry table and confirms the whole table at once; the window then closes.
#pragma once

#include "store/LedgerDialog.h"

class FilteredLineEdit;
class PaintedComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;

class TForm6 : public LedgerDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

    // Handlers, named after their control and event.
    void FormActivate() override;
    void ComboBox1Change();
    void Timer1Timer();
    void BitBtn1Click(); // "Добавить"
    void BitBtn2Click(); // "Удалить"
    void BitBtn3Click(); // "Возврат" or "Переучет"
    void BitBtn4Click(); // "Выход"

    // Columns of the entry table.
    enum Column { NameColumn, PriceColumn, CountColumn, SumColumn };

    QLabel* Label1;             // the agent's display name
    PaintedComboBox* ComboBox1; // "Товар"
    QLineEdit* Edit1;           // "Цена"
    FilteredLineEdit* Edit2;    // "Кол-во"
    QLineEdit* Edit3;           // "Макс. кол-во"
    QTableWidget* StringGrid1;  // the entered goods, one row each
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    QTimer* Timer1;

protected:
    void hideEvent(QHideEvent* event) override;
    void reject() override;

private:
    bool recounting() const;
    QString cell(int row, Column column) const;
    void setCell(int row, Column column, const QString& text);
    int rowOf(const QString& article) const;
    void showTooMany(const QString& count, const QString& maximum);
    // Every entered row still within the agent's holding; otherwise a message and false.
    bool rowsWithinHolding(const QString& agent);
    void confirmRecount(const QString& agent);
    void confirmReturn(const QString& agent);

    // Set while one of the program's message boxes has taken the activation from this window, so
    // that coming back from it keeps the entries.
};

extern TForm6* Form6;
