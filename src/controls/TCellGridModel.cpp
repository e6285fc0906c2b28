#include "controls/TCellGridModel.h"

#include "controls/TCellGrid.h"

#include <algorithm>

TCellGridModel::TCellGridModel(TCellGrid& grille) : QAbstractTableModel(&grille), grille_(grille) {}

int TCellGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, grille_.rowCount_ - grille_.fixedRows_);
}

int TCellGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, grille_.colCount_ - grille_.fixedCols_);
}

QVariant TCellGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return grille_.CellText(index.column() + grille_.fixedCols_, index.row() + grille_.fixedRows_);
}

QVariant TCellGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return grille_.CellText(section + grille_.fixedCols_, 0);
    return grille_.CellText(0, section + grille_.fixedRows_);
}

Qt::ItemFlags TCellGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (grille_.options_ & goEditing) f |= Qt::ItemIsEditable;
    return f;
}
