#include "platform/QueryModel.h"

#include "platform/engine/Query.h"

QueryModel::QueryModel(const Query* query, QObject* parent) : QAbstractTableModel(parent), source(query) { reload(); }

int QueryModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows; }

int QueryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : visibleFields.size(); }

QVariant QueryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows || index.column() >= visibleFields.size())
        return QVariant();
    const int field = visibleFields[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        return source->fieldAt(index.row(), field).asString();
    case Qt::TextAlignmentRole: {
        const FieldType type = source->fieldInfo(field).type;
        const bool number = type == FieldType::Number || type == FieldType::Autoinc;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    default:
        return QVariant();
    }
}

QVariant QueryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section < visibleFields.size() ? source->fieldInfo(visibleFields[section]).caption : QVariant();
    return QVariant();
}

void QueryModel::reload() {
    beginResetModel();
    visibleFields.clear();
    for (int i = 0; i < source->fieldCount(); ++i) {
        if (source->fieldInfo(i).visible)
            visibleFields.push_back(i);
    }
    rows = source->isOpen() ? source->recordCount() : 0;
    endResetModel();
}
