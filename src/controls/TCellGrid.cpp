#include "controls/TCellGrid.h"

#include "controls/TCellGridDelegate.h"
#include "controls/TCellGridHeader.h"
#include "controls/TCellGridModel.h"
#include "controls/TGridSpin.h"
#include "core/Conversions.h"
#include "shell/CouleurQt.h"
#include "shell/TApplication.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>

#include <algorithm>
#include <climits>
#include <cstdint>

TCellGrid::TCellGrid(QWidget* parent) : QTableView(parent) {
    gridLineColor_ = palette().color(QPalette::Mid);
    color_ = palette().color(QPalette::Base);
    fixedColor_ = palette().color(QPalette::Button);
    selectionColor_ = palette().color(QPalette::Highlight);
    selectionTextColor_ = palette().color(QPalette::HighlightedText);
    fixedFont_ = font();

    model_ = new TCellGridModel(*this);
    delegate_ = new TCellGridDelegate(*this);
    topHeader_ = new TCellGridHeader(Qt::Horizontal, *this);
    leftHeader_ = new TCellGridHeader(Qt::Vertical, *this);
    setHorizontalHeader(topHeader_);
    setVerticalHeader(leftHeader_);
    setModel(model_);
    setItemDelegate(delegate_);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // The corner shows cell (0, 0).
    if (auto* coin = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
        coin->installEventFilter(this);

    spin_ = new TGridSpin(viewport());
    spin_->hide();
    connect(spin_, &TGridSpin::OnStep, this, [this](int value, bool upDown) {
        emit OnSpinClick(currentCol_, currentRow_, value, upDown);
    });

    ApplyOptions();
    ApplySizes();
    PlaceCurrent(fixedCols_, fixedRows_);
}

TCellGrid::~TCellGrid() = default;

QModelIndex TCellGrid::IndexOf(int col, int row) const {
    return model_->index(row - fixedRows_, col - fixedCols_);
}

// --- dimensions -------------------------------------------------------------

void TCellGrid::ResizeGrid(int cols, int rows) {
    HideEditor();
    const int anciennesLignes = std::max(0, rowCount_ - fixedRows_);
    const int nouvellesLignes = std::max(0, rows - fixedRows_);
    const int anciennesColonnes = std::max(0, colCount_ - fixedCols_);
    const int nouvellesColonnes = std::max(0, cols - fixedCols_);
    const QScopedValueRollback silence(silent_, true);
    if (nouvellesLignes < anciennesLignes) {
        model_->StartRowRemoval(nouvellesLignes, anciennesLignes - 1);
        rowCount_ = rows;
        model_->EndRowRemoval();
    } else if (nouvellesLignes > anciennesLignes) {
        model_->StartRowInsertion(anciennesLignes, nouvellesLignes - 1);
        rowCount_ = rows;
        model_->EndRowInsertion();
    }
    rowCount_ = rows;
    if (nouvellesColonnes < anciennesColonnes) {
        model_->StartColumnRemoval(nouvellesColonnes, anciennesColonnes - 1);
        colCount_ = cols;
        model_->EndColumnRemoval();
    } else if (nouvellesColonnes > anciennesColonnes) {
        model_->StartColumnInsertion(anciennesColonnes, nouvellesColonnes - 1);
        colCount_ = cols;
        model_->EndColumnInsertion();
    }
    colCount_ = cols;
    ApplySizes();
    PlaceCurrent(std::min(currentCol_, std::max(colCount_ - 1, fixedCols_)),
                 std::min(currentRow_, std::max(rowCount_ - 1, fixedRows_)));
}

void TCellGrid::SetColCount(int n) {
    n = std::max(n, 0);
    if (n == colCount_) return;
    ResizeGrid(n, rowCount_);
}

void TCellGrid::SetRowCount(int n) {
    n = std::max(n, 0);
    if (n == rowCount_) return;
    ResizeGrid(colCount_, n);
}

void TCellGrid::SetFixedCols(int n) {
    n = std::clamp(n, 0, 1);
    if (n == fixedCols_) return;
    HideEditor();
    const QScopedValueRollback silence(silent_, true);
    model_->StartReset();
    fixedCols_ = n;
    model_->EndReset();
    ApplySizes();
    PlaceCurrent(std::max(currentCol_, fixedCols_), currentRow_);
}

void TCellGrid::SetFixedRows(int n) {
    n = std::clamp(n, 0, 1);
    if (n == fixedRows_) return;
    HideEditor();
    const QScopedValueRollback silence(silent_, true);
    model_->StartReset();
    fixedRows_ = n;
    model_->EndReset();
    ApplyHeaders();
    ApplySizes();
    PlaceCurrent(currentCol_, std::max(currentRow_, fixedRows_));
}

// --- widths and heights -----------------------------------------------------

void TCellGrid::SetDefaultColWidth(int w) {
    if (w == defaultColWidth_ && colWidths_.empty()) return;
    defaultColWidth_ = w;
    colWidths_.clear();
    ApplySizes();
}

void TCellGrid::SetDefaultRowHeight(int h) {
    if (h == defaultRowHeight_ && rowHeights_.empty()) return;
    defaultRowHeight_ = h;
    rowHeights_.clear();
    ApplySizes();
}

int TCellGrid::ColWidths(int i) const {
    if (i < 0 || i >= colCount_) throw EInvalidGridOperation("Index de grille hors limites");
    const auto it = colWidths_.find(i);
    return it == colWidths_.end() ? defaultColWidth_ : it->second;
}

void TCellGrid::SetColWidths(int i, int w) {
    if (ColWidths(i) == w) return;
    colWidths_[i] = w;
    ApplySizes();
}

int TCellGrid::RowHeight(int i) const {
    const auto it = rowHeights_.find(i);
    return it == rowHeights_.end() ? defaultRowHeight_ : it->second;
}

void TCellGrid::SetFixedColWidth(int w) {
    fixedColWidth_ = w;
    for (int i = 0; i < fixedCols_ && i < colCount_; ++i)
        colWidths_[i] = w;
    ApplySizes();
}

void TCellGrid::SetFixedRowHeight(int h) {
    fixedRowHeight_ = h;
    for (int i = 0; i < fixedRows_ && i < rowCount_; ++i)
        rowHeights_[i] = h;
    ApplySizes();
}

void TCellGrid::ApplySizes() {
    topHeader_->setDefaultSectionSize(std::max(0, defaultColWidth_));
    for (int c = fixedCols_; c < colCount_; ++c)
        topHeader_->resizeSection(c - fixedCols_, std::max(0, ColWidths(c)));
    leftHeader_->setDefaultSectionSize(std::max(0, defaultRowHeight_));
    for (int r = fixedRows_; r < rowCount_; ++r)
        leftHeader_->resizeSection(r - fixedRows_, std::max(0, RowHeight(r)));

    const bool ligneFixe = fixedRows_ > 0 && rowCount_ > 0;
    topHeader_->setVisible(ligneFixe);
    if (ligneFixe) topHeader_->setFixedHeight(std::max(0, RowHeight(0)));
    const bool colonneFixe = fixedCols_ > 0 && colCount_ > 0;
    leftHeader_->setVisible(colonneFixe);
    if (colonneFixe) leftHeader_->setFixedWidth(std::max(0, ColWidths(0)));
    updateGeometries();
    viewport()->update();
}

// --- look -------------------------------------------------------------------

void TCellGrid::SetGridLineWidth(int w) {
    if (w == gridLineWidth_) return;
    gridLineWidth_ = w;
    viewport()->update();
    topHeader_->viewport()->update();
    leftHeader_->viewport()->update();
}

void TCellGrid::SetGridLineColor(const QColor& c) {
    if (c == gridLineColor_) return;
    gridLineColor_ = c;
    update();
    viewport()->update();
    topHeader_->viewport()->update();
    leftHeader_->viewport()->update();
}

void TCellGrid::SetOptions(TGridOptions options) {
    if (options == options_) return;
    options_ = options;
    if (!(options_ & goEditing)) HideEditor();
    ApplyOptions();
}

void TCellGrid::ApplyOptions() {
    setSelectionMode((options_ & goRangeSelect) ? QAbstractItemView::ContiguousSelection
                                                : QAbstractItemView::SingleSelection);
    viewport()->update();
    topHeader_->viewport()->update();
    leftHeader_->viewport()->update();
}

void TCellGrid::SetFixedFont(const QFont& f) {
    if (f == fixedFont_) return;
    fixedFont_ = f;
    topHeader_->viewport()->update();
    leftHeader_->viewport()->update();
}

void TCellGrid::SetColor(const QColor& c) {
    if (c == color_) return;
    color_ = c;
    viewport()->update();
}

void TCellGrid::SetFixedColor(const QColor& c) {
    if (c == fixedColor_) return;
    fixedColor_ = c;
    topHeader_->viewport()->update();
    leftHeader_->viewport()->update();
}

void TCellGrid::SetSelectionColor(const QColor& c) {
    if (c == selectionColor_) return;
    selectionColor_ = c;
    viewport()->update();
}

void TCellGrid::SetSelectionTextColor(const QColor& c) {
    if (c == selectionTextColor_) return;
    selectionTextColor_ = c;
    viewport()->update();
}

void TCellGrid::SetVAlignment(TVAlignment a) {
    if (a == vAlignment_) return;
    vAlignment_ = a;
    viewport()->update();
    topHeader_->viewport()->update();
    leftHeader_->viewport()->update();
}

void TCellGrid::SetColumnHeaders(const QStringList& headers) {
    columnHeaders_ = headers;
    ApplyHeaders();
}

void TCellGrid::ApplyHeaders() {
    if (fixedRows_ <= 0) return;
    for (int i = 0; i < columnHeaders_.size() && i < colCount_; ++i)
        SetCellText(i, 0, columnHeaders_[i]);
}

// --- cells ------------------------------------------------------------------

QString TCellGrid::CellText(int col, int row) const {
    const auto it = texts_.find({row, col});
    return it == texts_.end() ? QString() : it->second;
}

void TCellGrid::SetCellText(int col, int row, const QString& text) {
    if (col < 0 || row < 0 || CellText(col, row) == text) return;
    if (text.isEmpty())
        texts_.erase({row, col});
    else
        texts_[{row, col}] = text;
    RepaintCell(col, row);
}

const TCellProperties* TCellGrid::PropertiesIfAny(int col, int row) const {
    const auto it = properties_.find({row, col});
    return it == properties_.end() ? nullptr : it->second.get();
}

TCellProperties& TCellGrid::Properties(int col, int row) {
    auto& p = properties_[{row, col}];
    if (!p) p = std::make_unique<TCellProperties>();
    return *p;
}

bool TCellGrid::HasCellProperties(int col, int row) const {
    return PropertiesIfAny(col, row) != nullptr;
}

TColor TCellGrid::CellFontColor(int col, int row) const {
    const TCellProperties* p = PropertiesIfAny(col, row);
    return p ? p->FontColor : clNone;
}

void TCellGrid::SetCellFontColor(int col, int row, TColor color) {
    if (col < 0 || row < 0) return;
    TCellProperties& p = Properties(col, row);
    if (p.FontColor == color) return;
    p.FontColor = color;
    RepaintCell(col, row);
}

TAlignment TCellGrid::CellAlignment(int col, int row) const {
    const TCellProperties* p = PropertiesIfAny(col, row);
    return p ? p->Alignment : TAlignment::taLeftJustify;
}

void TCellGrid::SetCellAlignment(int col, int row, TAlignment alignment) {
    if (col < 0 || row < 0) return;
    TCellProperties& p = Properties(col, row);
    if (p.Alignment == alignment) return;
    p.Alignment = alignment;
    RepaintCell(col, row);
}

void TCellGrid::RepaintCell(int col, int row) {
    if (col >= colCount_ || row >= rowCount_) return; // not shown
    if (row < fixedRows_ && col < fixedCols_) {
        if (auto* coin = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
            coin->update();
    } else if (row < fixedRows_) {
        topHeader_->viewport()->update();
    } else if (col < fixedCols_) {
        leftHeader_->viewport()->update();
    } else {
        update(IndexOf(col, row));
    }
}

void TCellGrid::NumberColumn(int col) {
    for (int r = fixedRows_; r < rowCount_; ++r)
        SetCellText(col, r, QString::number(r - fixedRows_ + 1));
}

// Row `from` goes to `to` (to >= from); the rows between move up by one.
template <class Value> void TCellGrid::MoveRow(std::map<Key, Value>& cells, int from, int to) {
    std::map<Key, Value> moved;
    for (auto it = cells.lower_bound({from, INT_MIN});
         it != cells.end() && it->first.first <= to;) {
        const int r = it->first.first;
        const int c = it->first.second;
        moved.emplace(Key{r == from ? to : r - 1, c}, std::move(it->second));
        it = cells.erase(it);
    }
    for (auto& [key, value] : moved)
        cells.emplace(key, std::move(value));
}

void TCellGrid::DeleteRows(int row, int count) {
    const int first = std::max(row, fixedRows_);
    const long long fin = std::min<long long>(static_cast<long long>(row) + count, rowCount_);
    if (count <= 0 || first >= fin) return;
    const int nombre = static_cast<int>(fin - first);
    HideEditor();

    const int memorise = currentRow_;
    for (auto it = properties_.begin(); it != properties_.end();) {
        const int r = it->first.first;
        if (r >= first && r < first + nombre)
            it = properties_.erase(it);
        else
            ++it;
    }

    int courant = currentRow_;
    {
        const QScopedValueRollback silence(silent_, true);
        for (int k = 0; k < nombre; ++k) {
            const int last = rowCount_ - 1;
            model_->StartRowRemoval(first - fixedRows_, first - fixedRows_);
            MoveRow(texts_, first, last);
            MoveRow(properties_, first, last);
            if (courant == first) courant = last;
            --rowCount_;
            model_->EndRowRemoval();
            if (courant >= rowCount_) courant = std::max(rowCount_ - 1, fixedRows_);
        }
        ApplySizes();
        PlaceCurrent(currentCol_, courant);
    }
    if (memorise < rowCount_) ChooseCurrent(currentCol_, memorise);
}

// --- current cell -----------------------------------------------------------

void TCellGrid::PlaceCurrent(int col, int row) {
    const QScopedValueRollback silence(silent_, true);
    currentCol_ = col;
    currentRow_ = row;
    const QModelIndex index = IndexOf(col, row);
    if (index.isValid())
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    else
        selectionModel()->clear();
    viewport()->update();
}

void TCellGrid::ChooseCurrent(int col, int row) {
    if (col == currentCol_ && row == currentRow_) return;
    PlaceCurrent(col, row);
    emit OnClick();
}

void TCellGrid::SetCurrentCell(int col, int row) {
    if (col < fixedCols_ || row < fixedRows_ || col >= colCount_ || row >= rowCount_) return;
    ChooseCurrent(col, row);
}

void TCellGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!current.isValid()) return;
    const int col = current.column() + fixedCols_;
    const int row = current.row() + fixedRows_;
    if (col == currentCol_ && row == currentRow_) return;
    currentCol_ = col;
    currentRow_ = row;
    if (!silent_) Protege([this] { emit OnClick(); });
}

// --- editing ----------------------------------------------------------------

void TCellGrid::OpenEditor(const QString& firstKey) {
    if (!(options_ & goEditing) || EditorMode()) return;
    const QModelIndex index = IndexOf(currentCol_, currentRow_);
    if (!index.isValid()) return;
    const int col = currentCol_;
    const int row = currentRow_;
    TEditorType type = TEditorType::edNormal;
    emit OnGetEditorType(col, row, type);
    if (type == TEditorType::edSpinEdit) {
        const QString text = CellText(col, row);
        std::int32_t value = 0;
        if (!text.isEmpty() && Val(text.toStdString(), value) != 0)
            throw EInvalidGridOperation("Cell does not contain integer value");
        spin_->SetValue(value);
        QPalette palette = spin_->palette();
        palette.setColor(QPalette::Base, color_);
        spin_->setPalette(palette);
    }
    openingType_ = type;
    edit(index);
    QWidget* editeur = Editor();
    if (!editeur) return;
    if (editeur == spin_) spin_->selectAll();
    if (!firstKey.isEmpty()) {
        QKeyEvent touche(QEvent::KeyPress, 0, Qt::NoModifier, firstKey);
        QCoreApplication::sendEvent(editeur, &touche);
    }
}

void TCellGrid::ShowEditor() {
    OpenEditor(QString());
}

void TCellGrid::HideEditor() {
    QWidget* editeur = Editor();
    if (!editeur) return;
    commitData(editeur);
    closeEditor(editeur, QAbstractItemDelegate::NoHint);
}

bool TCellGrid::EditorMode() const {
    return Editor() != nullptr;
}

QWidget* TCellGrid::Editor() const {
    return editor_.data();
}

// --- input ------------------------------------------------------------------

void TCellGrid::mousePressEvent(QMouseEvent* event) {
    Protege([&] {
        const QModelIndex index = indexAt(event->position().toPoint());
        // Only the left button moves the current cell or opens the editor:
        // a right or middle press on a cell leaves everything as it was.
        if (event->button() != Qt::LeftButton && index.isValid()) {
            event->accept();
            return;
        }
        if (!index.isValid()) {
            QTableView::mousePressEvent(event);
            return;
        }
        const bool dejaCourant = index.column() + fixedCols_ == currentCol_ &&
                                 index.row() + fixedRows_ == currentRow_ && index == currentIndex();
        {
            const QScopedValueRollback silence(silent_, true);
            QTableView::mousePressEvent(event);
        }
        if (dejaCourant) OpenEditor(QString());
        emit OnClick();
    });
}

void TCellGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void TCellGrid::keyPressEvent(QKeyEvent* event) {
    Protege([&] {
        const int touche = event->key();
        const bool sansModificateur =
            !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (touche == Qt::Key_F2 || touche == Qt::Key_Return || touche == Qt::Key_Enter) {
            event->accept();
            OpenEditor(QString());
            return;
        }
        const QString text = event->text();
        if (sansModificateur && !text.isEmpty() && text.at(0).isPrint()) {
            // Typing starts editing; the grid does no incremental search.
            event->accept();
            OpenEditor(text);
            return;
        }
        QTableView::keyPressEvent(event);
    });
}

bool TCellGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && fixedRows_ > 0 && fixedCols_ > 0) {
        if (auto* coin = qobject_cast<QWidget*>(watched);
            coin && qobject_cast<QAbstractButton*>(coin) && coin->parentWidget() == this) {
            QPainter p(coin);
            PaintCell(p, coin->rect(), 0, 0, false);
            return true;
        }
    }
    return QTableView::eventFilter(watched, event);
}

// --- painting ---------------------------------------------------------------

void TCellGrid::PaintCell(QPainter& p, const QRect& rect, int col, int row, bool selected) const {
    const bool fixe = IsFixed(col, row);
    const TCellProperties* props = PropertiesIfAny(col, row);
    QColor fond = color_;
    QColor text;
    if (props && props->FontColor != clNone) text = VersQColor(props->FontColor);
    if (fixe) {
        // The fixed style, then the cell's own text colour over it.
        fond = fixedColor_;
        text = palette().color(QPalette::WindowText);
        if (props && props->FontColor != clNone) text = VersQColor(props->FontColor);
    } else if (selected) {
        fond = selectionColor_;
        text = selectionTextColor_;
    }
    if (!text.isValid()) text = palette().color(QPalette::Text);

    p.fillRect(rect, fond);

    const int l = std::max(0, gridLineWidth_);
    const bool vert = (options_ & (fixe ? goFixedVertLine : goVertLine)) != 0;
    const bool horz = (options_ & (fixe ? goFixedHorzLine : goHorzLine)) != 0;
    if (l > 0 && vert)
        p.fillRect(QRect(rect.right() - l + 1, rect.top(), l, rect.height()), gridLineColor_);
    if (l > 0 && horz)
        p.fillRect(QRect(rect.left(), rect.bottom() - l + 1, rect.width(), l), gridLineColor_);

    const QString contenu = CellText(col, row);
    if (contenu.isEmpty()) return;
    int drapeaux = 0;
    switch (props ? props->Alignment : TAlignment::taLeftJustify) {
    case TAlignment::taLeftJustify:
        drapeaux |= Qt::AlignLeft;
        break;
    case TAlignment::taRightJustify:
        drapeaux |= Qt::AlignRight;
        break;
    case TAlignment::taCenter:
        drapeaux |= Qt::AlignHCenter;
        break;
    }
    switch (vAlignment_) {
    case TVAlignment::vtaTop:
        drapeaux |= Qt::AlignTop;
        break;
    case TVAlignment::vtaCenter:
        drapeaux |= Qt::AlignVCenter;
        break;
    case TVAlignment::vtaBottom:
        drapeaux |= Qt::AlignBottom;
        break;
    }
    const QRect zone = rect.adjusted(2, 2, -2 - (vert ? l : 0), -2 - (horz ? l : 0));
    p.setFont(fixe ? fixedFont_ : font());
    p.setPen(text);
    p.setClipRect(rect);
    p.drawText(zone, drapeaux | Qt::TextSingleLine, contenu);
}

QRect TCellGrid::CellRect(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return {};
    if (row < fixedRows_ && col < fixedCols_) {
        if (auto* coin = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
            return coin->geometry();
        return {};
    }
    if (row < fixedRows_) {
        const int s = col - fixedCols_;
        const int x = topHeader_->sectionViewportPosition(s);
        return QRect(topHeader_->geometry().left() + x, topHeader_->geometry().top(),
                     topHeader_->sectionSize(s), topHeader_->height());
    }
    if (col < fixedCols_) {
        const int s = row - fixedRows_;
        const int y = leftHeader_->sectionViewportPosition(s);
        return QRect(leftHeader_->geometry().left(), leftHeader_->geometry().top() + y,
                     leftHeader_->width(), leftHeader_->sectionSize(s));
    }
    const QRect r = visualRect(IndexOf(col, row));
    return r.translated(viewport()->geometry().topLeft());
}
