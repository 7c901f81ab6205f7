// The row colour rule for the data-aware grids: stripes by the row's number in the whole result, the
// current row in the cursor colours by whether its grid has the focus. Title rows are the grid's own.
#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

class RowColourDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit RowColourDelegate(QAbstractItemView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QAbstractItemView* view;
};
