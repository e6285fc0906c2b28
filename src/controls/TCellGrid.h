#pragma once
// The curve table: a grid of text cells with a fixed header row and a fixed
// number column, per-cell text colour and alignment, an in-cell spin editor
// whose bounds the owner sets cell by cell, row removal, automatic numbering
// and a click event.
//
// Coordinates are (column, row) from 0, fixed cells included, as the owner
// sees them. Texts and cell properties are kept sparsely and also for rows and
// columns at or beyond RowCount / ColCount: such cells are not shown, but read
// back by index, and reappear if the grid grows.
//
// Built on a QTableView: the non-fixed cells are the view's items, the fixed
// row and column are its two header views (so they stay in place while the
// cells scroll), and the corner is cell (0, 0). Hence at most one fixed row and
// one fixed column.
//
// Current cell: always a non-fixed cell, (FixedCols, FixedRows) at creation;
// when no non-fixed row is left it stays at row FixedRows.
//
// Editing (goEditing): a left press on the current cell, F2, Enter, or a
// typed character opens the cell's editor; Enter, Escape, Tab, the Up/Down
// keys, a press elsewhere or the focus leaving close it, and the editor's text
// then becomes the cell's text.
#include "controls/EInvalidGridOperation.h"
#include "controls/TCellGridTypes.h"
#include "controls/TCellProperties.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QStringList>
#include <QTableView>

#include <functional>
#include <map>
#include <memory>
#include <utility>

class QPainter;
class TGridSpin;
class TCellGridModel;
class TCellGridDelegate;
class TCellGridHeader;

class TCellGrid : public QTableView {
    Q_OBJECT
public:
    // 5 x 5 cells, one fixed row and column, cells 64 x 24, lines on every
    // cell, no editing; current cell (1, 1).
    explicit TCellGrid(QWidget* parent = nullptr);
    ~TCellGrid() override;

    // Dimensions (negative values count as 0). Shrinking keeps the texts and
    // properties of the rows or columns that leave; the current cell moves
    // onto the new last row or column when its own leaves.
    int ColCount() const { return colCount_; }
    void SetColCount(int n);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int n);
    // 0 or 1 (larger values count as 1).
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int n);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int n);

    // Widths and heights in pixels. Writing DefaultColWidth (DefaultRowHeight)
    // gives every column (row) that width; ColWidths[i] changes column i
    // alone. An index at or beyond ColCount fails with "Index de grille hors
    // limites".
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int w);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int h);
    int ColWidths(int i) const;
    void SetColWidths(int i, int w);
    // The fixed column's width and the fixed row's height.
    int FixedColWidth() const { return fixedColWidth_; }
    void SetFixedColWidth(int w);
    int FixedRowHeight() const { return fixedRowHeight_; }
    void SetFixedRowHeight(int h);

    // Look.
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int w);
    QColor GridLineColor() const { return gridLineColor_; }
    void SetGridLineColor(const QColor& c);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions options);
    // Font of the normal cells is the widget's font(); this one is the fixed cells'.
    QFont FixedFont() const { return fixedFont_; }
    void SetFixedFont(const QFont& f);
    // Background of normal cells, and of fixed cells (button face by default).
    QColor Color() const { return color_; }
    void SetColor(const QColor& c);
    QColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(const QColor& c);
    QColor SelectionColor() const { return selectionColor_; }
    void SetSelectionColor(const QColor& c);
    QColor SelectionTextColor() const { return selectionTextColor_; }
    void SetSelectionTextColor(const QColor& c);
    TVAlignment VAlignment() const { return vAlignment_; }
    void SetVAlignment(TVAlignment a);

    // Header i becomes the text of cell (i, 0) for i < ColCount when there is
    // a fixed row; entries beyond the last column are ignored.
    QStringList ColumnHeaders() const { return columnHeaders_; }
    void SetColumnHeaders(const QStringList& headers);

    // Cells, at any non-negative index (negative indices read as empty and
    // write nothing). Writing repaints the cell.
    QString CellText(int col, int row) const;
    void SetCellText(int col, int row, const QString& text);
    // clNone when the cell has no properties.
    TColor CellFontColor(int col, int row) const;
    void SetCellFontColor(int col, int row, TColor color);
    TAlignment CellAlignment(int col, int row) const;
    void SetCellAlignment(int col, int row, TAlignment alignment);
    // Whether cell (col, row) has properties (created by a first write).
    bool HasCellProperties(int col, int row) const;

    // Cells (col, r) for r from FixedRows to RowCount - 1 read 1, 2, 3 ...
    void NumberColumn(int col);
    // Removes `count` rows from `row` on (fixed rows and rows beyond the grid
    // are left alone). The properties of the removed rows are freed; each
    // removed row goes to the end of the grid, below which it stays, unseen,
    // with its texts; the rows below move up. The current row follows a
    // removed row to the end and then onto the new last row; afterwards the
    // row that was current is made current again if it still exists, which
    // raises OnClick when that is a different row.
    void DeleteRows(int row, int count);

    int CurrentCol() const { return currentCol_; }
    int CurrentRow() const { return currentRow_; }
    // Makes a non-fixed cell of the grid current (OnClick when it moved);
    // anything else is ignored.
    void SetCurrentCell(int col, int row);

    // The spin editor, owned by the grid, shared by every cell.
    TGridSpin* SpinEdit() const { return spin_; }
    // Opens the current cell's editor (OnGetEditorType first); throws
    // "Cell does not contain integer value" for a spin editor on a cell that is
    // not an integer (an empty text counts as 0). No effect without goEditing.
    void ShowEditor();
    // Closes an open editor, its text going to the cell.
    void HideEditor();
    bool EditorMode() const;
    // The open editor widget, or nullptr.
    QWidget* Editor() const;

    // Rectangle of cell (col, row) in the grid widget's own coordinates
    // (fixed cells included); empty when not on screen.
    QRect CellRect(int col, int row) const;

signals:
    // A left press on a non-fixed cell (after it became current, or after the
    // editor opened on it), or the current cell moved to another cell.
    void OnClick();
    // An editor is about to open on (ACol, ARow); AEditor comes preset to
    // edNormal. Connect directly: the handler writes AEditor.
    void OnGetEditorType(int ACol, int ARow, TEditorType& AEditor);
    // After each spin step: the current cell, the editor's new value, true for
    // the up arrow only.
    void OnSpinClick(int ACol, int ARow, int AValue, bool UpDown);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click is a press like any other.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TCellGridModel;
    friend class TCellGridDelegate;
    friend class TCellGridHeader;

    using Key = std::pair<int, int>; // (row, column)

    // Paints cell (col, row) into `rect` with its colours, alignment and lines.
    void PaintCell(QPainter& p, const QRect& rect, int col, int row, bool selected) const;
    bool IsFixed(int col, int row) const { return col < fixedCols_ || row < fixedRows_; }
    TCellProperties& Properties(int col, int row);
    const TCellProperties* PropertiesIfAny(int col, int row) const;
    void RepaintCell(int col, int row);
    void ApplySizes();
    void ApplyOptions();
    void ApplyHeaders();
    void ResizeGrid(int cols, int rows);
    void PlaceCurrent(int col, int row);  // silent
    void ChooseCurrent(int col, int row); // OnClick when it moved
    void OpenEditor(const QString& firstKey);
    QModelIndex IndexOf(int col, int row) const;
    // Height of row i: the fixed row's or the default.
    int RowHeight(int i) const;
    template <class Value> void MoveRow(std::map<Key, Value>& cells, int from, int to);

    TCellGridModel* model_ = nullptr;
    TCellGridDelegate* delegate_ = nullptr;
    TCellGridHeader* topHeader_ = nullptr;
    TCellGridHeader* leftHeader_ = nullptr;
    TGridSpin* spin_ = nullptr;

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int fixedColWidth_ = 64;
    int fixedRowHeight_ = 24;
    std::map<int, int> colWidths_;  // only the columns that differ
    std::map<int, int> rowHeights_; // the fixed row's
    int gridLineWidth_ = 1;
    QColor gridLineColor_;
    TGridOptions options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;
    QFont fixedFont_;
    QColor color_;
    QColor fixedColor_;
    QColor selectionColor_;
    QColor selectionTextColor_;
    TVAlignment vAlignment_ = TVAlignment::vtaTop;
    QStringList columnHeaders_;

    std::map<Key, QString> texts_;
    std::map<Key, std::unique_ptr<TCellProperties>> properties_;

    int currentCol_ = 1;
    int currentRow_ = 1;
    bool silent_ = false;                             // current-cell moves made by the grid itself
    TEditorType openingType_ = TEditorType::edNormal; // kind of the editor being opened
    QPointer<QWidget> editor_;                        // the open editor
};
