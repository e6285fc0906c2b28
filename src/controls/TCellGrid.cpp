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
    enteteHaut_ = new TCellGridHeader(Qt::Horizontal, *this);
    enteteGauche_ = new TCellGridHeader(Qt::Vertical, *this);
    setHorizontalHeader(enteteHaut_);
    setVerticalHeader(enteteGauche_);
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
    connect(spin_, &TGridSpin::OnPas, this, [this](int valeur, bool upDown) {
        emit OnSpinClick(currentCol_, currentRow_, valeur, upDown);
    });

    AppliquerOptions();
    AppliquerTailles();
    PlacerCourant(fixedCols_, fixedRows_);
}

TCellGrid::~TCellGrid() = default;

QModelIndex TCellGrid::IndexDe(int col, int row) const {
    return model_->index(row - fixedRows_, col - fixedCols_);
}

// --- dimensions -------------------------------------------------------------

void TCellGrid::Redimensionner(int cols, int rows) {
    HideEditor();
    const int anciennesLignes = std::max(0, rowCount_ - fixedRows_);
    const int nouvellesLignes = std::max(0, rows - fixedRows_);
    const int anciennesColonnes = std::max(0, colCount_ - fixedCols_);
    const int nouvellesColonnes = std::max(0, cols - fixedCols_);
    const QScopedValueRollback silence(silence_, true);
    if (nouvellesLignes < anciennesLignes) {
        model_->DebutRetrait(nouvellesLignes, anciennesLignes - 1);
        rowCount_ = rows;
        model_->FinRetrait();
    } else if (nouvellesLignes > anciennesLignes) {
        model_->DebutAjout(anciennesLignes, nouvellesLignes - 1);
        rowCount_ = rows;
        model_->FinAjout();
    }
    rowCount_ = rows;
    if (nouvellesColonnes < anciennesColonnes) {
        model_->DebutRetraitColonnes(nouvellesColonnes, anciennesColonnes - 1);
        colCount_ = cols;
        model_->FinRetraitColonnes();
    } else if (nouvellesColonnes > anciennesColonnes) {
        model_->DebutAjoutColonnes(anciennesColonnes, nouvellesColonnes - 1);
        colCount_ = cols;
        model_->FinAjoutColonnes();
    }
    colCount_ = cols;
    AppliquerTailles();
    PlacerCourant(std::min(currentCol_, std::max(colCount_ - 1, fixedCols_)),
                  std::min(currentRow_, std::max(rowCount_ - 1, fixedRows_)));
}

void TCellGrid::SetColCount(int n) {
    n = std::max(n, 0);
    if (n == colCount_) return;
    Redimensionner(n, rowCount_);
}

void TCellGrid::SetRowCount(int n) {
    n = std::max(n, 0);
    if (n == rowCount_) return;
    Redimensionner(colCount_, n);
}

void TCellGrid::SetFixedCols(int n) {
    n = std::clamp(n, 0, 1);
    if (n == fixedCols_) return;
    HideEditor();
    const QScopedValueRollback silence(silence_, true);
    model_->DebutRemise();
    fixedCols_ = n;
    model_->FinRemise();
    AppliquerTailles();
    PlacerCourant(std::max(currentCol_, fixedCols_), currentRow_);
}

void TCellGrid::SetFixedRows(int n) {
    n = std::clamp(n, 0, 1);
    if (n == fixedRows_) return;
    HideEditor();
    const QScopedValueRollback silence(silence_, true);
    model_->DebutRemise();
    fixedRows_ = n;
    model_->FinRemise();
    AppliquerEntetes();
    AppliquerTailles();
    PlacerCourant(currentCol_, std::max(currentRow_, fixedRows_));
}

// --- widths and heights -----------------------------------------------------

void TCellGrid::SetDefaultColWidth(int w) {
    if (w == defaultColWidth_ && colWidths_.empty()) return;
    defaultColWidth_ = w;
    colWidths_.clear();
    AppliquerTailles();
}

void TCellGrid::SetDefaultRowHeight(int h) {
    if (h == defaultRowHeight_ && rowHeights_.empty()) return;
    defaultRowHeight_ = h;
    rowHeights_.clear();
    AppliquerTailles();
}

int TCellGrid::ColWidths(int i) const {
    if (i < 0 || i >= colCount_) throw EInvalidGridOperation("Index de grille hors limites");
    const auto it = colWidths_.find(i);
    return it == colWidths_.end() ? defaultColWidth_ : it->second;
}

void TCellGrid::SetColWidths(int i, int w) {
    if (ColWidths(i) == w) return;
    colWidths_[i] = w;
    AppliquerTailles();
}

int TCellGrid::HauteurLigne(int i) const {
    const auto it = rowHeights_.find(i);
    return it == rowHeights_.end() ? defaultRowHeight_ : it->second;
}

void TCellGrid::SetFixedColWidth(int w) {
    fixedColWidth_ = w;
    for (int i = 0; i < fixedCols_ && i < colCount_; ++i)
        colWidths_[i] = w;
    AppliquerTailles();
}

void TCellGrid::SetFixedRowHeight(int h) {
    fixedRowHeight_ = h;
    for (int i = 0; i < fixedRows_ && i < rowCount_; ++i)
        rowHeights_[i] = h;
    AppliquerTailles();
}

void TCellGrid::AppliquerTailles() {
    enteteHaut_->setDefaultSectionSize(std::max(0, defaultColWidth_));
    for (int c = fixedCols_; c < colCount_; ++c)
        enteteHaut_->resizeSection(c - fixedCols_, std::max(0, ColWidths(c)));
    enteteGauche_->setDefaultSectionSize(std::max(0, defaultRowHeight_));
    for (int r = fixedRows_; r < rowCount_; ++r)
        enteteGauche_->resizeSection(r - fixedRows_, std::max(0, HauteurLigne(r)));

    const bool ligneFixe = fixedRows_ > 0 && rowCount_ > 0;
    enteteHaut_->setVisible(ligneFixe);
    if (ligneFixe) enteteHaut_->setFixedHeight(std::max(0, HauteurLigne(0)));
    const bool colonneFixe = fixedCols_ > 0 && colCount_ > 0;
    enteteGauche_->setVisible(colonneFixe);
    if (colonneFixe) enteteGauche_->setFixedWidth(std::max(0, ColWidths(0)));
    updateGeometries();
    viewport()->update();
}

// --- look -------------------------------------------------------------------

void TCellGrid::SetGridLineWidth(int w) {
    if (w == gridLineWidth_) return;
    gridLineWidth_ = w;
    viewport()->update();
    enteteHaut_->viewport()->update();
    enteteGauche_->viewport()->update();
}

void TCellGrid::SetGridLineColor(const QColor& c) {
    if (c == gridLineColor_) return;
    gridLineColor_ = c;
    update();
    viewport()->update();
    enteteHaut_->viewport()->update();
    enteteGauche_->viewport()->update();
}

void TCellGrid::SetOptions(TGridOptions options) {
    if (options == options_) return;
    options_ = options;
    if (!(options_ & goEditing)) HideEditor();
    AppliquerOptions();
}

void TCellGrid::AppliquerOptions() {
    setSelectionMode((options_ & goRangeSelect) ? QAbstractItemView::ContiguousSelection
                                                : QAbstractItemView::SingleSelection);
    viewport()->update();
    enteteHaut_->viewport()->update();
    enteteGauche_->viewport()->update();
}

void TCellGrid::SetFixedFont(const QFont& f) {
    if (f == fixedFont_) return;
    fixedFont_ = f;
    enteteHaut_->viewport()->update();
    enteteGauche_->viewport()->update();
}

void TCellGrid::SetColor(const QColor& c) {
    if (c == color_) return;
    color_ = c;
    viewport()->update();
}

void TCellGrid::SetFixedColor(const QColor& c) {
    if (c == fixedColor_) return;
    fixedColor_ = c;
    enteteHaut_->viewport()->update();
    enteteGauche_->viewport()->update();
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
    enteteHaut_->viewport()->update();
    enteteGauche_->viewport()->update();
}

void TCellGrid::SetColumnHeaders(const QStringList& headers) {
    columnHeaders_ = headers;
    AppliquerEntetes();
}

void TCellGrid::AppliquerEntetes() {
    if (fixedRows_ <= 0) return;
    for (int i = 0; i < columnHeaders_.size() && i < colCount_; ++i)
        SetCellText(i, 0, columnHeaders_[i]);
}

// --- cells ------------------------------------------------------------------

QString TCellGrid::CellText(int col, int row) const {
    const auto it = textes_.find({row, col});
    return it == textes_.end() ? QString() : it->second;
}

void TCellGrid::SetCellText(int col, int row, const QString& texte) {
    if (col < 0 || row < 0 || CellText(col, row) == texte) return;
    if (texte.isEmpty())
        textes_.erase({row, col});
    else
        textes_[{row, col}] = texte;
    RepeindreCellule(col, row);
}

const TCellProperties* TCellGrid::ProprietesSiPresentes(int col, int row) const {
    const auto it = proprietes_.find({row, col});
    return it == proprietes_.end() ? nullptr : it->second.get();
}

TCellProperties& TCellGrid::Proprietes(int col, int row) {
    auto& p = proprietes_[{row, col}];
    if (!p) p = std::make_unique<TCellProperties>();
    return *p;
}

bool TCellGrid::HasCellProperties(int col, int row) const {
    return ProprietesSiPresentes(col, row) != nullptr;
}

TColor TCellGrid::CellFontColor(int col, int row) const {
    const TCellProperties* p = ProprietesSiPresentes(col, row);
    return p ? p->FontColor : clNone;
}

void TCellGrid::SetCellFontColor(int col, int row, TColor couleur) {
    if (col < 0 || row < 0) return;
    TCellProperties& p = Proprietes(col, row);
    if (p.FontColor == couleur) return;
    p.FontColor = couleur;
    RepeindreCellule(col, row);
}

TAlignment TCellGrid::CellAlignment(int col, int row) const {
    const TCellProperties* p = ProprietesSiPresentes(col, row);
    return p ? p->Alignment : TAlignment::taLeftJustify;
}

void TCellGrid::SetCellAlignment(int col, int row, TAlignment alignement) {
    if (col < 0 || row < 0) return;
    TCellProperties& p = Proprietes(col, row);
    if (p.Alignment == alignement) return;
    p.Alignment = alignement;
    RepeindreCellule(col, row);
}

void TCellGrid::RepeindreCellule(int col, int row) {
    if (col >= colCount_ || row >= rowCount_) return; // not shown
    if (row < fixedRows_ && col < fixedCols_) {
        if (auto* coin = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
            coin->update();
    } else if (row < fixedRows_) {
        enteteHaut_->viewport()->update();
    } else if (col < fixedCols_) {
        enteteGauche_->viewport()->update();
    } else {
        update(IndexDe(col, row));
    }
}

void TCellGrid::NumberColumn(int col) {
    for (int r = fixedRows_; r < rowCount_; ++r)
        SetCellText(col, r, QString::number(r - fixedRows_ + 1));
}

// Row `de` goes to `vers` (vers >= de); the rows between move up by one.
template <class Valeur>
void TCellGrid::DeplacerLigne(std::map<Cle, Valeur>& cellules, int de, int vers) {
    std::map<Cle, Valeur> deplacees;
    for (auto it = cellules.lower_bound({de, INT_MIN});
         it != cellules.end() && it->first.first <= vers;) {
        const int r = it->first.first;
        const int c = it->first.second;
        deplacees.emplace(Cle{r == de ? vers : r - 1, c}, std::move(it->second));
        it = cellules.erase(it);
    }
    for (auto& [cle, valeur] : deplacees)
        cellules.emplace(cle, std::move(valeur));
}

void TCellGrid::DeleteRows(int row, int count) {
    const int premier = std::max(row, fixedRows_);
    const long long fin = std::min<long long>(static_cast<long long>(row) + count, rowCount_);
    if (count <= 0 || premier >= fin) return;
    const int nombre = static_cast<int>(fin - premier);
    HideEditor();

    const int memorise = currentRow_;
    for (auto it = proprietes_.begin(); it != proprietes_.end();) {
        const int r = it->first.first;
        if (r >= premier && r < premier + nombre)
            it = proprietes_.erase(it);
        else
            ++it;
    }

    int courant = currentRow_;
    {
        const QScopedValueRollback silence(silence_, true);
        for (int k = 0; k < nombre; ++k) {
            const int dernier = rowCount_ - 1;
            model_->DebutRetrait(premier - fixedRows_, premier - fixedRows_);
            DeplacerLigne(textes_, premier, dernier);
            DeplacerLigne(proprietes_, premier, dernier);
            if (courant == premier) courant = dernier;
            --rowCount_;
            model_->FinRetrait();
            if (courant >= rowCount_) courant = std::max(rowCount_ - 1, fixedRows_);
        }
        AppliquerTailles();
        PlacerCourant(currentCol_, courant);
    }
    if (memorise < rowCount_) ChoisirCourant(currentCol_, memorise);
}

// --- current cell -----------------------------------------------------------

void TCellGrid::PlacerCourant(int col, int row) {
    const QScopedValueRollback silence(silence_, true);
    currentCol_ = col;
    currentRow_ = row;
    const QModelIndex index = IndexDe(col, row);
    if (index.isValid())
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    else
        selectionModel()->clear();
    viewport()->update();
}

void TCellGrid::ChoisirCourant(int col, int row) {
    if (col == currentCol_ && row == currentRow_) return;
    PlacerCourant(col, row);
    emit OnClick();
}

void TCellGrid::SetCurrentCell(int col, int row) {
    if (col < fixedCols_ || row < fixedRows_ || col >= colCount_ || row >= rowCount_) return;
    ChoisirCourant(col, row);
}

void TCellGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!current.isValid()) return;
    const int col = current.column() + fixedCols_;
    const int row = current.row() + fixedRows_;
    if (col == currentCol_ && row == currentRow_) return;
    currentCol_ = col;
    currentRow_ = row;
    if (!silence_) Protege([this] { emit OnClick(); });
}

// --- editing ----------------------------------------------------------------

void TCellGrid::Ouvrir(const QString& premiereTouche) {
    if (!(options_ & goEditing) || EditorMode()) return;
    const QModelIndex index = IndexDe(currentCol_, currentRow_);
    if (!index.isValid()) return;
    const int col = currentCol_;
    const int row = currentRow_;
    TEditorType type = TEditorType::edNormal;
    emit OnGetEditorType(col, row, type);
    if (type == TEditorType::edSpinEdit) {
        const QString texte = CellText(col, row);
        std::int32_t valeur = 0;
        if (!texte.isEmpty() && Val(texte.toStdString(), valeur) != 0)
            throw EInvalidGridOperation("Cell does not contain integer value");
        spin_->SetValue(valeur);
        QPalette palette = spin_->palette();
        palette.setColor(QPalette::Base, color_);
        spin_->setPalette(palette);
    }
    typeOuvert_ = type;
    edit(index);
    QWidget* editeur = Editor();
    if (!editeur) return;
    if (editeur == spin_) spin_->selectAll();
    if (!premiereTouche.isEmpty()) {
        QKeyEvent touche(QEvent::KeyPress, 0, Qt::NoModifier, premiereTouche);
        QCoreApplication::sendEvent(editeur, &touche);
    }
}

void TCellGrid::ShowEditor() {
    Ouvrir(QString());
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
    return editeur_.data();
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
            const QScopedValueRollback silence(silence_, true);
            QTableView::mousePressEvent(event);
        }
        if (dejaCourant) Ouvrir(QString());
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
            Ouvrir(QString());
            return;
        }
        const QString texte = event->text();
        if (sansModificateur && !texte.isEmpty() && texte.at(0).isPrint()) {
            // Typing starts editing; the grid does no incremental search.
            event->accept();
            Ouvrir(texte);
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
            PeindreCellule(p, coin->rect(), 0, 0, false);
            return true;
        }
    }
    return QTableView::eventFilter(watched, event);
}

// --- painting ---------------------------------------------------------------

void TCellGrid::PeindreCellule(QPainter& p, const QRect& rect, int col, int row,
                               bool selectionne) const {
    const bool fixe = EstFixe(col, row);
    const TCellProperties* props = ProprietesSiPresentes(col, row);
    QColor fond = color_;
    QColor texte;
    if (props && props->FontColor != clNone) texte = VersQColor(props->FontColor);
    if (fixe) {
        // The fixed style, then the cell's own text colour over it.
        fond = fixedColor_;
        texte = palette().color(QPalette::WindowText);
        if (props && props->FontColor != clNone) texte = VersQColor(props->FontColor);
    } else if (selectionne) {
        fond = selectionColor_;
        texte = selectionTextColor_;
    }
    if (!texte.isValid()) texte = palette().color(QPalette::Text);

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
    p.setPen(texte);
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
        const int x = enteteHaut_->sectionViewportPosition(s);
        return QRect(enteteHaut_->geometry().left() + x, enteteHaut_->geometry().top(),
                     enteteHaut_->sectionSize(s), enteteHaut_->height());
    }
    if (col < fixedCols_) {
        const int s = row - fixedRows_;
        const int y = enteteGauche_->sectionViewportPosition(s);
        return QRect(enteteGauche_->geometry().left(), enteteGauche_->geometry().top() + y,
                     enteteGauche_->width(), enteteGauche_->sectionSize(s));
    }
    const QRect r = visualRect(IndexDe(col, row));
    return r.translated(viewport()->geometry().topLeft());
}
