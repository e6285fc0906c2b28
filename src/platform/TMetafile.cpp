#include "platform/TMetafile.h"

#include "core/Exceptions.h"
#include "platform/TEmfPlayer.h"
#include "platform/TFichierEcriture.h"
#include "platform/TPdfWriter.h"
#include "platform/TPngWriter.h"
#include "platform/TSvgWriter.h"

#include <string_view>

namespace {

// The picture's reference sizes and frame, when all are positive.
bool Mesurable(const TEmfPlayer& lecteur) {
    const TPrinterMetrics& r = lecteur.Reference();
    return lecteur.Valide() && lecteur.LargeurCadre() > 0 && lecteur.HauteurCadre() > 0 &&
           r.HorzRes > 0 && r.VertRes > 0 && r.HorzSize > 0 && r.VertSize > 0;
}

} // namespace

bool TMetafile::Recevoir(QByteArray emf) {
    const TEmfPlayer lecteur(emf);
    if (!lecteur.Valide() || lecteur.Octets() != static_cast<std::uint64_t>(emf.size()))
        return false;
    largeurCadre_ = lecteur.LargeurCadre();
    hauteurCadre_ = lecteur.HauteurCadre();
    emf_ = std::move(emf);
    return true;
}

QByteArray TMetafile::Svg() const {
    const TEmfPlayer lecteur(emf_);
    if (!Mesurable(lecteur)) return {};
    TSvgWriter svg(lecteur.LargeurCadre(), lecteur.HauteurCadre(), lecteur.Reference());
    svg.Reserver(lecteur.Enregistrements());
    lecteur.Jouer(svg);
    return svg.Terminer();
}

QByteArray TMetafile::Pdf() const {
    const TEmfPlayer lecteur(emf_);
    if (!Mesurable(lecteur)) return {};
    TPdfWriter pdf(lecteur.LargeurCadre(), lecteur.HauteurCadre(), lecteur.Reference());
    pdf.Reserver(lecteur.Enregistrements());
    lecteur.Jouer(pdf);
    return pdf.Terminer();
}

QByteArray TMetafile::Png() const {
    const TEmfPlayer lecteur(emf_);
    if (!Mesurable(lecteur)) return {};
    TPngWriter png(lecteur.LargeurCadre(), lecteur.HauteurCadre(), lecteur.Reference());
    lecteur.Jouer(png);
    return png.Terminer();
}

void TMetafile::SaveToFile(const QString& chemin, TFormatImage format) const {
    if (Empty()) throw EInvalidGraphic("MetaFichier incorrect");
    const QByteArray octets = format == TFormatImage::Svg   ? Svg()
                              : format == TFormatImage::Pdf ? Pdf()
                                                            : Png();
    TFichierEcriture fichier(chemin);
    fichier.Ecrire(std::string_view(octets.constData(), static_cast<std::size_t>(octets.size())));
    fichier.Valider();
}
