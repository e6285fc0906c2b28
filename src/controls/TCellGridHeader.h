#pragma once
// The curve table's fixed row (horizontal) and fixed column (vertical): header
// views whose sections are painted as the grid's fixed cells, section s being
// cell (s + FixedCols, 0) or (0, s + FixedRows). Sections are neither
// clickable nor resizable by the user; the grid sets their sizes.
#include <QHeaderView>

class TCellGrid;

class TCellGridHeader : public QHeaderView {
public:
    // Owned by `grid` (its QObject parent), which must outlive it.
    TCellGridHeader(Qt::Orientation orientation, TCellGrid& grid);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int section) const override;

private:
    TCellGrid& grid_;
};
