// Draw (and its stop request), Clear all, and the redraw of the whole list.
//
// The Draw button's caption is the trace state: "&Dessiner" before the first
// Draw, "Arrêter" while a slow trace started by Draw runs (a click then asks
// it to stop), "Dessiner" when idle.
#include "windows/uVolutan2.h"

#include "controls/TColorGrid.h"
#include "controls/TImage.h"
#include "controls/TUpDown.h"
#include "core/Exceptions.h"
#include "engine/Tracer.h"
#include "platform/TPrinter.h"
#include "shell/TApplication.h"

#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>

#include <exception>

namespace {
const QString Arreter = QStringLiteral("Arrêter");
const QString Dessiner = QStringLiteral("Dessiner");
} // namespace

void TfmVolutan2::btDessinerClick() {
    if (btDessiner->text() == Arreter) {
        // The stop request: the running trace ends after its next segment.
        btDessiner->setText(Dessiner);
        return;
    }
    if (Dessin.NbSpires >= MaxSpires) throw Exception("Le dessin contient déjà 31 courbes");

    // The Draw's own record: commands run during a slow trace may replace the
    // list, so the curve joins it only once traced.
    TSpire spire;
    spire.Fixe = udFixe->Position(); // 16-bit values, widened with their sign
    spire.Mobile = udMobile->Position();
    spire.Trou = udTrou->Position();
    spire.Couleur = cgCouleur->ForegroundColor();
    Dessin.Cible = &FeuilleCanvas();
    const bool lent = rbLent->isChecked();
    if (lent) btDessiner->setText(Arreter);
    Dessin.CentrerSurFeuille();

    TTraceLent lenteur;
    lenteur.Pause = [] { Application->Pause(); };
    lenteur.Arreter = [this] { return btDessiner->text() == Dessiner; };
    lenteur.Ceder = [this] {
        Image1->RequestRepaint(); // the sheet grows on screen
        Application->ProcessMessages();
    };
    Tracer(Dessin, spire, lent, lenteur);

    btDessiner->setText(Dessiner);
    // Appended to the list as it now stands: after a Clear all during the
    // trace, a list of this one curve; after an Open or the editor's OK, the
    // new list then this curve. A list filled meanwhile keeps its 31 curves.
    if (Dessin.NbSpires < MaxSpires)
        Dessin.Spires[static_cast<std::size_t>(Dessin.NbSpires++)] = spire;
    Image1->RequestRepaint();
}

void TfmVolutan2::btEffacerClick() {
    if (const std::exception_ptr erreur = EffacerTout()) std::rethrow_exception(erreur);
}

std::exception_ptr TfmVolutan2::EffacerTout() {
    try {
        PreparerFeuille();
    } catch (...) {
        // During a print job nothing was cleared: the list stays with the
        // sheet. Without a usable printer the sheet was cleared all the same,
        // and the list follows it.
        if (Printer().Printing()) throw;
        Dessin.NbSpires = 0;
        return std::current_exception();
    }
    Dessin.NbSpires = 0;
    return {};
}

void TfmVolutan2::RedessinerListe(bool rapideDemande) {
    // A click on Draw during a slow redraw makes the rest of it fast.
    bool rapide = rapideDemande;
    bool lentVu = false;
    // However the redraw ends, errors included, the sheet is shown and the
    // caption comes back as it was ("&Dessiner" keeps its accelerator).
    const auto fin = qScopeGuard([this, &lentVu, &rapide, legende = btDessiner->text()] {
        Image1->RequestRepaint();
        if (!lentVu) return;
        // A slow Draw under this redraw (an Open during its trace) goes on
        // unless the click was meant for it: then it stops too.
        btDessiner->setText(legende == Arreter && rapide ? Dessiner : legende);
    });

    TTraceLent lenteur;
    lenteur.Pause = [this, &rapide] {
        if (btDessiner->text() == Dessiner) rapide = true;
        if (!rapide) Application->Pause();
    };
    lenteur.Ceder = [this, &rapide] {
        if (rapide) return;
        Image1->RequestRepaint();
        Application->ProcessMessages();
    };

    Dessin.Cible = &FeuilleCanvas();
    Dessin.CentrerSurFeuille();
    // The list is read again after each curve: a command run during a slow
    // redraw (Clear all, Open) may have changed it.
    for (std::size_t i = 0; i < Dessin.Courbes().size(); ++i) {
        const bool lent = rbLent->isChecked() && !rapide;
        if (lent && !lentVu) {
            lentVu = true;
            btDessiner->setText(Arreter);
        }
        Tracer(Dessin, Dessin.Courbes()[i], lent, lenteur);
    }
}
