#include "platform/TMetafile.h"

#include "platform/TEmfWriter.h"

namespace {

std::uint32_t Lire32(const QByteArray& octets, qsizetype position) {
    const auto* p = reinterpret_cast<const unsigned char*>(octets.constData() + position);
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

} // namespace

bool TMetafile::Recevoir(QByteArray emf, QByteArray svg) {
    if (emf.size() < TEmfWriter::TailleEnTete || Lire32(emf, 0) != TEmfWriter::EMR_HEADER ||
        Lire32(emf, 40) != TEmfWriter::Signature ||
        Lire32(emf, 48) != static_cast<std::uint32_t>(emf.size()))
        return false;
    // rclFrame: left, top, right, bottom at 24.
    largeurCadre_ = static_cast<std::int32_t>(Lire32(emf, 32) - Lire32(emf, 24));
    hauteurCadre_ = static_cast<std::int32_t>(Lire32(emf, 36) - Lire32(emf, 28));
    emf_ = std::move(emf);
    svg_ = std::move(svg);
    return true;
}
