#include "store/ColourScheme.h"

#include "store/ProgramState.h"

namespace {

// The colours of the default settings file, drawn when a text was edited into something else.
const unsigned kDefaults[6] = {16777215, 15724527, 8421376, 16777215, 0, 12632256};

QColor fromValue(unsigned value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

const QString& text(int number) {
    const ProgramState& s = State();
    switch (number) {
    case 1:
        return s.cl1;
    case 2:
        return s.cl2;
    case 3:
        return s.cl3;
    case 4:
        return s.cl4;
    case 5:
        return s.cl5;
    default:
        return s.cl6;
    }
}

} // namespace

QColor ColourScheme::fromText(const QString& t, QColor fallback) {
    bool ok = false;
    const qlonglong value = t.trimmed().toLongLong(&ok);
    if (!ok)
        return fallback;
    return fromValue(static_cast<unsigned>(value));
}

QString ColourScheme::toText(QColor c) { return QString::number(c.red() | (c.green() << 8) | (c.blue() << 16)); }

QColor ColourScheme::colour(int number) {
    const int index = qBound(1, number, 6);
    return fromText(text(index), fromValue(kDefaults[index - 1]));
}

RowColours ColourScheme::rowColours(int rowNumber, bool isCurrent, bool hasFocus) {
    RowColours c{colour(rowNumber % 2 == 1 ? 2 : 1), colour(5)};
    if (isCurrent) {
        c.background = colour(hasFocus ? 3 : 6);
        c.text = colour(4);
    }
    return c;
}
