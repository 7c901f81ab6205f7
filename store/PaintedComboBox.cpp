#include "store/PaintedComboBox.h"

#include "store/ColourScheme.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace {

// Paints one entry of the open list by the list colour rule.
class ListColourDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect, selected ? ColourScheme::colour(3) : option.palette.color(QPalette::Base));
        painter->save();
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(16);
        return size;
    }
};

} // namespace

PaintedComboBox::PaintedComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setItemDelegate(new ListColourDelegate(this));
}

void PaintedComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect face = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const bool selected = hasFocus();
    painter.fillRect(face, selected ? ColourScheme::colour(3) : palette().color(QPalette::Base));
    painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(face.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, currentText());
}
