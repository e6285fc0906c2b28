// Print: the whole drawing traced again at the printer's resolution on one
// portrait page of the default printer, each curve about the point 105 mm
// right of and 75 mm below the printable area's top left corner.
#include "windows/uVolutan2.h"

#include "engine/Tracer.h"
#include "platform/TPrinter.h"
#include "platform/TPrinterCanvas.h"

void TfmVolutan2::btImprimerClick() {
    TPrinter& imprimante = Printer();
    TCanvas& feuillet = imprimante.Canvas();
    // Chooses the default printer if need be, makes the device context, starts
    // the document and its page ("Impression en cours" during another job).
    imprimante.BeginDoc();
    try {
        MesurerImprimanteAuBesoin(imprimante.Metrics()); // the job's device context
        // The page is traced from a copy of the drawing: the program's drawing
        // keeps the sheet, so the events run while the document is handed
        // over see the screen's state, never the page of a closing job.
        TDessin page = Dessin;
        page.Cible = &feuillet;
        page.ModeEcran = false;
        page.CentrerSurFeuille();
        for (const TSpire& spire : page.Courbes())
            Tracer(page, spire, false);
    } catch (...) {
        // A curve that cannot be traced (0 teeth) ends the command, but not
        // with the job open: the page so far is printed and the document
        // closed, so later Print and Clear all still work. The curve's error is
        // the one reported.
        try {
            imprimante.EndDoc();
        } catch (...) {
            // Secondary to the error being reported.
        }
        throw;
    }
    imprimante.EndDoc();
}

void TfmVolutan2::MesurerImprimanteAuBesoin(const TPrinterMetrics& metriques) {
    if (Dessin.ImprimanteMesuree()) return;
    Dessin.ResImpX = metriques.LogPixelsX;
    Dessin.ResImpY = metriques.LogPixelsY;
}
