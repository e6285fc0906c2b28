#include "controls/TCellGridModel.h"

#include "controls/TCellGrid.h"

#include <algorithm>

TCellGridModel::TCellGridModel(TCellGrid& grid) : QAbstractTableModel(&grid), grid_(grid) {}

int TCellGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, grid_.rowCount_ - grid_.fixedRows_);
}

int TCellGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, grid_.colCount_ - grid_.fixedCols_);
}

QVariant TCellGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return grid_.CellText(index.column() + grid_.fixedCols_, index.row() + grid_.fixedRows_);
}

QVariant TCellGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return grid_.CellText(section + grid_.fixedCols_, 0);
    return grid_.CellText(0, section + grid_.fixedRows_);
}

Qt::ItemFlags TCellGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (grid_.options_ & goEditing) f |= Qt::ItemIsEditable;
    return f;
}
