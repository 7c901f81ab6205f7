// The colour scheme: the six colour texts cl1 to cl6 of the program state, each the decimal text of a
// colour 0x00BBGGRR, turned into colours at every use; and the row colour rule's choice of background
// and text for a row. A text that is not a decimal integer draws as the default of its colour.
#pragma once

#include <QColor>
#include <QString>

struct RowColours {
    QColor background;
    QColor text;
};

class ColourScheme {
public:
    // 1..6: cl1..cl6 of the program state.
    static QColor colour(int number);
    // 0x00BBGGRR text to a colour; `fallback` when the text is not a decimal integer.
    static QColor fromText(const QString& text, QColor fallback);
    static QString toText(QColor colour);

    // The row colour rule: rows numbered from 1 (odd cl2, even cl1); the current row cl3 with focus,
    // cl6 without, its text cl4; other rows' text cl5.
    static RowColours rowColours(int rowNumber, bool isCurrent, bool hasFocus);
};
