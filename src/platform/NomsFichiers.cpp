#include "platform/NomsFichiers.h"

#include <cstddef>

namespace {

// Length of the valid UTF-8 sequence that starts at p[0] (shortest form, no
// surrogate, at most U+10FFFF), 0 when there is none.
qsizetype Sequence(const unsigned char* p, qsizetype reste) {
    const unsigned char c = p[0];
    if (c < 0x80) return 1;
    qsizetype n = 0;
    unsigned char bas = 0x80;
    unsigned char haut = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) bas = 0xA0;  // shorter forms
        if (c == 0xED) haut = 0x9F; // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) bas = 0x90;
        if (c == 0xF4) haut = 0x8F; // beyond U+10FFFF
    } else {
        return 0;
    }
    if (reste < n || p[1] < bas || p[1] > haut) return 0;
    for (qsizetype k = 2; k < n; ++k)
        if (p[k] < 0x80 || p[k] > 0xBF) return 0;
    return n;
}

} // namespace

bool EstOctetGarde(const QString& nom, qsizetype i) {
    // A low surrogate after a high one is half of a character, not a byte.
    const char16_t unite = nom[i].unicode();
    return unite >= 0xDC80 && unite <= 0xDCFF && (i == 0 || !nom[i - 1].isHighSurrogate());
}

QString NomDesOctets(QByteArrayView octets) {
    const auto* p = reinterpret_cast<const unsigned char*>(octets.data());
    const qsizetype taille = octets.size();
    QString nom;
    nom.reserve(taille);
    qsizetype debut = 0; // start of the valid run not yet decoded
    for (qsizetype i = 0; i < taille;) {
        const qsizetype n = Sequence(p + i, taille - i);
        if (n > 0) {
            i += n;
            continue;
        }
        nom += QString::fromUtf8(octets.sliced(debut, i - debut));
        nom += QChar(static_cast<char16_t>(0xDC00 + p[i]));
        debut = ++i;
    }
    nom += QString::fromUtf8(octets.sliced(debut));
    return nom;
}

QByteArray OctetsDuNom(const QString& nom) {
    QByteArray octets;
    octets.reserve(nom.size());
    qsizetype debut = 0;
    for (qsizetype i = 0; i < nom.size(); ++i) {
        if (!EstOctetGarde(nom, i)) continue;
        octets += QStringView(nom).sliced(debut, i - debut).toUtf8();
        octets += static_cast<char>(nom[i].unicode() - 0xDC00);
        debut = i + 1;
    }
    octets += QStringView(nom).sliced(debut).toUtf8();
    return octets;
}
