#pragma once
// The curve table's items: the non-fixed cells of a TCellGrid, item (r, c)
// being grid cell (c + FixedCols, r + FixedRows). Texts live in the grid; the
// model only reads them, and the grid announces its own changes of size
// through the notification calls below.
#include <QAbstractTableModel>

class TCellGrid;

class TCellGridModel : public QAbstractTableModel {
public:
    // Owned by `grid` (its QObject parent), which must outlive it.
    explicit TCellGridModel(TCellGrid& grid);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // The cell's text for the display and edit roles.
    QVariant data(const QModelIndex& index, int role) const override;
    // The fixed row's (horizontal) or fixed column's (vertical) text.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Enabled and selectable; editable with goEditing.
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The protected notifications, for the grid.
    void StartRowRemoval(int first, int last) { beginRemoveRows({}, first, last); }
    void EndRowRemoval() { endRemoveRows(); }
    void StartRowInsertion(int first, int last) { beginInsertRows({}, first, last); }
    void EndRowInsertion() { endInsertRows(); }
    void StartColumnRemoval(int first, int last) { beginRemoveColumns({}, first, last); }
    void EndColumnRemoval() { endRemoveColumns(); }
    void StartColumnInsertion(int first, int last) { beginInsertColumns({}, first, last); }
    void EndColumnInsertion() { endInsertColumns(); }
    void StartReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }

private:
    TCellGrid& grid_;
};
