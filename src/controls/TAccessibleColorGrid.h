#pragma once
// What a screen reader learns of a colour palette: a list of its 16 cells,
// each named by its colour in French, the foreground cell selected. The
// palette is no tab stop and takes no focus, so nothing here is focusable;
// the mouse stays its only input.
//
// Installed for every TColorGrid by its factory (Factory), on the
// toolkit's accessibility API.
#include <QAccessibleWidget>

#include <array>

class TColorGrid;

class TAccessibleColorGrid : public QAccessibleWidget {
public:
    explicit TAccessibleColorGrid(TColorGrid* palette);
    ~TAccessibleColorGrid() override;

    // The factory the palette installs once: this interface for a TColorGrid,
    // nothing for any other object.
    static QAccessibleInterface* Factory(const QString& className, QObject* object);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* item) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    class TCell;
    TColorGrid* Palette() const;

    // The cells' interfaces, made on first use and registered with the
    // toolkit (which hands out their ids); unregistered with the palette's.
    mutable std::array<QAccessible::Id, 16> ids_{};
};
