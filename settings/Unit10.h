// The colour settings window "Настройки цвета": the six colours of the colour scheme, the default
// scheme, and saving the choice, after which every window of the program is drawn again in it.
#pragma once

#include <QDialog>

class ColorBox;
class QLabel;
class QPushButton;

class TForm10 : public QDialog {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);
    ~TForm10() override;

    void FormActivate();
    void BitBtn1Click();
    void Button1Click();
    void BitBtn2Click();

    // ColorBox1..ColorBox6 hold cl1..cl6; on screen the cl6 box stands fourth.
    ColorBox* ColorBox1;
    ColorBox* ColorBox2;
    ColorBox* ColorBox3;
    ColorBox* ColorBox4;
    ColorBox* ColorBox5;
    ColorBox* ColorBox6;
    QPushButton* BitBtn1;
    QPushButton* Button1;
    QPushButton* BitBtn2;

protected:
    bool event(QEvent* event) override;
    void reject() override;

private:
    ColorBox* box(int number) const;

    // Set while the colour dialog of a box is in front: coming back from it is no return from
    // another window of the program, so the choices stay.
    bool inColourDialog = false;
};

extern TForm10* Form10;
