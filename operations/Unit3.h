// The add-goods window: the owner hands goods to the current agent.
#pragma once

#include <QComboBox>
#include <QDialog>

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    QComboBox* ComboBox1; // the article box, filled by the main window's refresh
};

extern TForm3* Form3;
