#pragma once
// Paints the curve table's non-fixed cells and hands out the editors: the
// grid's one spin editor, or a plain line editor made for the occasion. The
// open editor is recorded in the grid; the spin editor is only hidden when it
// closes, a line editor is destroyed.
#include <QStyledItemDelegate>

class TCellGrid;

class TCellGridDelegate : public QStyledItemDelegate {
public:
    // Owned by `grid` (its QObject parent), which must outlive it.
    explicit TCellGridDelegate(TCellGrid& grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override;
    // The cell's rectangle less the grid lines on its right and bottom.
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex&) const override;

protected:
    // Every way out of the editor keeps its text: Escape included.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TCellGrid& grid_;
};
