#include "controls/TUpDown.h"

#include "core/Exceptions.h"

#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace {

QToolButton* NouveauBouton(QWidget* parent, Qt::ArrowType fleche, const char* nom) {
    auto* bouton = new QToolButton(parent);
    bouton->setObjectName(QString::fromLatin1(nom));
    bouton->setArrowType(fleche);
    // One step per press, then one per repetition while held (no acceleration).
    bouton->setAutoRepeat(true);
    // The caret stays in the field while the buttons are used.
    bouton->setFocusPolicy(Qt::NoFocus);
    return bouton;
}

} // namespace

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
    up_ = NouveauBouton(this, Qt::UpArrow, "haut");
    down_ = NouveauBouton(this, Qt::DownArrow, "bas");
    // A press steps at once (a double click thus gives two steps); the
    // repetition while held emits pressed again at each tick.
    connect(up_, &QToolButton::pressed, this, [this] { Step(+1); });
    connect(down_, &QToolButton::pressed, this, [this] { Step(-1); });
    // As wide as a vertical scroll bar, one and a half arrows high.
    const int l = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    resize(l, l + l / 2);
    LayOutButtons();
    NameArrows(QString());
}

void TUpDown::NameArrows(const QString& field) {
    const QString suite = field.isEmpty() ? QString() : QStringLiteral(" ") + field;
    up_->setAccessibleName(QStringLiteral("Augmenter") + suite);
    down_->setAccessibleName(QStringLiteral("Diminuer") + suite);
}

TUpDown::~TUpDown() {
    if (associate_) associate_->removeEventFilter(this);
}

void TUpDown::SetMin(qint16 v) {
    if (v == min_) return;
    const qint16 actuel = Position();
    min_ = v;
    SetPosition(actuel); // clamps into the new range
}

void TUpDown::SetMax(qint16 v) {
    if (v == max_) return;
    const qint16 actuel = Position();
    max_ = v;
    SetPosition(actuel);
}

qint16 TUpDown::Position() const {
    const QLineEdit* field = Associate();
    if (!field) return position_;
    // A whole number in decimal, optionally signed, spaces around it allowed.
    bool ok = false;
    const qlonglong valeur = field->text().trimmed().toLongLong(&ok, 10);
    const int bas = std::min(min_, max_), haut = std::max(min_, max_);
    if (ok && valeur >= bas && valeur <= haut) position_ = static_cast<qint16>(valeur);
    return position_;
}

void TUpDown::SetPosition(qint16 v) {
    const qint16 borne = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
    // Compared with what the field shows too, so that setting the position
    // also replaces a text the user left unfinished.
    const QLineEdit* field = Associate();
    const bool affiche = !field || field->text() == QString::number(borne);
    if (borne == Position() && affiche) return;
    position_ = borne;
    ShowPosition();
}

void TUpDown::SetAssociate(QLineEdit* field) {
    if (field && parentWidget()) {
        const auto voisins = parentWidget()->findChildren<TUpDown*>(Qt::FindDirectChildrenOnly);
        for (const TUpDown* autre : voisins)
            if (autre != this && autre->Associate() == field)
                throw Exception(QStringLiteral("%1 est déjà associé avec %2")
                                    .arg(field->objectName(), autre->objectName())
                                    .toStdString());
    }
    if (associate_) associate_->removeEventFilter(this);
    associate_ = nullptr;
    if (!field || field->parentWidget() != parentWidget()) return;
    associate_ = field;
    field->installEventFilter(this);
    field->setText(QString::number(position_));
    PlaceBesideField();
}

void TUpDown::Step(int direction) {
    const qint16 actuel = Position();
    // The upper button goes towards Max, even when Max lies below Min.
    long long pas = static_cast<long long>(direction) * increment_;
    if (max_ < min_) pas = -pas;
    const int bas = std::min(min_, max_), haut = std::max(min_, max_);
    long long nouveau = actuel + pas;
    if (nouveau > haut) nouveau = wrap_ ? bas : haut;
    if (nouveau < bas) nouveau = wrap_ ? haut : bas;
    position_ = static_cast<qint16>(nouveau);
    ShowPosition();
    if (position_ != actuel)
        emit OnClick(position_ > actuel ? TUDBtnType::udUp : TUDBtnType::udDown);
}

void TUpDown::ShowPosition() {
    QLineEdit* field = Associate();
    if (!field) return;
    const QString texte = QString::number(position_);
    if (field->text() != texte) field->setText(texte);
}

void TUpDown::PlaceBesideField() {
    // Just right of the field, as high as it, keeping the buttons' width.
    const QLineEdit* field = Associate();
    if (!field) return;
    setGeometry(field->x() + field->width(), field->y(), width(), field->height());
}

void TUpDown::LayOutButtons() {
    const int moitie = height() / 2;
    up_->setGeometry(0, 0, width(), moitie);
    down_->setGeometry(0, moitie, width(), height() - moitie);
}

void TUpDown::resizeEvent(QResizeEvent*) {
    LayOutButtons();
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched != associate_ || !Associate()) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (arrowKeys_) {
            const int touche = static_cast<QKeyEvent*>(event)->key();
            if (touche == Qt::Key_Up || touche == Qt::Key_Down) {
                Step(touche == Qt::Key_Up ? +1 : -1);
                return true;
            }
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
        PlaceBesideField();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
