#include "controls/TAccessibleColorGrid.h"

#include "controls/TColorGrid.h"
#include "shell/CouleurQt.h"

// One cell of the palette: a list item named by its colour, selected when it
// is the foreground cell (the "T" mark).
class TAccessibleColorGrid::TCellule : public QAccessibleInterface {
public:
    TCellule(const TAccessibleColorGrid& grille, int indice) : grille_(grille), indice_(indice) {}

    bool isValid() const override { return grille_.isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grille_.window(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return const_cast<TAccessibleColorGrid*>(&grille_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? TColorGrid::CellName(indice_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const TColorGrid* palette = grille_.Palette();
        const QRect cellule = palette->CellRect(indice_);
        return QRect(palette->mapToGlobal(cellule.topLeft()), cellule.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State etat;
        const TColorGrid* palette = grille_.Palette();
        etat.selectable = palette->ForegroundEnabled();
        etat.selected = palette->ForegroundEnabled() && palette->ForegroundIndex() == indice_;
        etat.invisible = !palette->isVisible();
        etat.disabled = !palette->isEnabled();
        return etat;
    }
    QColor backgroundColor() const override { return VersQColor(TColorGrid::CellColor(indice_)); }

private:
    const TAccessibleColorGrid& grille_;
    const int indice_;
};

TAccessibleColorGrid::TAccessibleColorGrid(TColorGrid* palette)
    : QAccessibleWidget(palette, QAccessible::List) {}

TAccessibleColorGrid::~TAccessibleColorGrid() {
    for (const QAccessible::Id id : ids_)
        if (id != 0) QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* TAccessibleColorGrid::Fabrique(const QString&, QObject* objet) {
    auto* palette = qobject_cast<TColorGrid*>(objet);
    return palette ? new TAccessibleColorGrid(palette) : nullptr;
}

TColorGrid* TAccessibleColorGrid::Palette() const {
    return static_cast<TColorGrid*>(widget());
}

int TAccessibleColorGrid::childCount() const {
    return TColorGrid::NombreCouleurs;
}

QAccessibleInterface* TAccessibleColorGrid::child(int index) const {
    if (index < 0 || index >= TColorGrid::NombreCouleurs) return nullptr;
    QAccessible::Id& id = ids_[static_cast<std::size_t>(index)];
    if (id == 0) id = QAccessible::registerAccessibleInterface(new TCellule(*this, index));
    return QAccessible::accessibleInterface(id);
}

int TAccessibleColorGrid::indexOfChild(const QAccessibleInterface* enfant) const {
    for (int i = 0; i < TColorGrid::NombreCouleurs; ++i)
        if (ids_[static_cast<std::size_t>(i)] != 0 &&
            QAccessible::accessibleInterface(ids_[static_cast<std::size_t>(i)]) == enfant)
            return i;
    return -1;
}

QAccessibleInterface* TAccessibleColorGrid::childAt(int x, int y) const {
    const TColorGrid* palette = Palette();
    const QPoint point = palette->mapFromGlobal(QPoint(x, y));
    if (!palette->rect().contains(point)) return nullptr;
    return child(palette->CellAt(point));
}
