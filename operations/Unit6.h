// The goods-count window: a recount of the current agent's goods, or their return to the owner.
#pragma once

#include <QDialog>

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
};

extern TForm6* Form6;
