#include "windows/TPanneau.h"

#include <QResizeEvent>

TPanneau::TPanneau(QWidget* parent, int largeurConception, int hauteur)
    : QFrame(parent), largeurConception_(largeurConception) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setFixedHeight(hauteur);
    resize(largeurConception, hauteur);
}

void TPanneau::AncrerADroite(QWidget* controle) {
    aDroite_.emplace_back(controle, controle->x());
}

void TPanneau::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const int decalage = width() - largeurConception_;
    for (const auto& [controle, xConception] : aDroite_)
        controle->move(xConception + decalage, controle->y());
}
