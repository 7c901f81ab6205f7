// The transfer window "Передача товара": the current agent (the giver) passes a count of one of his
// goods lines to another agent (the receiver). The giver's line shrinks or goes, the receiver's grows
// or is created at the giver's price, each side gets a journal row naming the other, and the value
// moves from the giver's remainder to the receiver's. The window stays open after a transfer.
#pragma once

#include "store/FilteredLineEdit.h"

#include "store/LedgerDialog.h"
#include <QLineEdit>

class PaintedComboBox;
class QLabel;
class QPushButton;
class QTimer;

class TForm4 : public LedgerDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // Handlers, named after their control and event.
    void FormActivate() override;
    void ComboBox2Change();
    void Timer1Timer();
    void BitBtn1Click();
    void BitBtn2Click();

    QLabel* Label1;             // the giver's display name
    PaintedComboBox* ComboBox1; // "Кому": every other agent
    // Filled by the main window's refresh as well: the goods box, the price, count and held-count boxes.
    PaintedComboBox* ComboBox2;
    QLineEdit* Edit1;
    FilteredLineEdit* Edit2;
    QLineEdit* Edit3;
    QPushButton* BitBtn1; // "Передать"
    QPushButton* BitBtn2; // "Выход"
    QTimer* Timer1;

protected:
    void hideEvent(QHideEvent* event) override;
    void reject() override;

private:
    void fillReceivers(int giver);
    void fillArticles(int giver);
    // The count typed, or -1 when the box holds no whole number.
    qint64 typedCount() const;

    // Set while one of the program's message boxes has taken the activation from this window, so
    // that coming back from it does not reload the window.
};

extern TForm4* Form4;
