// Print: the whole drawing traced again at the printer's resolution on one
// portrait page of the default printer, each curve about the point 105 mm
// right of and 75 mm below the printable area's top left corner.
#include "windows/uVolutan2.h"

#include "engine/TEtatDessinSauve.h"
#include "engine/Tracer.h"
#include "platform/TPrinter.h"
#include "platform/TPrinterCanvas.h"

void TfmVolutan2::btImprimerClick() {
    const TEtatDessinSauve etat(Dessin);
    TPrinter& imprimante = Printer();
    Dessin.Cible = &imprimante.Canvas();
    Dessin.ModeEcran = false;
    // Chooses the default printer if need be, makes the device context, starts
    // the document and its page ("Impression en cours" during another job).
    imprimante.BeginDoc();
    try {
        MesurerImprimanteAuBesoin(imprimante.Metrics()); // the job's device context
        Dessin.CentrerSurFeuille();
        for (const TSpire& spire : Dessin.Courbes())
            Tracer(Dessin, spire, false);
    } catch (...) {
        // A curve that cannot be traced (0 teeth) ends the command, but not
        // with the job open: the page so far is printed and the document
        // closed, so later Print and Clear all still work. The curve's error is
        // the one reported.
        etat.Restaurer();
        try {
            imprimante.EndDoc();
        } catch (...) {
            // Secondary to the error being reported.
        }
        throw;
    }
    // Events run while the document is handed over: they see the screen's
    // drawing state, never the page of a job about to close.
    etat.Restaurer();
    imprimante.EndDoc();
}

void TfmVolutan2::MesurerImprimanteAuBesoin(const TPrinterMetrics& metriques) {
    if (Dessin.ResImpX > 0 && Dessin.ResImpY > 0) return;
    Dessin.ResImpX = metriques.LogPixelsX;
    Dessin.ResImpY = metriques.LogPixelsY;
}
