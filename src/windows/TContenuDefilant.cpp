#include "windows/TContenuDefilant.h"

#include <QEvent>

TContenuDefilant::TContenuDefilant(QWidget* parent) : QWidget(parent) {}

void TContenuDefilant::Suivre(QWidget* enfant) {
    enfant->installEventFilter(this);
}

bool TContenuDefilant::eventFilter(QObject* objet, QEvent* event) {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move) {
        const QRect enfants = childrenRect();
        resize(enfants.right() + 1, enfants.bottom() + 1);
    }
    return QWidget::eventFilter(objet, event);
}
