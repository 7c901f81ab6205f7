#include "settings/ColorBox.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace {

struct NamedColour {
    const char* name;
    QRgb rgb;
};

const NamedColour kColours[] = {
    {"Черный", qRgb(0, 0, 0)},
    {"Бордовый", qRgb(128, 0, 0)},
    {"Зеленый", qRgb(0, 128, 0)},
    {"Оливковый", qRgb(128, 128, 0)},
    {"Темно-синий", qRgb(0, 0, 128)},
    {"Пурпурный", qRgb(128, 0, 128)},
    {"Сине-зеленый", qRgb(0, 128, 128)},
    {"Серый", qRgb(128, 128, 128)},
    {"Серебристый", qRgb(192, 192, 192)},
    {"Красный", qRgb(255, 0, 0)},
    {"Лайм", qRgb(0, 255, 0)},
    {"Желтый", qRgb(255, 255, 0)},
    {"Синий", qRgb(0, 0, 255)},
    {"Фуксия", qRgb(255, 0, 255)},
    {"Голубой", qRgb(0, 255, 255)},
    {"Белый", qRgb(255, 255, 255)},
    {"Денежный зеленый", qRgb(192, 220, 192)},
    {"Небесно-голубой", qRgb(166, 202, 240)},
    {"Кремовый", qRgb(255, 251, 240)},
    {"Средне-серый", qRgb(160, 160, 164)},
};

QIcon swatch(QColor colour) {
    QPixmap pixmap(16, 12);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 15, 11);
    return QIcon(pixmap);
}

} // namespace

ColorBox::ColorBox(QWidget* parent) : QComboBox(parent) {
    addItem(swatch(Qt::black), QStringLiteral("Другой..."), QColor(Qt::black));
    for (const NamedColour& c : kColours)
        addItem(swatch(QColor(c.rgb)), QString::fromUtf8(c.name), QColor(c.rgb));
    setCurrentIndex(1);
    previousIndex = 1;
    connect(this, &QComboBox::activated, this, &ColorBox::EntryActivated);
}

QColor ColorBox::selected() const {
    return currentData().value<QColor>();
}

void ColorBox::select(QColor colour) {
    for (int i = 1; i < count(); ++i) {
        if (itemData(i).value<QColor>().rgb() == colour.rgb()) {
            setCurrentIndex(i);
            previousIndex = i;
            return;
        }
    }
    setCustomColour(colour);
    setCurrentIndex(kCustomEntry);
    previousIndex = kCustomEntry;
}

// Choosing the custom entry asks for the colour; a cancelled dialog keeps the previous choice.
void ColorBox::EntryActivated(int index) {
    if (index != kCustomEntry) {
        previousIndex = index;
        return;
    }
    const QColor start = itemData(previousIndex).value<QColor>();
    const QColor chosen = QColorDialog::getColor(start, this, QStringLiteral("Цвет"));
    if (!chosen.isValid()) {
        setCurrentIndex(previousIndex);
        return;
    }
    select(chosen.toRgb());
}

void ColorBox::setCustomColour(QColor colour) {
    setItemData(kCustomEntry, colour);
    setItemIcon(kCustomEntry, swatch(colour));
}
