#pragma once
// The curve table's items: the non-fixed cells of a TCellGrid, item (r, c)
// being grid cell (c + FixedCols, r + FixedRows). Texts live in the grid; the
// model only reads them, and the grid announces its own changes of size
// through the notification calls below.
#include <QAbstractTableModel>

class TCellGrid;

class TCellGridModel : public QAbstractTableModel {
public:
    // Owned by `grille` (its QObject parent), which must outlive it.
    explicit TCellGridModel(TCellGrid& grille);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // The cell's text for the display and edit roles.
    QVariant data(const QModelIndex& index, int role) const override;
    // The fixed row's (horizontal) or fixed column's (vertical) text.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Enabled and selectable; editable with goEditing.
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The protected notifications, for the grid.
    void DebutRetrait(int premier, int dernier) { beginRemoveRows({}, premier, dernier); }
    void FinRetrait() { endRemoveRows(); }
    void DebutAjout(int premier, int dernier) { beginInsertRows({}, premier, dernier); }
    void FinAjout() { endInsertRows(); }
    void DebutRetraitColonnes(int premier, int dernier) {
        beginRemoveColumns({}, premier, dernier);
    }
    void FinRetraitColonnes() { endRemoveColumns(); }
    void DebutAjoutColonnes(int premier, int dernier) { beginInsertColumns({}, premier, dernier); }
    void FinAjoutColonnes() { endInsertColumns(); }
    void DebutRemise() { beginResetModel(); }
    void FinRemise() { endResetModel(); }

private:
    TCellGrid& grille_;
};
