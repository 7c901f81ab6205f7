// A drop-down list of colours, each entry a swatch and a name: the custom entry first (it opens the
// colour dialog and shows any colour that is not listed), then the sixteen standard colours and
// four extended ones. Colours are plain red-green-blue values; no system colours are offered.
#pragma once

#include <QColor>
#include <QComboBox>

class ColorBox : public QComboBox {
    Q_OBJECT
public:
    explicit ColorBox(QWidget* parent = nullptr);

    QColor selected() const;
    // Selects the listed entry of that colour, else puts the colour into the custom entry.
    void select(QColor colour);

    static constexpr int kCustomEntry = 0;

private:
    void EntryActivated(int index);
    void setCustomColour(QColor colour);

    int previousIndex = kCustomEntry;
};
