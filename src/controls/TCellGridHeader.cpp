#include "controls/TCellGridHeader.h"

#include "controls/TCellGrid.h"

#include <QPainter>

TCellGridHeader::TCellGridHeader(Qt::Orientation orientation, TCellGrid& grille)
    : QHeaderView(orientation, &grille), grille_(grille) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Fixed);
    setMinimumSectionSize(0);
}

void TCellGridHeader::paintSection(QPainter* painter, const QRect& rect, int section) const {
    if (!rect.isValid()) return;
    painter->save();
    if (orientation() == Qt::Horizontal)
        grille_.PeindreCellule(*painter, rect, section + grille_.fixedCols_, 0, false);
    else
        grille_.PeindreCellule(*painter, rect, 0, section + grille_.fixedRows_, false);
    painter->restore();
}
