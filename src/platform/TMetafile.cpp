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
    return lecteur.Valid() && lecteur.FrameWidth() > 0 && lecteur.FrameHeight() > 0 &&
           r.HorzRes > 0 && r.VertRes > 0 && r.HorzSize > 0 && r.VertSize > 0;
}

// The EMF replayed onto a writer of another format (TSvgWriter, TPdfWriter,
// TPngWriter); empty when the EMF cannot be measured.
template <class Ecrivain> QByteArray Rejouer(const QByteArray& emf) {
    const TEmfPlayer lecteur(emf);
    if (!Mesurable(lecteur)) return {};
    Ecrivain ecrivain(lecteur.FrameWidth(), lecteur.FrameHeight(), lecteur.Reference());
    if constexpr (requires { ecrivain.Reserve(std::size_t{}); })
        ecrivain.Reserve(lecteur.Records());
    lecteur.Play(ecrivain);
    return ecrivain.Finish();
}

} // namespace

bool TMetafile::LoadEmf(QByteArray emf) {
    const TEmfPlayer lecteur(emf);
    if (!lecteur.Valid() || lecteur.Size() != static_cast<std::uint64_t>(emf.size())) return false;
    frameWidth_ = lecteur.FrameWidth();
    frameHeight_ = lecteur.FrameHeight();
    emf_ = std::move(emf);
    return true;
}

QByteArray TMetafile::Svg() const {
    return Rejouer<TSvgWriter>(emf_);
}

QByteArray TMetafile::Pdf() const {
    return Rejouer<TPdfWriter>(emf_);
}

QByteArray TMetafile::Png() const {
    return Rejouer<TPngWriter>(emf_);
}

void TMetafile::SaveToFile(const QString& path, TFormatImage format) const {
    if (Empty()) throw EInvalidGraphic("MetaFichier incorrect");
    const QByteArray octets = format == TFormatImage::Svg   ? Svg()
                              : format == TFormatImage::Pdf ? Pdf()
                                                            : Png();
    TFichierEcriture fichier(path);
    fichier.Ecrire(std::string_view(octets.constData(), static_cast<std::size_t>(octets.size())));
    fichier.Valider();
}
