// The main window: layout, start-up, and the sheet preparation it runs.
// Draw, Clear all and the list redraw are in uVolutan2_Dessin.cpp.
#include "windows/uVolutan2.h"

#include "controls/TColorGrid.h"
#include "controls/TImage.h"
#include "controls/TUpDown.h"
#include "engine/PreparerFeuille.h"
#include "platform/NomsFichiers.h"
#include "platform/TPrinter.h"
#include "platform/TScreen.h"
#include "shell/Affichage.h"
#include "shell/Connecter.h"
#include "shell/TApplication.h"
#include "windows/TContenuDefilant.h"
#include "windows/TPanneau.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QVBoxLayout>

TfmVolutan2* fmVolutan2 = nullptr;

namespace {

// Client area of the design window (831 x 546 with its frame).
constexpr int LargeurClient = 823;
constexpr int HauteurClient = 519;
constexpr int HauteurPanneau = 69;

// The design's font, "MS Sans Serif" 8 point (11 pixels high): a sans serif
// at the same pixel height. Liberation Sans first: its widths are close to
// the design font's, so every caption fits the box the layout gives it.
QFont PoliceInterface() {
    QFont police;
    police.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Sans Serif")});
    police.setStyleHint(QFont::SansSerif);
    police.setPixelSize(11);
    return police;
}

// "Arial" bold, 19 pixels: its metric twin Liberation Sans, else a sans serif.
QFont PoliceChamp() {
    QFont police;
    police.setFamilies(
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Sans Serif")});
    police.setStyleHint(QFont::SansSerif);
    police.setPixelSize(19);
    police.setBold(true);
    return police;
}

QLabel* Etiquette(QWidget* parent, const QString& texte, int x, int y) {
    auto* label = new QLabel(texte, parent);
    label->move(x, y);
    label->adjustSize(); // labels size themselves to their caption
    return label;
}

QLineEdit* Champ(QWidget* parent, const QString& texte, const QRect& geometrie) {
    auto* champ = new QLineEdit(texte, parent);
    champ->setFont(PoliceChamp());
    champ->setGeometry(geometrie);
    return champ;
}

TUpDown* Boutons(QWidget* parent, QLineEdit* champ, qint16 min, qint16 max, qint16 position,
                 const QRect& geometrie) {
    auto* boutons = new TUpDown(parent);
    boutons->SetMax(max);
    boutons->SetMin(min);
    boutons->SetPosition(position);
    boutons->SetWrap(false);
    boutons->SetAssociate(champ);
    boutons->setGeometry(geometrie);
    return boutons;
}

// A screen reader names the field by its label (its buddy; the captions carry
// no mnemonic, so no key changes) and the arrows after it.
void Nommer(QLabel* label, QLineEdit* champ, TUpDown* boutons) {
    label->setBuddy(champ);
    QString nom = label->text();
    if (nom.endsWith(QStringLiteral(" :"))) nom.chop(2);
    boutons->NameArrows(nom);
}

QPushButton* Bouton(TPanneau* panneau, const QString& texte, int x, int y) {
    auto* bouton = new QPushButton(texte, panneau);
    bouton->setGeometry(x, y, 75, 25);
    // Enter clicks the focused button. Outside a dialog Qt has no default
    // button, so Enter elsewhere clicks none.
    bouton->setAutoDefault(true);
    panneau->AncrerADroite(bouton);
    return bouton;
}

} // namespace

TfmVolutan2::TfmVolutan2(QWidget* parent) : TForm(parent) {
    setWindowTitle(QStringLiteral("Volutan2"));
    setFont(PoliceInterface());
    move(98, 145);
    resize(LargeurClient, HauteurClient);
    // A Wayland compositor activates a new window only after its first
    // frames, or never (a start without activation): asked maximised from the
    // start there, no frame shows it small and it is maximised either way.
    if (SurWayland()) setWindowState(Qt::WindowMaximized);

    auto* panneau = new TPanneau(this, LargeurClient, HauteurPanneau);
    Panel1 = panneau;
    Label4 = Etiquette(panneau, QStringLiteral("Couleur :"), 72, 4);
    cgCouleur = new TColorGrid(panneau);
    cgCouleur->SetGridOrdering(TGridOrdering::go8x2);
    cgCouleur->SetBackgroundEnabled(false);
    cgCouleur->setGeometry(8, 17, 168, 40);
    Label1 = Etiquette(panneau, QStringLiteral("Pignon fixe :"), 182, 8);
    edFixe = Champ(panneau, QStringLiteral("133"), {182, 23, 42, 30});
    udFixe = Boutons(panneau, edFixe, 20, 200, 133, {224, 23, 15, 30});
    Label2 = Etiquette(panneau, QStringLiteral("Pignon mobile :"), 254, 8);
    edMobile = Champ(panneau, QStringLiteral("58"), {262, 23, 41, 30});
    udMobile = Boutons(panneau, edMobile, 20, 200, 58, {303, 23, 15, 30});
    Label3 = Etiquette(panneau, QStringLiteral("Trou n° :"), 350, 8);
    edTrou = Champ(panneau, QStringLiteral("25"), {342, 23, 41, 30});
    udTrou = Boutons(panneau, edTrou, 0, 100, 25, {383, 23, 15, 30});
    Nommer(Label1, edFixe, udFixe);
    Nommer(Label2, edMobile, udMobile);
    Nommer(Label3, edTrou, udTrou);
    Label4->setBuddy(cgCouleur);
    rbLent = new QRadioButton(QStringLiteral("Lent"), panneau);
    rbLent->setGeometry(408, 16, 49, 17);
    rbLent->setChecked(true);
    fbRapide = new QRadioButton(QStringLiteral("Rapide"), panneau);
    fbRapide->setGeometry(408, 34, 57, 17);
    btEnregistrer = Bouton(panneau, QStringLiteral("&Enregistrer"), 496, 8);
    btOuvrir = Bouton(panneau, QStringLiteral("&Ouvrir"), 496, 36);
    btImprimer = Bouton(panneau, QStringLiteral("&Imprimer"), 576, 8);
    btEffacer = Bouton(panneau, QStringLiteral("Effacer &tout"), 576, 36);
    btCopier = Bouton(panneau, QStringLiteral("&Copier"), 656, 8);
    btDessiner = Bouton(panneau, QStringLiteral("&Dessiner"), 656, 36);
    btModifier = Bouton(panneau, QStringLiteral("&Modifier ..."), 740, 8);
    btQuitter = Bouton(panneau, QStringLiteral("&Quitter"), 740, 36);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setFocusPolicy(Qt::NoFocus); // not a tab stop
    ScrollBox1->setWidgetResizable(false);
    auto* contenu = new TContenuDefilant;
    Image1 = new TImage(contenu);
    Image1->setGeometry(8, 8, 793, 409);
    Image1->setAccessibleDescription(QStringLiteral("Feuille de dessin"));
    contenu->Suivre(Image1);
    contenu->resize(8 + 793, 8 + 409);
    ScrollBox1->setWidget(contenu);

    // The scroll box fills what the bottom panel leaves.
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    disposition->addWidget(ScrollBox1, 1);
    disposition->addWidget(Panel1);

    // Tab order; the first tab stop, edFixe, takes the focus at the first
    // activation (the panel and the palette are no tab stops).
    QWidget* ordre[] = {edFixe,        edMobile,   edTrou,     rbLent,    fbRapide,
                        btEnregistrer, btOuvrir,   btImprimer, btEffacer, btCopier,
                        btDessiner,    btModifier, btQuitter};
    for (std::size_t i = 1; i < std::size(ordre); ++i)
        setTabOrder(ordre[i - 1], ordre[i]);
    edFixe->setFocus();

    Connecter(btDessiner, &QPushButton::clicked, this, &TfmVolutan2::btDessinerClick);
    Connecter(btEffacer, &QPushButton::clicked, this, &TfmVolutan2::btEffacerClick);
    Connecter(btImprimer, &QPushButton::clicked, this, &TfmVolutan2::btImprimerClick);
    Connecter(btCopier, &QPushButton::clicked, this, &TfmVolutan2::btCopierClick);
    Connecter(btEnregistrer, &QPushButton::clicked, this, &TfmVolutan2::btEnregistrerClick);
    Connecter(btOuvrir, &QPushButton::clicked, this, &TfmVolutan2::btOuvrirClick);
    Connecter(btModifier, &QPushButton::clicked, this, &TfmVolutan2::btModifierClick);
    Connecter(btQuitter, &QPushButton::clicked, this, &TfmVolutan2::btQuitterClick);

    CreerMenuFeuille();
    // Files dropped anywhere on the window, the fields included (they would
    // take the file's name as text).
    setAcceptDrops(true);
    for (QLineEdit* champ : {edFixe, edMobile, edTrou})
        champ->installEventFilter(this);
}

bool TfmVolutan2::eventFilter(QObject* objet, QEvent* event) {
    switch (event->type()) {
    case QEvent::ContextMenu:
        // The keyboard's request is the window's menu; a right click keeps
        // the field's own.
        if (static_cast<QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Keyboard) break;
        contextMenuEvent(static_cast<QContextMenuEvent*>(event));
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* depot = static_cast<QDropEvent*>(event);
        if (FichierDepose(depot->mimeData()).isEmpty()) break;
        if (event->type() == QEvent::DragEnter)
            dragEnterEvent(static_cast<QDragEnterEvent*>(event));
        else if (event->type() == QEvent::DragMove)
            dragMoveEvent(static_cast<QDragMoveEvent*>(event));
        else
            dropEvent(depot);
        return true;
    }
    default:
        break;
    }
    return TForm::eventFilter(objet, event);
}

TfmVolutan2::~TfmVolutan2() {
    if (fmVolutan2 == this) fmVolutan2 = nullptr;
}

void TfmVolutan2::FormCreate() {
    // Named before the preparation, whose printer may fail: without a
    // printer, Save still proposes its default names.
    Dessin.NomFichier = "Sans titre";
    PreparerFeuille();
}

void TfmVolutan2::FormActivate() {
    // Once per run, whatever focus a compositor hands back later: again, it
    // would empty the list and the sheet.
    if (activee_) return;
    activee_ = true;
    // A file named on the command line opens once this handler has run,
    // however it ends (without a printer it ends early).
    if (!fichierAuDemarrage_.isEmpty()) {
        QMetaObject::invokeMethod(
            this,
            [this, chemin = std::exchange(fichierAuDemarrage_, QString())] {
                Protege([&] { OuvrirFichierExterieur(chemin, true); });
            },
            Qt::QueuedConnection);
    }
    Dessin.ModeEcran = true;
    Dessin.NbSpires = 0;
    setWindowState(windowState() | Qt::WindowMaximized);
    Dessin.Cible = &FeuilleCanvas();
    PreparerFeuille();
}

TCanvas& TfmVolutan2::FeuilleCanvas() {
    return Image1->Canvas();
}

void TfmVolutan2::PreparerFeuille() {
    // The sheet is painted even when the printer fails; show it either way.
    const auto repeindre = qScopeGuard([this] { Image1->RequestRepaint(); });
    // The sheet in device pixels of the screen this window is on now, shown
    // at that screen's ratio: the same size on screen, one-pixel lines.
    TScreen ecran(this);
    Image1->SetRatio(ecran.Ratio());
    ::PreparerFeuille(Dessin, Printer(), ecran, *Image1);
}

namespace {

// A name as the caption shows it: a newline or another control character in
// a file's name would break the caption; it is shown escaped, as a listing of
// files shows it (\n, \r, \t, other ones \xHH). The name itself is untouched.
QString NomLisible(const QString& nom) {
    QString texte;
    for (qsizetype i = 0; i < nom.size(); ++i) {
        const QChar c = nom[i];
        if (EstOctetGarde(nom, i))
            texte += QStringLiteral("\\x%1").arg(c.unicode() - 0xDC00, 2, 16, QChar(u'0'));
        else if (c == u'\n')
            texte += QLatin1String("\\n");
        else if (c == u'\r')
            texte += QLatin1String("\\r");
        else if (c == u'\t')
            texte += QLatin1String("\\t");
        else if (c.category() == QChar::Other_Control)
            texte += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'));
        else
            texte += c;
    }
    return texte;
}

} // namespace

void TfmVolutan2::MettreAJourTitre(const QString& nomFichier) {
    nomAffiche_ = nomFichier;
    setWindowTitle(nomFichier.isEmpty() ? QStringLiteral("Volutan2")
                                        : QStringLiteral("Volutan2 - ") + NomLisible(nomFichier));
}

void TfmVolutan2::btQuitterClick() {
    // On the main window a close is the quit request.
    close();
}
