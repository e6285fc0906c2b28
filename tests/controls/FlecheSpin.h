#pragma once
// Centre of one arrow of the grid's spin editor, in the editor's coordinates,
// for a QTest mouse click on it.
#include "controls/TGridSpin.h"

#include <QPoint>
#include <QStyle>
#include <QStyleOptionSpinBox>

inline QPoint CentreFlecheSpin(TGridSpin* spin, QStyle::SubControl fleche) {
    QStyleOptionSpinBox opt;
    opt.initFrom(spin);
    opt.rect = spin->rect();
    opt.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    opt.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    opt.buttonSymbols = spin->buttonSymbols();
    opt.frame = spin->hasFrame();
    return spin->style()->subControlRect(QStyle::CC_SpinBox, &opt, fleche, spin).center();
}
