// The add-goods window: the owner hands goods to the current agent, one article in one count at one
// price per confirmation. The window stays open afterwards, emptied and ready for the next article.
#pragma once

#include "operations/ArticleComboBox.h"

#include <QDialog>

class FilteredLineEdit;
class QLabel;
class QPushButton;
class QTimer;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

    // Handlers, named after their control and event.
    void FormActivate();
    void Timer1Timer();
    void ComboBox1Change();
    void BitBtn1Click();
    void BitBtn2Click();

    // Esc and the close box leave the window as "Выход" does.
    void reject() override;

    ArticleComboBox* ComboBox1; // the article box, filled by the main window's refresh
    FilteredLineEdit* Edit1;    // price of one piece
    FilteredLineEdit* Edit2;    // count
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* BitBtn1; // "Добавить"
    QPushButton* BitBtn2; // "Выход"
    QTimer* Timer1;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fillHeldGoods(const QString& agentId);
    void fillArticleList();
    void writeOperation(int agent, const QString& name, const QString& priceText, const QString& countText);
};

extern TForm3* Form3;
