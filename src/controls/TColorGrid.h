#pragma once
// Colour palette: 16 fixed colours shown as a grid of 3D cells. The left
// button picks the foreground colour (mark "T"), any other button the
// background colour (mark "F"); a cell chosen for both shows "TF".
//
// Colours are 0x00BBGGRR values (red in the low byte). Geometry is in pixels
// of the control. The control shrinks itself to whole cells on every resize
// and every change of ordering (170 x 41 with go8x2 becomes 168 x 40, cells of
// 21 x 20). Index and selection setters accept any integer; cells outside
// 0..15 are never painted, and ForegroundColor()/BackgroundColor() of such an
// index is clNone.
//
// A change of index, selection or enabled flag repaints only the cells it
// touches (and the marks); the whole control is painted on exposure and on a
// change of ordering.
//
// A screen reader sees a list of the 16 cells named by their colours, the
// foreground cell selected, and hears of each change of it
// (TAccessibleColorGrid).
#include "core/TColor.h"

#include <QRect>
#include <QString>
#include <QWidget>

// Columns x rows. The order matters: with n the position in the list, there
// are 16 >> n columns and 1 << n rows.
enum class TGridOrdering { go16x1, go8x2, go4x4, go2x8, go1x16 };

class QPainter;

class TColorGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int ColorCount = 16;

    // 4 x 4 cells, both sides enabled, both indices and the selection 0,
    // 100 x 100 pixels, no keyboard focus (TabStop false).
    explicit TColorGrid(QWidget* parent = nullptr);

    TGridOrdering GridOrdering() const { return ordering_; }
    void SetGridOrdering(TGridOrdering ordering);

    int ForegroundIndex() const { return foregroundIndex_; }
    // No change and no OnChange when v is the current index or the foreground
    // side is disabled; otherwise repaints the two cells involved and fires
    // OnChange.
    void SetForegroundIndex(int v);
    int BackgroundIndex() const { return backgroundIndex_; }
    void SetBackgroundIndex(int v);

    bool ForegroundEnabled() const { return foregroundEnabled_; }
    void SetForegroundEnabled(bool enabled);
    bool BackgroundEnabled() const { return backgroundEnabled_; }
    void SetBackgroundEnabled(bool enabled);

    // Keyboard cursor cell (dotted focus rectangle while the control has the
    // focus). No event.
    int Selection() const { return selection_; }
    void SetSelection(int v);

    // Whether Tab and a mouse press give the control the keyboard focus.
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);

    // Colour of the cell ForegroundIndex (BackgroundIndex); clNone outside 0..15.
    TColor ForegroundColor() const { return CellColor(foregroundIndex_); }
    TColor BackgroundColor() const { return CellColor(backgroundIndex_); }

    // The palette: colour of cell i (0..15), clNone for any other i.
    static TColor CellColor(int i);
    // Its French name, as a screen reader says it ("Noir", "Bordeaux" ...);
    // empty for any other i.
    static QString CellName(int i);
    // Text colour of a mark on a cell of colour c: each channel of 128 or more
    // becomes 0, each below 128 becomes 255.
    static TColor MarkColor(TColor c);

    // Geometry after size fitting.
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    int CellWidth() const { return width() / columns_; }
    int CellHeight() const { return height() / rows_; }
    // Rectangle of cell i in control coordinates (empty outside 0..15).
    QRect CellRect(int i) const;
    // Cell under a point in control coordinates, the point clamped into the
    // control first (a point outside gives the nearest edge cell); -1 when the
    // control is too small to hold one pixel per cell.
    int CellAt(QPoint p) const;
    // Mark carried by cell i: "T", "F", "TF" or empty.
    QString MarkText(int i) const;

signals:
    // After ForegroundIndex or BackgroundIndex really changed.
    void OnChange();
    // After a left-button release inside the control, and after every release
    // of any other button wherever the pointer is.
    void OnClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void FitSize();
    void InvalidateCell(int i);
    void InvalidateMarks();
    void AnnounceSelection(int previous);
    void PickCell(Qt::MouseButton button, int cell);
    void PaintCell(QPainter& p, int i, bool focus) const;
    void DrawMarks(QPainter& p) const;
    QRect MarkRect(int i, const QString& text) const;

    TGridOrdering ordering_ = TGridOrdering::go4x4;
    int columns_ = 4;
    int rows_ = 4;
    int foregroundIndex_ = 0;
    int backgroundIndex_ = 0;
    bool foregroundEnabled_ = true;
    bool backgroundEnabled_ = true;
    int selection_ = 0;
    bool tabStop_ = false;
    bool hasFocus_ = false;
    Qt::MouseButton button_ = Qt::NoButton;
    bool buttonDown_ = false;
};
