#include "operations/TextCellColourDelegate.h"

#include "store/ColourScheme.h"

#include <QAbstractItemView>
#include <QPainter>

TextCellColourDelegate::TextCellColourDelegate(QAbstractItemView* v) : QStyledItemDelegate(v), view(v) {}

void TextCellColourDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    const QModelIndex current = view->currentIndex();
    const bool inCurrentRow = current.isValid() && current.row() == index.row();
    const RowColours colours = ColourScheme::rowColours(index.row() + 1, inCurrentRow, view->hasFocus());
    painter->fillRect(option.rect, colours.background);
    painter->save();
    painter->setPen(colours.text);
    painter->setFont(option.font);
    painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop, index.data(Qt::DisplayRole).toString());
    painter->restore();
}
