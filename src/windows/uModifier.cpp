// The curve editor dialog: its controls, the preview and the table's events.
// The main window's command that runs it is in uVolutan2_Modifier.cpp.
#include "windows/uModifier.h"

#include "controls/TColorGrid.h"
#include "controls/TGridSpin.h"
#include "controls/TImage.h"
#include "core/Conversions.h"
#include "engine/Tracer.h"
#include "shell/Connecter.h"
#include "shell/TApplication.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>

#include <cmath>

TfmModifier* fmModifier = nullptr;

namespace {

QFont Police(const QString& famille, int hauteurPixels) {
    QFont f(famille);
    f.setPixelSize(hauteurPixels);
    return f;
}

QPushButton* Bouton(QWidget* parent, const QString& texte, int x, int y, int l, int h) {
    auto* bouton = new QPushButton(texte, parent);
    bouton->setGeometry(x, y, l, h);
    // No default button in this dialog: Enter clicks a button only while it
    // has the focus.
    bouton->setAutoDefault(true);
    return bouton;
}

} // namespace

TfmModifier::TfmModifier(QWidget* parent) : TForm(parent) {
    SetDialog(true);
    setWindowTitle(QStringLiteral("Modifier"));
    setGeometry(126, 106, LargeurClient, HauteurClient);
    setFont(Police(QStringLiteral("MS Sans Serif"), 11));
    QPalette fond = palette();
    fond.setColor(QPalette::Window, fond.color(QPalette::Button));
    setPalette(fond);

    asgSpires = new TCellGrid(this);
    asgSpires->setGeometry(24, 3, 409, 462);
    asgSpires->SetColCount(4);
    asgSpires->SetRowCount(31);
    asgSpires->SetFixedCols(1);
    asgSpires->SetFixedRows(1);
    asgSpires->SetDefaultColWidth(100);
    asgSpires->SetDefaultRowHeight(30);
    asgSpires->SetFixedColWidth(100);
    asgSpires->SetFixedRowHeight(30);
    asgSpires->setFont(Police(QStringLiteral("Tahoma"), 16));
    asgSpires->SetFixedFont(Police(QStringLiteral("Tahoma"), 11));
    asgSpires->SetGridLineWidth(1);
    asgSpires->SetGridLineColor(QColor(0xC0, 0xC0, 0xC0)); // silver
    asgSpires->SetVAlignment(TVAlignment::vtaCenter);
    asgSpires->SetSelectionColor(palette().color(QPalette::Highlight));
    asgSpires->SetSelectionTextColor(palette().color(QPalette::HighlightedText));
    asgSpires->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine |
                          goRangeSelect | goDrawFocusSelected | goEditing);
    asgSpires->SetColumnHeaders({QStringLiteral("n°"), QStringLiteral("roue fixe"),
                                 QStringLiteral("roue mobile"), QStringLiteral("n° trou")});

    btOK = Bouton(this, QStringLiteral("&OK"), 624, 496, 75, 25);
    btAnnuler = Bouton(this, QStringLiteral("&Annuler"), 536, 496, 75, 25);
    BindResult(btOK, mrOk);
    BindResult(btAnnuler, mrCancel);

    ColorGrid1 = new TColorGrid(this);
    ColorGrid1->SetGridOrdering(TGridOrdering::go8x2);
    ColorGrid1->SetBackgroundEnabled(false);
    ColorGrid1->setGeometry(24, 472, 224, 56);
    ColorGrid1->setAccessibleName(QStringLiteral("Couleur"));

    btSupprimer = Bouton(this, QStringLiteral("&Supprimer le dessin n°"), 272, 496, 161, 25);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setFocusPolicy(Qt::NoFocus); // not a tab stop
    ScrollBox1->setGeometry(440, 40, 385, 425);
    auto* contenu = new QWidget;
    Image2 = new TImage(contenu);
    Image2->setGeometry(8, 8, LargeurApercu, HauteurApercu);
    contenu->resize(8 + LargeurApercu, 8 + HauteurApercu);
    ScrollBox1->setWidget(contenu);

    lblTitre = new QLabel(QStringLiteral("Aperçu du dessin"), this);
    lblTitre->move(576, 24);
    lblTitre->adjustSize();

    setTabOrder(asgSpires, btOK);
    setTabOrder(btOK, btAnnuler);
    setTabOrder(btAnnuler, ColorGrid1);
    setTabOrder(ColorGrid1, btSupprimer);
    setTabOrder(btSupprimer, ScrollBox1);

    // Its own trap: a preview failing inside a deletion is reported and the
    // deletion still renumbers the rows (never left reading 2, 3, 4 ...).
    Connecter(asgSpires, &TCellGrid::OnClick, this, &TfmModifier::asgSpiresClick);
    Connecter(asgSpires, &TCellGrid::OnGetEditorType, this, &TfmModifier::asgSpiresGetEditorType);
    Connecter(asgSpires, &TCellGrid::OnSpinClick, this, &TfmModifier::asgSpiresSpinClick);
    Connecter(ColorGrid1, &TColorGrid::OnChange, this, &TfmModifier::ColorGrid1Change);
    Connecter(btSupprimer, &QPushButton::clicked, this, &TfmModifier::btSupprimerClick);
}

TfmModifier::~TfmModifier() = default;

void TfmModifier::setVisible(bool visible) {
    // An editor still open in the table (OK pressed with Alt+O) gives its text
    // to its cell before the dialog goes, so the read-back sees it.
    if (!visible && isVisible()) asgSpires->HideEditor();
    const bool montrer = visible && !isVisible();
    if (montrer) Centrer();
    TForm::setVisible(visible);
    // The frame is known once the window exists: centre it again with it.
    if (montrer && isVisible()) Centrer();
}

void TfmModifier::Centrer() {
    const QScreen* ecran = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!ecran) return;
    // move() places the frame's corner.
    const QRect cadre = frameGeometry();
    const QPoint coin =
        ecran->geometry().center() - QPoint((cadre.width() - 1) / 2, (cadre.height() - 1) / 2);
    if (coin != cadre.topLeft()) move(coin);
}

void TfmModifier::FormCreate() {
    asgSpires->NumberColumn(0);
    asgSpires->SetDefaultColWidth((asgSpires->width() - 50) / 3);
    asgSpires->SetColWidths(0, 30);
    for (int c = 0; c < asgSpires->ColCount(); ++c)
        for (int r = 0; r < asgSpires->RowCount(); ++r)
            asgSpires->SetCellAlignment(c, r, TAlignment::taCenter);
}

void TfmModifier::FormShow() {
    asgSpiresClick();
}

void TfmModifier::SetNombreLignes(int n) {
    nombreLignes_ = n;
}

void TfmModifier::asgSpiresClick() {
    const int n = asgSpires->CurrentRow();
    btSupprimer->setText(QStringLiteral("Supprimer le dessin n° %1").arg(n));
    lblTitre->setText(QStringLiteral("Aperçu du dessin n° %1").arg(n));
    Image2->setAccessibleDescription(lblTitre->text());
    lblTitre->adjustSize();
    if (n > nombreLignes_ || n <= 0) return;

    // The bitmap is made on first use, in device pixels of the screen the
    // dialog is on, and kept while that screen's ratio stays. Its logical size
    // stays the design's: the pixels the image covers in full (369 x 409 at
    // 1, 738 x 818 at 2, 553 x 613 at 1.5).
    const qreal ratio = Image2->devicePixelRatioF();
    const auto pixels = [ratio](int logique) {
        return static_cast<int>(std::floor(logique * ratio + 1e-9));
    };
    const int largeur = pixels(LargeurApercu);
    const int hauteur = pixels(HauteurApercu);
    if (Image2->Bitmap().Width() != largeur || Image2->Bitmap().Height() != hauteur ||
        Image2->Ratio() != ratio) {
        Image2->SetRatio(ratio);
        Image2->SetSize(largeur, hauteur);
    }
    // Shown however the drawing ends: a failed conversion leaves it white.
    const auto repeindre = qScopeGuard([this] { Image2->RequestRepaint(); });
    DessinerApercu(Image2->Bitmap(), largeur, hauteur, n, ratio);
}

void TfmModifier::DessinerApercu(TCanvas& canvas, int largeur, int hauteur, int n,
                                 double echelle) const {
    canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.SetBrushColor(0xFFFFFF);
    canvas.SetPenColor(0);
    canvas.Rectangle(0, 0, largeur, hauteur);
    canvas.SetBrushStyle(TBrushStyle::Clear);

    const std::int32_t fixe = StrToInt(asgSpires->CellText(1, n).toStdString());
    const std::int32_t mobile = StrToInt(asgSpires->CellText(2, n).toStdString());
    const std::int32_t trou = StrToInt(asgSpires->CellText(3, n).toStdString());
    const TColor couleur = asgSpires->CellFontColor(0, n);
    // One tooth = one logical pixel, about the centre, drawn at once.
    TracerApercu(canvas, fixe, mobile, trou, couleur, largeur / 2.0, hauteur / 2.0, echelle);
}

void TfmModifier::asgSpiresGetEditorType(int ACol, int, TEditorType& AEditor) {
    TGridSpin* spin = asgSpires->SpinEdit();
    if (ACol == 1 || ACol == 2) {
        spin->SetMinValue(20);
        spin->SetMaxValue(200);
    } else if (ACol == 3) {
        spin->SetMinValue(0);
        spin->SetMaxValue(100);
    } else {
        return;
    }
    AEditor = TEditorType::edSpinEdit;
}

void TfmModifier::asgSpiresSpinClick(int ACol, int ARow, int AValue, bool) {
    asgSpires->SetCellText(ACol, ARow, QString::number(AValue));
    asgSpiresClick();
}

void TfmModifier::ColorGrid1Change() {
    asgSpires->SetCellFontColor(0, asgSpires->CurrentRow(), ColorGrid1->ForegroundColor());
    asgSpiresClick();
}

void TfmModifier::btSupprimerClick() {
    if (nombreLignes_ <= 0) return;
    --nombreLignes_;
    asgSpires->DeleteRows(asgSpires->CurrentRow(), 1);
    asgSpires->NumberColumn(0);
}
