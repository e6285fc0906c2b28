// Copy: the whole drawing traced again at the printer's resolution into a
// picture (EMF, from which the SVG and PNG are made) framed as a square of
// twice the drawing's extent, then placed on the clipboard. Saving the
// picture to a file (uVolutan2_Image.cpp) records the same picture.
#include "windows/uVolutan2.h"

#include "core/Exceptions.h"
#include "engine/Etendue.h"
#include "engine/Tracer.h"
#include "engine/Unites.h"
#include "platform/TClipboard.h"
#include "platform/TMetafile.h"
#include "platform/TMetafileCanvas.h"
#include "platform/TPrinter.h"

namespace {

// About how many segments the list will trace (ten per radian of each curve's
// turns), so the picture's buffers are sized once. A curve the tracer will
// refuse counts for nothing here; the tracer reports it in its turn.
std::size_t SegmentsAttendus(const TDessin& dessin) {
    std::size_t segments = 0;
    for (const TSpire& spire : dessin.Courbes()) {
        try {
            segments += 63 * static_cast<std::size_t>(Tours(spire.Fixe, spire.Mobile)) + 1;
        } catch (const Exception&) {
        }
    }
    return segments;
}

} // namespace

void TfmVolutan2::btCopierClick() {
    const TPrinterMetrics reference = ReferenceCopie();
    Clipboard().Assign(ImageCopie(Dessin, reference));
}

TPrinterMetrics TfmVolutan2::ReferenceCopie() {
    // The printer's information context, the default printer chosen now if
    // need be ("Aucune imprimante par défaut sélectionnée" otherwise, the
    // clipboard untouched). Taken before the extent, which needs the
    // printer's resolution.
    const TPrinterMetrics reference = Printer().Metrics();
    MesurerImprimanteAuBesoin(reference);
    return reference;
}

TMetafile TfmVolutan2::ImageCopie(TDessin dessin, const TPrinterMetrics& reference) {
    dessin.ModeEcran = false;
    if (!dessin.ImprimanteMesuree()) throw EPrinter("Imprimante sélectionnée incorrecte");
    TMetafile image;

    // E: the largest distance of a curve point from the centre, printer pixels
    // (|E| < 2^31 / 254, so 2E cannot overflow).
    const std::int32_t e = Etendue(dessin);
    image.SetWidth(2 * e);
    image.SetHeight(2 * e);
    {
        TMetafileCanvas canvas(image, reference); // the frame is fixed here
        canvas.Reserve(SegmentsAttendus(dessin));
        dessin.Cible = &canvas;
        // The centre in tenths of a millimetre: E * 254 in 32 bits, divided as a real.
        const double centre = static_cast<double>(Produit32(e, 254)) / dessin.ResImpX;
        dessin.CentreX = centre;
        dessin.CentreY = centre;
        for (const TSpire& spire : dessin.Courbes())
            Tracer(dessin, spire, false);
    } // the recording ends: the picture holds the drawing
    return image;
}
