#include "platform/TEmfPlayer.h"

#include "platform/TEmfWriter.h"

#include <map>

namespace {

std::uint32_t Mot(const QByteArray& octets, qsizetype position) {
    const auto* p = reinterpret_cast<const unsigned char*>(octets.constData() + position);
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

std::int32_t Entier(const QByteArray& octets, qsizetype position) {
    return static_cast<std::int32_t>(Mot(octets, position));
}

// A pen or a brush of the handle table.
struct TObjet {
    bool stylo = false;
    TColor couleur = 0;
    TBrushStyle style = TBrushStyle::Solid;
};

} // namespace

TEmfPlayer::TEmfPlayer(QByteArray emf) : emf_(std::move(emf)) {
    if (emf_.size() < TEmfWriter::HeaderSize || Mot(emf_, 0) != TEmfWriter::EMR_HEADER ||
        Mot(emf_, 40) != TEmfWriter::Signature)
        return;
    frameWidth_ = static_cast<std::int32_t>(Mot(emf_, 32) - Mot(emf_, 24));
    frameHeight_ = static_cast<std::int32_t>(Mot(emf_, 36) - Mot(emf_, 28));
    reference_.HorzRes = Entier(emf_, 72);
    reference_.VertRes = Entier(emf_, 76);
    reference_.HorzSize = Entier(emf_, 80);
    reference_.VertSize = Entier(emf_, 84);
    size_ = Mot(emf_, 48);
    records_ = Mot(emf_, 52);
    valid_ = true;
}

void TEmfPlayer::Play(TCanvas& canvas) const {
    if (!valid_) return;
    std::map<std::uint32_t, TObjet> table;
    qsizetype p = Mot(emf_, 4); // past the header
    while (p >= 0 && emf_.size() - p >= 8) {
        const std::uint32_t type = Mot(emf_, p);
        const std::uint32_t taille = Mot(emf_, p + 4);
        if (taille < 8 || taille % 4 != 0 || taille > static_cast<std::uint64_t>(emf_.size() - p))
            return;
        auto champ = [&](int i) { return Mot(emf_, p + 8 + 4 * i); };
        auto a = [&](int champs) { return taille >= 8u + 4u * static_cast<std::uint32_t>(champs); };
        switch (type) {
        case TEmfWriter::EMR_MOVETOEX:
            if (a(2)) canvas.MoveTo(Entier(emf_, p + 8), Entier(emf_, p + 12));
            break;
        case TEmfWriter::EMR_LINETO:
            if (a(2)) canvas.LineTo(Entier(emf_, p + 8), Entier(emf_, p + 12));
            break;
        case TEmfWriter::EMR_RECTANGLE:
            if (a(4))
                canvas.Rectangle(Entier(emf_, p + 8), Entier(emf_, p + 12), Entier(emf_, p + 16),
                                 Entier(emf_, p + 20));
            break;
        case TEmfWriter::EMR_CREATEPEN:
            if (a(5)) table[champ(0)] = {true, static_cast<TColor>(champ(4)), TBrushStyle::Solid};
            break;
        case TEmfWriter::EMR_CREATEBRUSHINDIRECT:
            if (a(3))
                table[champ(0)] = {false, static_cast<TColor>(champ(2)),
                                   champ(1) == TEmfWriter::BS_NULL ? TBrushStyle::Clear
                                                                   : TBrushStyle::Solid};
            break;
        case TEmfWriter::EMR_SELECTOBJECT: {
            if (!a(1)) break;
            const std::uint32_t indice = champ(0);
            if (indice == TEmfWriter::BLACK_PEN) {
                canvas.SetPenColor(0);
            } else if (indice == TEmfWriter::WHITE_BRUSH) {
                canvas.SetBrushStyle(TBrushStyle::Solid);
                canvas.SetBrushColor(0xFFFFFF);
            } else if (const auto objet = table.find(indice); objet != table.end()) {
                if (objet->second.stylo) {
                    canvas.SetPenColor(objet->second.couleur);
                } else {
                    canvas.SetBrushStyle(objet->second.style);
                    canvas.SetBrushColor(objet->second.couleur);
                }
            }
            break;
        }
        case TEmfWriter::EMR_DELETEOBJECT:
            if (a(1)) table.erase(champ(0));
            break;
        case TEmfWriter::EMR_EOF:
            return;
        default:
            break;
        }
        p += taille;
    }
}
