#include "platform/TVectorWriter.h"

#include <charconv>

QByteArray TVectorWriter::Fixed(double value, int decimals) {
    char tampon[64];
    const auto fin =
        std::to_chars(tampon, tampon + sizeof tampon, value, std::chars_format::fixed, decimals)
            .ptr;
    return QByteArray(tampon, fin - tampon);
}
