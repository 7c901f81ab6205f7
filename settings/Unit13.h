// The backup retention window "Резервное копирование": for how many days (0 to 999) the start-up
// backup archives are kept.
#pragma once

#include <QDialog>

class FilteredLineEdit;
class QPushButton;
class QToolButton;

class TForm13 : public QDialog {
    Q_OBJECT
public:
    explicit TForm13(QWidget* parent = nullptr);
    ~TForm13() override;

    void FormActivate();
    void BitBtn1Click();
    void BitBtn2Click();
    // An arrow of UpDown1 (or the up or down key in the box): +1 or -1 within 0..999.
    void UpDown1Click(int step);

    FilteredLineEdit* Edit1;
    QWidget* UpDown1; // holds the two arrows
    QToolButton* UpDown1Up;
    QToolButton* UpDown1Down;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;
};

extern TForm13* Form13;
