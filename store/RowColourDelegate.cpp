#include "store/RowColourDelegate.h"

#include "store/ColourScheme.h"

#include <QAbstractItemView>
#include <QPainter>

RowColourDelegate::RowColourDelegate(QAbstractItemView* v) : QStyledItemDelegate(v), view(v) {}

void RowColourDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const bool current = view->currentIndex().isValid() && view->currentIndex().row() == index.row();
    const RowColours colours = ColourScheme::rowColours(index.row() + 1, current, view->hasFocus());
    painter->fillRect(option.rect, colours.background);
    const QString text = index.data(Qt::DisplayRole).toString();
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    const Qt::Alignment align = alignment.isValid() ? Qt::Alignment(alignment.toInt()) : (Qt::AlignLeft | Qt::AlignVCenter);
    painter->save();
    painter->setPen(colours.text);
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(2, 0, -2, 0), int(align), text);
    painter->restore();
}
