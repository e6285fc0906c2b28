#pragma once
// A growing byte buffer for the picture writers: records are written in place
// through a pointer, without a QByteArray call per record, and the bytes are
// handed over as a QByteArray at the end without a copy.
#include <QByteArray>

#include <algorithm>
#include <cstring>
#include <utility>

class TTamponOctets {
public:
    // Capacity for `n` more bytes.
    void Reserver(qsizetype n) {
        if (taille_ + n > octets_.size()) octets_.resize(taille_ + n);
    }
    // Room for `n` more bytes, to be written at once through the pointer.
    char* Espace(qsizetype n) {
        if (taille_ + n > octets_.size())
            octets_.resize(std::max(taille_ + n, 2 * octets_.size() + 4096));
        char* p = octets_.data() + taille_;
        taille_ += n;
        return p;
    }
    // Gives back the last `n` bytes taken by Espace and not written.
    void Reculer(qsizetype n) { taille_ -= n; }
    void Ajouter(const char* texte, qsizetype n) {
        std::memcpy(Espace(n), texte, static_cast<std::size_t>(n));
    }
    void Ajouter(const QByteArray& texte) { Ajouter(texte.constData(), texte.size()); }
    void Ajouter(char c) { *Espace(1) = c; }

    char* Debut() { return octets_.data(); }
    qsizetype Taille() const { return taille_; }

    // The bytes written; the buffer is empty afterwards.
    QByteArray Prendre() {
        octets_.truncate(taille_);
        taille_ = 0;
        return std::exchange(octets_, QByteArray());
    }

private:
    QByteArray octets_; // written up to taille_, spare capacity after
    qsizetype taille_ = 0;
};
