#include "platform/TVectorWriter.h"

#include <charconv>

QByteArray TVectorWriter::Fixed(double valeur, int decimales) {
    char tampon[64];
    const auto fin =
        std::to_chars(tampon, tampon + sizeof tampon, valeur, std::chars_format::fixed, decimales)
            .ptr;
    return QByteArray(tampon, fin - tampon);
}
