// A drop-down list whose entries the program paints by the list colour rule: the selected entry (the
// highlighted entry of the open list, or the face of the box while it has the focus) on cl3, every
// other entry on the system's window background; the text 2 pixels from the left at the top edge, in
// the highlight-text colour when selected and the list's own text colour otherwise.
#pragma once

#include <QComboBox>

class PaintedComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit PaintedComboBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
