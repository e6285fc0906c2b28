#include "controls/TCellGridDelegate.h"

#include "controls/TCellGrid.h"
#include "controls/TGridSpin.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>

TCellGridDelegate::TCellGridDelegate(TCellGrid& grille)
    : QStyledItemDelegate(&grille), grille_(grille) {}

void TCellGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const bool courant = index == grille_.currentIndex();
    const bool selectionne = courant ? (grille_.options_ & goDrawFocusSelected) != 0
                                     : grille_.selectionModel()->isSelected(index);
    painter->save();
    grille_.PeindreCellule(*painter, option.rect, index.column() + grille_.fixedCols_,
                           index.row() + grille_.fixedRows_, selectionne);
    painter->restore();
}

QWidget* TCellGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex&) const {
    QWidget* editeur = nullptr;
    if (grille_.typeOuvert_ == TEditorType::edSpinEdit) {
        if (grille_.spin_->parentWidget() != parent) grille_.spin_->setParent(parent);
        editeur = grille_.spin_;
    } else {
        auto* ligne = new QLineEdit(parent);
        ligne->setFrame(false);
        editeur = ligne;
    }
    grille_.editeur_ = editeur;
    return editeur;
}

void TCellGridDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (grille_.editeur_ == editor) grille_.editeur_ = nullptr;
    if (editor == grille_.spin_) {
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
    QString texte;
    if (editor == grille_.spin_)
        texte = grille_.spin_->Text();
    else if (auto* ligne = qobject_cast<QLineEdit*>(editor))
        texte = ligne->text();
    else
        return;
    grille_.SetCellText(index.column() + grille_.fixedCols_, index.row() + grille_.fixedRows_,
                        texte);
}

void TCellGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                             const QModelIndex&) const {
    const int l = std::max(0, grille_.gridLineWidth_);
    editor->setGeometry(option.rect.adjusted(0, 0, -l, -l));
}

bool TCellGridDelegate::eventFilter(QObject* objet, QEvent* event) {
    auto* editeur = qobject_cast<QWidget*>(objet);
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
            QCoreApplication::sendEvent(&grille_, &copie);
            return true;
        }
        default:
            break;
        }
    }
    return QStyledItemDelegate::eventFilter(objet, event);
}
