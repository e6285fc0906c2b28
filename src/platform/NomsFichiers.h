#pragma once
// File names as the system holds them, bytes, carried in a QString and back
// without loss. Bytes that form valid UTF-8 are decoded; each byte that does
// not (a name made in another encoding, "dessin-\xe9.txt") becomes the lone
// code unit U+DC00 + byte, U+DC80 to U+DCFF, which no decoded text holds.
// So OctetsDuNom(NomDesOctets(b)) == b for any bytes b, and a name that is
// valid text passes through both unchanged.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

QString NomDesOctets(QByteArrayView octets);

// The reverse: each lone U+DC80 to U+DCFF gives its byte back, the rest is
// written as UTF-8.
QByteArray OctetsDuNom(const QString& nom);

// Whether nom[i] is such a kept byte (the caption shows it escaped).
bool EstOctetGarde(const QString& nom, qsizetype i);
