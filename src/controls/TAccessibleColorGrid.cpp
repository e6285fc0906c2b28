#include "controls/TAccessibleColorGrid.h"

#include "controls/TColorGrid.h"
#include "shell/CouleurQt.h"

// One cell of the palette: a list item named by its colour, selected when it
// is the foreground cell (the "T" mark).
class TAccessibleColorGrid::TCell : public QAccessibleInterface {
public:
    TCell(const TAccessibleColorGrid& grid, int index) : grid_(grid), index_(index) {}

    bool isValid() const override { return grid_.isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_.window(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return const_cast<TAccessibleColorGrid*>(&grid_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? TColorGrid::CellName(index_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const TColorGrid* palette = grid_.Palette();
        const QRect cell = palette->CellRect(index_);
        return QRect(palette->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        const TColorGrid* palette = grid_.Palette();
        state.selectable = palette->ForegroundEnabled();
        state.selected = palette->ForegroundEnabled() && palette->ForegroundIndex() == index_;
        state.invisible = !palette->isVisible();
        state.disabled = !palette->isEnabled();
        return state;
    }
    QColor backgroundColor() const override { return VersQColor(TColorGrid::CellColor(index_)); }

private:
    const TAccessibleColorGrid& grid_;
    const int index_;
};

TAccessibleColorGrid::TAccessibleColorGrid(TColorGrid* palette)
    : QAccessibleWidget(palette, QAccessible::List) {}

TAccessibleColorGrid::~TAccessibleColorGrid() {
    for (const QAccessible::Id id : ids_)
        if (id != 0) QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* TAccessibleColorGrid::Factory(const QString&, QObject* object) {
    auto* palette = qobject_cast<TColorGrid*>(object);
    return palette ? new TAccessibleColorGrid(palette) : nullptr;
}

TColorGrid* TAccessibleColorGrid::Palette() const {
    return static_cast<TColorGrid*>(widget());
}

int TAccessibleColorGrid::childCount() const {
    return TColorGrid::ColorCount;
}

QAccessibleInterface* TAccessibleColorGrid::child(int index) const {
    if (index < 0 || index >= TColorGrid::ColorCount) return nullptr;
    QAccessible::Id& id = ids_[static_cast<std::size_t>(index)];
    if (id == 0) id = QAccessible::registerAccessibleInterface(new TCell(*this, index));
    return QAccessible::accessibleInterface(id);
}

int TAccessibleColorGrid::indexOfChild(const QAccessibleInterface* item) const {
    for (int i = 0; i < TColorGrid::ColorCount; ++i)
        if (ids_[static_cast<std::size_t>(i)] != 0 &&
            QAccessible::accessibleInterface(ids_[static_cast<std::size_t>(i)]) == item)
            return i;
    return -1;
}

QAccessibleInterface* TAccessibleColorGrid::childAt(int x, int y) const {
    const TColorGrid* palette = Palette();
    const QPoint point = palette->mapFromGlobal(QPoint(x, y));
    if (!palette->rect().contains(point)) return nullptr;
    return child(palette->CellAt(point));
}
