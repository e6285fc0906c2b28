#pragma once
// The main window: the sheet, the choice of the next curve (gears, hole,
// colour, speed) and one button per command. Its code is split by command:
//   uVolutan2.cpp             layout, start-up, sheet preparation, Quit, the
//                             events that reach the fields (menu key, drops)
//   uVolutan2_Dessin.cpp      Draw and its stop, Clear all, the list redraw
//   uVolutan2_Fichiers.cpp    Save, Open, and a file named at start-up or
//                             dropped on the window
//   uVolutan2_Impression.cpp  Print
//   uVolutan2_Copie.cpp       Copy and its picture
//   uVolutan2_Image.cpp       the sheet's context menu: saving the picture
//   uVolutan2_Modifier.cpp    Modifier: the command that runs the curve
//                             editor (the dialog itself is uModifier)
#include "engine/TDessin.h"
#include "platform/TFormatImage.h"
#include "shell/TForm.h"

#include <QString>

#include <exception>

class QAction;
class QContextMenuEvent;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QPoint;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QWidget;
class TCanvas;
class TColorGrid;
class TImage;
class TMetafile;
class TUpDown;
struct TPrinterMetrics;

class TfmVolutan2 : public TForm {
    Q_OBJECT
public:
    explicit TfmVolutan2(QWidget* parent = nullptr);
    ~TfmVolutan2() override;

    void FormCreate() override;
    void FormActivate() override;

    void btDessinerClick();
    void btEffacerClick();
    void btImprimerClick();
    void btCopierClick();
    void btEnregistrerClick();
    void btOuvrirClick();
    void btModifierClick();
    void btQuitterClick();
    // The sheet's context menu: "Enregistrer l'image…".
    void miEnregistrerImageClick();

    // The Copy picture of `dessin`'s list: every curve traced again at its
    // printer's resolution (ResImpX, ResImpY) into a picture recorded against
    // `reference`, framed as a square of twice the drawing's extent (the
    // reference's whole printable area for an empty list). The trace runs on
    // this copy of the drawing, so the caller's drawing never points at the
    // picture. Throws EPrinter "Imprimante sélectionnée incorrecte" when the
    // printer's resolution is unknown.
    static TMetafile ImageCopie(TDessin dessin, const TPrinterMetrics& reference);
    // Copy's reference device: the printer's metrics (choosing the default
    // printer if need be; its EPrinter errors otherwise). When the last sheet
    // preparation could not measure the printer, ResImpX/Y are taken from
    // them.
    TPrinterMetrics ReferenceCopie();

    // Open's steps after its dialog: reads `chemin`, traces the list on the
    // sheet (fast when `rapide`, otherwise as RedessinerListe does) and sets
    // the caption. Errors propagate as for Open.
    void OuvrirFichier(const QString& chemin, bool rapide = false);
    // A file named on the command line or dropped: opened as OuvrirFichier
    // opens it, unless it is a picture (FormatImageDesOctets), which is
    // refused before anything changes with Exception "« NAME » est une image
    // SVG, pas un dessin : seuls les dessins enregistrés par Volutan2
    // s'ouvrent." (PDF, PNG), NAME without its folder. A file that cannot be
    // opened gives Open's messages.
    void OuvrirFichierExterieur(const QString& chemin, bool rapide = false);
    // A file named on the command line: opened fast, right after the first
    // activation (FormActivate), however that ends.
    void OuvrirAuDemarrage(const QString& chemin) { fichierAuDemarrage_ = chemin; }

    // The sheet image's canvas (Image1's bitmap).
    TCanvas& FeuilleCanvas();
    // The sheet preparation on this window's sheet with the run's printer and
    // the screen the window is on now (its resolution in device pixels, the
    // sheet shown at its ratio); throws the printer's error after painting the
    // sheet, or at once, painting nothing, during a print job. Draw and the
    // list redraws trace at the resolution of the last preparation, whatever
    // screen the window has moved to since.
    void PreparerFeuille();
    // Traces the drawing's curves on the sheet about the sheet's centre, in
    // list order. Slow when rbLent is checked (read before each curve): while it
    // runs the Draw button reads "Arrêter", and a click on it makes the rest of
    // the redraw fast, every curve still drawn; then the button reads what it
    // read before ("Dessiner" if the click also stopped a slow Draw running
    // underneath). Used by Open and by the editor's OK. Tracer errors
    // propagate (the curves before stay drawn); the sheet is repainted on
    // screen however the redraw ends. `rapide`: every curve fast.
    void RedessinerListe(bool rapide = false);
    // "Volutan2 - " + name (its control characters escaped), or "Volutan2".
    void MettreAJourTitre(const QString& nomFichier);

    // The program's one drawing: the curve list and the drawing state every
    // command works on. The commands reach it here, and a command run during
    // a slow trace changes the very drawing the trace reads.
    TDessin Dessin;

    // Controls, created with the window at their design geometry (96 dpi).
    QWidget* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    TColorGrid* cgCouleur = nullptr;
    QLineEdit* edFixe = nullptr;
    TUpDown* udFixe = nullptr;
    QLineEdit* edMobile = nullptr;
    TUpDown* udMobile = nullptr;
    QLineEdit* edTrou = nullptr;
    TUpDown* udTrou = nullptr;
    QRadioButton* rbLent = nullptr;
    QRadioButton* fbRapide = nullptr;
    QPushButton* btEnregistrer = nullptr;
    QPushButton* btOuvrir = nullptr;
    QPushButton* btImprimer = nullptr;
    QPushButton* btEffacer = nullptr;
    QPushButton* btCopier = nullptr;
    QPushButton* btDessiner = nullptr;
    QPushButton* btModifier = nullptr;
    QPushButton* btQuitter = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    TImage* Image1 = nullptr;
    // The sheet's context menu and its one entry.
    QMenu* pmFeuille = nullptr;
    QAction* miEnregistrerImage = nullptr;

protected:
    // The context menu: a right click on the sheet's area, or the keyboard's
    // request (Menu key, Shift+F10) anywhere in the window, the fields
    // included (eventFilter).
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Local files dropped on the window, the fields included: the first one
    // is opened as Open opens a file.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    // Print and Copy: when the last sheet preparation could not measure the
    // printer (none then), its resolution comes from `metriques`, the
    // printer's now; otherwise a printer that appears after start-up would
    // put every point at the corner.
    void MesurerImprimanteAuBesoin(const TPrinterMetrics& metriques);
    // Clear all's steps: the sheet prepared afresh, the list emptied. Returns
    // the printer's error that came after the sheet was cleared (no usable
    // printer); throws it, clearing nothing, during a print job.
    std::exception_ptr EffacerTout();

    void CreerMenuFeuille();
    // Shows the context menu at `position` (global); from the keyboard its
    // entry is active, so Enter chooses it.
    void MontrerMenuFeuille(const QPoint& position, bool clavier);
    // The first local file of a drag, or an empty string.
    static QString FichierDepose(const QMimeData* donnees);

    QString fichierAuDemarrage_;
    // The first activation has run (it runs once per run).
    bool activee_ = false;

    // The drawing has its own name: given by its first Save (the default
    // one, even when that Save is cancelled) and kept from then on.
    bool nomDonne_ = false;
    // The file the caption names (the last one saved or opened), or empty.
    QString nomAffiche_;

    // What the run remembers for the file dialogs: the file chosen last in
    // Open's dialog (proposed by the next one), and the folder and format of
    // the last picture saved (the folder empty until the picture's dialog is
    // first shown; SVG at first).
    QString dernierOuvert_;
    QString dossierImage_;
    TFormatImage formatImage_ = TypesFichierImage[0].Format;
};

extern TfmVolutan2* fmVolutan2;
