#include "controls/TCellGridHeader.h"

#include "controls/TCellGrid.h"

#include <QPainter>

TCellGridHeader::TCellGridHeader(Qt::Orientation orientation, TCellGrid& grid)
    : QHeaderView(orientation, &grid), grid_(grid) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Fixed);
    setMinimumSectionSize(0);
}

void TCellGridHeader::paintSection(QPainter* painter, const QRect& rect, int section) const {
    if (!rect.isValid()) return;
    painter->save();
    if (orientation() == Qt::Horizontal)
        grid_.PaintCell(*painter, rect, section + grid_.fixedCols_, 0, false);
    else
        grid_.PaintCell(*painter, rect, 0, section + grid_.fixedRows_, false);
    painter->restore();
}
