#include "controls/TColorGrid.h"

#include "controls/TAccessibleColorGrid.h"
#include "core/TColor.h"
#include "shell/CouleurQt.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <array>

namespace {

// The platform's default 20-colour palette without its four middle entries:
// the 8 dark colours (and silver), then grey and the 7 bright ones.
constexpr std::array<TColor, TColorGrid::ColorCount> Couleurs = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

// Their names, in the same order: the words a French speaker uses for these
// shades (the dark red is "Bordeaux", the dark cyan "Bleu canard").
constexpr std::array<const char*, TColorGrid::ColorCount> NomsCouleurs = {
    "Noir", "Bordeaux", "Vert",     "Olive", "Bleu marine", "Violet",  "Bleu canard", "Argent",
    "Gris", "Rouge",    "Vert vif", "Jaune", "Bleu",        "Fuchsia", "Cyan",        "Blanc",
};

constexpr int TextFlags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip;

bool DansPalette(int i) {
    return i >= 0 && i < TColorGrid::ColorCount;
}

} // namespace

TColorGrid::TColorGrid(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted here: no background erase before painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    resize(100, 100);
    static const bool accessible =
        (QAccessible::installFactory(&TAccessibleColorGrid::Factory), true);
    (void)accessible;
}

TColor TColorGrid::CellColor(int i) {
    return DansPalette(i) ? Couleurs[static_cast<std::size_t>(i)] : clNone;
}

QString TColorGrid::CellName(int i) {
    return DansPalette(i) ? QString::fromUtf8(NomsCouleurs[static_cast<std::size_t>(i)])
                          : QString();
}

TColor TColorGrid::MarkColor(TColor c) {
    TColor resultat = 0;
    for (int decalage : {0, 8, 16})
        if (((c >> decalage) & 0xFF) < 128) resultat |= 0xFF << decalage;
    return resultat;
}

void TColorGrid::SetGridOrdering(TGridOrdering ordering) {
    if (ordering == ordering_) return;
    ordering_ = ordering;
    const int n = static_cast<int>(ordering);
    columns_ = 16 >> n;
    rows_ = 1 << n;
    FitSize();
    update();
}

void TColorGrid::FitSize() {
    // Shrinks to whole cells, the position staying put.
    const int largeur = columns_ * (width() / columns_);
    const int hauteur = rows_ * (height() / rows_);
    if (largeur != width() || hauteur != height()) resize(largeur, hauteur);
}

void TColorGrid::resizeEvent(QResizeEvent*) {
    FitSize();
}

QRect TColorGrid::CellRect(int i) const {
    if (!DansPalette(i)) return {};
    return QRect((i % columns_) * CellWidth(), (i / columns_) * CellHeight(), CellWidth(),
                 CellHeight());
}

int TColorGrid::CellAt(QPoint p) const {
    const int cw = CellWidth();
    const int ch = CellHeight();
    if (cw <= 0 || ch <= 0) return -1;
    const int x = std::clamp(p.x(), 0, width() - 1);
    const int y = std::clamp(p.y(), 0, height() - 1);
    // A control fitted to whole cells never yields more, but a size forced
    // from outside (a layout) could leave a strip past the last cell.
    const int colonne = std::min(x / cw, columns_ - 1);
    const int ligne = std::min(y / ch, rows_ - 1);
    return ligne * columns_ + colonne;
}

QString TColorGrid::MarkText(int i) const {
    if (!DansPalette(i)) return {};
    const bool memeCellule = foregroundIndex_ == backgroundIndex_;
    if (foregroundEnabled_ && i == foregroundIndex_)
        return memeCellule && backgroundEnabled_ ? QStringLiteral("TF") : QStringLiteral("T");
    if (backgroundEnabled_ && i == backgroundIndex_)
        return memeCellule && foregroundEnabled_ ? QStringLiteral("TF") : QStringLiteral("F");
    return {};
}

void TColorGrid::SetForegroundIndex(int v) {
    if (v == foregroundIndex_ || !foregroundEnabled_) return;
    const int previous = foregroundIndex_;
    InvalidateCell(foregroundIndex_);
    foregroundIndex_ = v;
    // The new cell carries the mark; when it is the background cell too, the
    // old "F" there turns into "TF".
    InvalidateCell(v);
    InvalidateMarks();
    AnnounceSelection(previous);
    emit OnChange();
}

void TColorGrid::AnnounceSelection(int previous) {
    // Only while a screen reader listens: the interfaces are made on demand.
    if (!QAccessible::isActive()) return;
    QAccessibleInterface* liste = QAccessible::queryAccessibleInterface(this);
    if (!liste) return;
    QAccessible::State selection;
    selection.selected = true;
    for (int i : {previous, foregroundIndex_}) {
        if (QAccessibleInterface* cell = liste->child(i)) {
            QAccessibleStateChangeEvent changement(cell, selection);
            QAccessible::updateAccessibility(&changement);
        }
    }
    // The new cell alone is the selection of the list.
    if (QAccessibleInterface* cell = liste->child(foregroundIndex_)) {
        QAccessibleEvent choix(cell, QAccessible::Selection);
        QAccessible::updateAccessibility(&choix);
    }
}

void TColorGrid::SetBackgroundIndex(int v) {
    if (v == backgroundIndex_ || !backgroundEnabled_) return;
    InvalidateCell(backgroundIndex_);
    backgroundIndex_ = v;
    InvalidateCell(v);
    InvalidateMarks();
    emit OnChange();
}

void TColorGrid::SetSelection(int v) {
    if (v == selection_) return;
    InvalidateCell(selection_);
    selection_ = v;
    InvalidateCell(v);
    InvalidateMarks();
}

void TColorGrid::SetForegroundEnabled(bool enabled) {
    if (enabled == foregroundEnabled_) return;
    foregroundEnabled_ = enabled;
    InvalidateCell(foregroundIndex_);
    InvalidateMarks();
}

void TColorGrid::SetBackgroundEnabled(bool enabled) {
    if (enabled == backgroundEnabled_) return;
    backgroundEnabled_ = enabled;
    InvalidateCell(backgroundIndex_);
    InvalidateMarks();
}

void TColorGrid::SetTabStop(bool tabStop) {
    tabStop_ = tabStop;
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
}

void TColorGrid::InvalidateCell(int i) {
    if (DansPalette(i)) update(CellRect(i));
}

QRect TColorGrid::MarkRect(int i, const QString& text) const {
    return fontMetrics().boundingRect(CellRect(i), TextFlags, text).adjusted(-1, -1, 1, 1);
}

void TColorGrid::InvalidateMarks() {
    // Marks are drawn unclipped: a mark wider than its cell (a large font)
    // also needs the strip it covers outside the cell.
    for (int i : {foregroundIndex_, backgroundIndex_}) {
        const QString text = MarkText(i);
        if (text.isEmpty()) continue;
        const QRegion debord = QRegion(MarkRect(i, text)).subtracted(CellRect(i));
        if (!debord.isEmpty()) update(debord);
    }
}

void TColorGrid::PaintCell(QPainter& p, int i, bool focus) const {
    if (!DansPalette(i)) return;
    const QRect r = CellRect(i);
    // Outline in the button face, then a sunken bevel two pixels wide.
    p.fillRect(r, palette().color(QPalette::Button));
    const QColor ombre = palette().color(QPalette::Dark);
    const QColor lumiere = palette().color(QPalette::Light);
    for (int k = 1; k <= 2; ++k) {
        const int g = r.left() + k, h = r.top() + k;
        const int d = r.left() + r.width() - 1 - k, b = r.top() + r.height() - 1 - k;
        if (d < g || b < h) break;
        p.fillRect(QRect(QPoint(g, h), QPoint(d - 1, h)), ombre);
        p.fillRect(QRect(QPoint(g, h), QPoint(g, b - 1)), ombre);
        p.fillRect(QRect(QPoint(d, h), QPoint(d, b)), lumiere);
        p.fillRect(QRect(QPoint(g, b), QPoint(d, b)), lumiere);
    }
    const QRect interieur = r.adjusted(3, 3, -3, -3);
    if (interieur.isValid())
        p.fillRect(interieur, VersQColor(Couleurs[static_cast<std::size_t>(i)]));
    if (!focus) return;
    // Dotted focus rectangle that inverts what lies under it.
    const QRect f = r.adjusted(4, 4, -4, -4);
    if (!f.isValid()) return;
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Difference);
    p.setPen(Qt::white);
    for (int x = f.left(); x <= f.right(); x += 2) {
        p.drawPoint(x, f.top());
        p.drawPoint(x, f.bottom());
    }
    for (int y = f.top() + 2; y < f.bottom(); y += 2) {
        p.drawPoint(f.left(), y);
        p.drawPoint(f.right(), y);
    }
    p.restore();
}

void TColorGrid::DrawMarks(QPainter& p) const {
    p.setFont(font());
    int dejaDessinee = -1;
    for (int i : {foregroundIndex_, backgroundIndex_}) {
        const QString text = MarkText(i);
        // "TF" on a cell both sides share is drawn once.
        if (text.isEmpty() || i == dejaDessinee) continue;
        p.setPen(VersQColor(MarkColor(Couleurs[static_cast<std::size_t>(i)])));
        p.drawText(CellRect(i), TextFlags, text);
        dejaDessinee = i;
    }
}

void TColorGrid::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRegion& zone = event->region();
    // A size forced from outside may leave a strip past the whole cells.
    const QRegion reste =
        QRegion(rect()).subtracted(QRect(0, 0, columns_ * CellWidth(), rows_ * CellHeight()));
    for (const QRect& r : reste)
        p.fillRect(r, palette().color(QPalette::Button));
    for (int i = 0; i < ColorCount; ++i)
        if (zone.intersects(CellRect(i))) PaintCell(p, i, false);
    if (DansPalette(selection_) && zone.intersects(CellRect(selection_)))
        PaintCell(p, selection_, hasFocus_);
    DrawMarks(p);
}

void TColorGrid::PickCell(Qt::MouseButton button, int cell) {
    if (cell < 0) return; // too small to hold a pixel per cell
    if (button == Qt::LeftButton)
        SetForegroundIndex(cell);
    else
        SetBackgroundIndex(cell);
    SetSelection(cell);
}

void TColorGrid::mousePressEvent(QMouseEvent* event) {
    button_ = event->button();
    buttonDown_ = true;
    PickCell(button_, CellAt(event->position().toPoint()));
}

void TColorGrid::mouseMoveEvent(QMouseEvent* event) {
    // The press grabbed the pointer: moves outside the control arrive too and
    // are clamped to the edge cells.
    if (!buttonDown_) return;
    PickCell(button_, CellAt(event->position().toPoint()));
}

void TColorGrid::mouseReleaseEvent(QMouseEvent* event) {
    buttonDown_ = false;
    if (event->button() != Qt::LeftButton || rect().contains(event->position().toPoint()))
        emit OnClick();
}

void TColorGrid::keyPressEvent(QKeyEvent* event) {
    // Arrows move the keyboard cursor within the grid; T (or Space) makes its
    // cell the foreground colour, F the background colour.
    const int colonne = selection_ % columns_;
    switch (event->key()) {
    case Qt::Key_Left:
        if (colonne > 0) SetSelection(selection_ - 1);
        break;
    case Qt::Key_Right:
        if (colonne < columns_ - 1 && selection_ + 1 < ColorCount) SetSelection(selection_ + 1);
        break;
    case Qt::Key_Up:
        if (selection_ - columns_ >= 0) SetSelection(selection_ - columns_);
        break;
    case Qt::Key_Down:
        if (selection_ + columns_ < ColorCount) SetSelection(selection_ + columns_);
        break;
    case Qt::Key_T:
    case Qt::Key_Space:
        SetForegroundIndex(selection_);
        break;
    case Qt::Key_F:
        SetBackgroundIndex(selection_);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TColorGrid::focusInEvent(QFocusEvent* event) {
    hasFocus_ = true;
    InvalidateCell(selection_);
    InvalidateMarks();
    QWidget::focusInEvent(event);
}

void TColorGrid::focusOutEvent(QFocusEvent* event) {
    hasFocus_ = false;
    InvalidateCell(selection_);
    InvalidateMarks();
    QWidget::focusOutEvent(event);
}
