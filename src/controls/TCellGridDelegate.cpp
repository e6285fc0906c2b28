#include "controls/TCellGridDelegate.h"

#include "controls/TCellGrid.h"
#include "controls/TGridSpin.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>

TCellGridDelegate::TCellGridDelegate(TCellGrid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

void TCellGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const bool courant = index == grid_.currentIndex();
    const bool selected = courant ? (grid_.options_ & goDrawFocusSelected) != 0
                                  : grid_.selectionModel()->isSelected(index);
    painter->save();
    grid_.PaintCell(*painter, option.rect, index.column() + grid_.fixedCols_,
                    index.row() + grid_.fixedRows_, selected);
    painter->restore();
}

QWidget* TCellGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex&) const {
    QWidget* editeur = nullptr;
    if (grid_.openingType_ == TEditorType::edSpinEdit) {
        if (grid_.spin_->parentWidget() != parent) grid_.spin_->setParent(parent);
        editeur = grid_.spin_;
    } else {
        auto* ligne = new QLineEdit(parent);
        ligne->setFrame(false);
        editeur = ligne;
    }
    grid_.editor_ = editeur;
    return editeur;
}

void TCellGridDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (grid_.editor_ == editor) grid_.editor_ = nullptr;
    if (editor == grid_.spin_) {
        editor->hide(); // kept with its bounds for the next opening
        return;
    }
    QStyledItemDelegate::destroyEditor(editor, index);
}

void TCellGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    // The spin editor gets its value when the grid opens it; a later write
    // to the cell (a spin step's handler) must not reset what it shows.
    if (auto* ligne = qobject_cast<QLineEdit*>(editor); ligne && !ligne->isModified())
        ligne->setText(index.data(Qt::EditRole).toString());
}

void TCellGridDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                     const QModelIndex& index) const {
    QString text;
    if (editor == grid_.spin_)
        text = grid_.spin_->Text();
    else if (auto* ligne = qobject_cast<QLineEdit*>(editor))
        text = ligne->text();
    else
        return;
    grid_.SetCellText(index.column() + grid_.fixedCols_, index.row() + grid_.fixedRows_, text);
}

void TCellGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                             const QModelIndex&) const {
    const int l = std::max(0, grid_.gridLineWidth_);
    editor->setGeometry(option.rect.adjusted(0, 0, -l, -l));
}

bool TCellGridDelegate::eventFilter(QObject* watched, QEvent* event) {
    auto* editeur = qobject_cast<QWidget*>(watched);
    if (editeur && event->type() == QEvent::KeyPress) {
        auto* touche = static_cast<QKeyEvent*>(event);
        switch (touche->key()) {
        case Qt::Key_Enter:
        case Qt::Key_Return:
        case Qt::Key_Escape:
            emit commitData(editeur);
            emit closeEditor(editeur, QAbstractItemDelegate::NoHint);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            emit commitData(editeur);
            emit closeEditor(editeur, QAbstractItemDelegate::NoHint);
            QKeyEvent copie(QEvent::KeyPress, touche->key(), touche->modifiers());
            QCoreApplication::sendEvent(&grid_, &copie);
            return true;
        }
        default:
            break;
        }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}
