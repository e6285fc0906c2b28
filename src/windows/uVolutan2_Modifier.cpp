// The main window's Modifier command: the list goes into the editor's table,
// the editor (the dialog of uModifier.cpp) runs modally, and on OK the list is
// rebuilt from the table and redrawn.
#include "controls/TCellGrid.h"
#include "core/Conversions.h"
#include "shell/TApplication.h"
#include "windows/uModifier.h"
#include "windows/uVolutan2.h"

#include <algorithm>
#include <cstdint>
#include <exception>

void TfmVolutan2::btModifierClick() {
    TCellGrid& grille = *fmModifier->asgSpires;

    // Rows after the last curve keep what earlier showings left in them; a
    // list longer than the table goes beyond its last row, unseen.
    int r = 0;
    for (const TSpire& s : Dessin.Courbes()) {
        ++r;
        grille.SetCellText(1, r, QString::number(s.Fixe));
        grille.SetCellText(2, r, QString::number(s.Mobile));
        grille.SetCellText(3, r, QString::number(s.Trou));
        grille.SetCellFontColor(0, r, s.Couleur);
    }
    fmModifier->SetNombreLignes(Dessin.NbSpires);

    if (Application->ShowModal(*fmModifier) != mrOk) return;

    // Clear all. Without a printer the sheet is still cleared before the
    // printer's error comes: the list is then rebuilt and redrawn all the
    // same, and the error reported at the end, so the sheet shows the list.
    // During a print job it fails at once, clearing nothing: the edits are
    // not applied, the list and the sheet stay as they were.
    const std::exception_ptr erreurFeuille = EffacerTout();

    // Read back rows 1, 2 ... up to the table's last row, stopping at the
    // first row with a cell that is not an integer. Never more rows than the
    // table has (at most 30), so the 31 slots cannot overflow.
    const int derniere = std::min(grille.RowCount() - 1, MaxSpires);
    for (int n = 1; n <= derniere; ++n) {
        std::int32_t fixe = 0;
        std::int32_t mobile = 0;
        std::int32_t trou = 0;
        const bool fixeBon = Val(grille.CellText(1, n).toStdString(), fixe) == 0;
        const bool mobileBon = Val(grille.CellText(2, n).toStdString(), mobile) == 0;
        const bool trouBon = Val(grille.CellText(3, n).toStdString(), trou) == 0;
        if (!(fixeBon && mobileBon && trouBon)) break;
        Dessin.Spires[static_cast<std::size_t>(n - 1)] =
            TSpire{fixe, mobile, trou, grille.CellFontColor(0, n)};
        Dessin.NbSpires = n;
    }

    Dessin.Cible = &FeuilleCanvas();
    Dessin.ModeEcran = true;
    Dessin.CentrerSurFeuille();
    RedessinerListe();

    if (erreurFeuille) std::rethrow_exception(erreurFeuille);
}
