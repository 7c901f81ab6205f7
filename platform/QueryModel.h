// A table model over a Query for the data-aware grids: one column per visible field, titled with
// the field's caption, each cell the field's text. The grid's window calls reload() after it has
// reopened the query or changed captions.
#pragma once

#include <QAbstractTableModel>
#include <QVector>

class Query;

class QueryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit QueryModel(const Query* query, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Rebuilds rows and columns from the query as it stands now.
    void reload();
    // The query field shown in a grid column.
    int fieldOfColumn(int column) const { return visibleFields.value(column, -1); }
    const Query* query() const { return source; }

private:
    const Query* source;
    QVector<int> visibleFields;
    int rows = 0;
};
