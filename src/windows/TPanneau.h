#pragma once
// The main window's bottom panel: a raised bevel of fixed height. The
// controls anchored to its right edge keep their distance to it when the
// window is resized; the others keep their place.
#include <QFrame>

#include <utility>
#include <vector>

class TPanneau : public QFrame {
public:
    // `largeurConception`: the panel's width in the design, from which the
    // anchored controls' distances are taken.
    TPanneau(QWidget* parent, int largeurConception, int hauteur);
    // Anchors `controle` at its current distance from the design's right edge.
    void AncrerADroite(QWidget* controle);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int largeurConception_;
    std::vector<std::pair<QWidget*, int>> aDroite_;
};
