#pragma once
// The main window: the sheet, the choice of the next curve (gears, hole,
// colour, speed) and one button per command. Its code is split by command:
//   uVolutan2.cpp             layout, start-up, sheet preparation, Quit
//   uVolutan2_Dessin.cpp      Draw and its stop, Clear all, the list redraw
//   uVolutan2_Fichiers.cpp    Save, Open
//   uVolutan2_Impression.cpp  Print
//   uVolutan2_Copie.cpp       Copy
//   uVolutan2_Modifier.cpp    Modifier: the command that runs the curve
//                             editor (the dialog itself is uModifier)
#include "engine/TDessin.h"
#include "shell/TForm.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QWidget;
class TCanvas;
class TColorGrid;
class TImage;
struct TPrinterMetrics;
class TUpDown;

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

    // The sheet image's canvas (Image1's bitmap).
    TCanvas& FeuilleCanvas();
    // The sheet preparation on this window's sheet with the run's printer and
    // the screen the window is on now (its resolution in device pixels, the
    // sheet shown at its ratio); throws the printer's error after painting the
    // sheet. Draw and the list redraws trace at the resolution of the last
    // preparation, whatever screen the window has moved to since.
    void PreparerFeuille();
    // Traces the drawing's curves on the sheet about the sheet's centre, in
    // list order. Slow when rbLent is checked (read before each curve): while it
    // runs the Draw button reads "Arrêter", and a click on it makes the rest of
    // the redraw fast, every curve still drawn; then the button reads what it
    // read before ("Dessiner" if the click also stopped a slow Draw running
    // underneath). Used by Open and by the editor's OK. Tracer errors
    // propagate (the curves before stay drawn); the sheet is repainted on
    // screen however the redraw ends.
    void RedessinerListe();
    // "Volutan2 - " + name, or "Volutan2".
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

private:
    // Print and Copy: when the last sheet preparation could not measure the
    // printer (none then), its resolution comes from `metriques`, the
    // printer's now; otherwise a printer that appears after start-up would
    // put every point at the corner.
    void MesurerImprimanteAuBesoin(const TPrinterMetrics& metriques);

    // The drawing has its own name: given by its first Save (the default
    // one, even when that Save is cancelled) and kept from then on.
    bool nomDonne_ = false;
};

extern TfmVolutan2* fmVolutan2;
