// The row colour rule for a grid of text cells whose title row is its header: data rows numbered
// from 1 are striped (odd cl2, even cl1), the current row is painted edge to edge in the cursor
// colours (cl3 while the grid has the focus, cl6 without, text cl4), other rows' text is cl5; the
// text stands at the cell's top-left corner without a margin.
#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

class TextCellColourDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TextCellColourDelegate(QAbstractItemView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    QAbstractItemView* view;
};
