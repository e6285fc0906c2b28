#pragma once
// The curve editor: a modal dialog showing the curve list as a table, one
// curve per row (row r is Spires[r - 1]: number column in the curve's colour,
// then Fixe, Mobile, Trou), with a palette to recolour the current row, a
// delete button and a preview of the current row's curve.
//
// Created once at start-up and reused: the table keeps its rows, texts,
// colours and current cell between showings, the preview its picture. The
// main window's command btModifierClick (uVolutan2_Modifier.cpp) fills the
// table, sets NombreLignes and runs the dialog; the curve list itself changes
// only there, on OK.
#include "controls/TCellGrid.h"
#include "shell/TForm.h"

class QLabel;
class QPushButton;
class QScrollArea;
class TCanvas;
class TColorGrid;
class TImage;

class TfmModifier : public TForm {
    Q_OBJECT
public:
    // The dialog and its controls at their design geometry (96 dpi), hidden.
    explicit TfmModifier(QWidget* parent = nullptr);
    ~TfmModifier() override;

    // Table set-up: numbers 1.., column widths, every cell centred.
    void FormCreate() override;
    // Previews the current row.
    void FormShow() override;

    // The preview: retitles the delete button and the title with the current
    // row's number, then, for a curve row, draws its curve in Image2 (one
    // tooth = one logical pixel, about the image's centre), in device pixels
    // of the dialog's screen. A cell that is not an integer throws the
    // conversion error after the titles changed and the image was cleared; a
    // zero tooth count throws "Division par zéro".
    void asgSpiresClick();
    // The drawing part of the preview, for row n on a surface of the given
    // size in pixels: white with a one-pixel black frame, then the curve in the
    // row's colour, `echelle` pixels per tooth.
    void DessinerApercu(TCanvas& canvas, int largeur, int hauteur, int n,
                        double echelle = 1.0) const;
    // Spin bounds: 20..200 for the wheels, 0..100 for the hole.
    void asgSpiresGetEditorType(int ACol, int ARow, TEditorType& AEditor);
    // A spin step writes the value into the cell, then previews.
    void asgSpiresSpinClick(int ACol, int ARow, int AValue, bool UpDown);
    // The palette's colour goes to the current row's number, then previews.
    void ColorGrid1Change();
    // Deletes the current row while there are curve rows.
    void btSupprimerClick();

    // Number of curve rows: the list's count when the dialog was filled, less
    // one per deletion since. Bounds the preview and the delete button.
    int NombreLignes() const { return nombreLignes_; }
    void SetNombreLignes(int n);

    // Controls.
    TCellGrid* asgSpires = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btAnnuler = nullptr;
    TColorGrid* ColorGrid1 = nullptr;
    QPushButton* btSupprimer = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    TImage* Image2 = nullptr;
    QLabel* lblTitre = nullptr;

    // Client size (the design's 833 x 566 window less its frame).
    static constexpr int LargeurClient = 825;
    static constexpr int HauteurClient = 539;
    // The preview image's logical size.
    static constexpr int LargeurApercu = 369;
    static constexpr int HauteurApercu = 409;

public slots:
    // Centred on the screen whenever it is shown.
    void setVisible(bool visible) override;

private:
    // The whole window, frame included, in the middle of its screen.
    void Centrer();

    int nombreLignes_ = 0;
};

extern TfmModifier* fmModifier;
