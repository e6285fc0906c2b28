#pragma once
// Linux causes of a failed file operation, as the codes of EInOutError:
//   ENOENT                                   2 "Fichier introuvable"
//   ENOENT with a missing folder, ENOTDIR,
//   ENAMETOOLONG                             3 "Nom de fichier incorrect"
//   EMFILE, ENFILE                           4 "Trop de fichiers ouverts"
//   EACCES, EPERM, EISDIR                    5 "Accès au fichier refusé"
//   any other errno e                        1000 + e, "Erreur E/S %d"
// (1000 + e keeps the other causes apart from the codes above: EIO, errno 5,
// gives "Erreur E/S 1005", not a refused access.)
#include <QString>

// The code for `errnum` raised by an operation on `chemin` (the path decides
// between a missing file, 2, and a missing folder, 3).
int CodeErreurFichier(int errnum, const QString& chemin);

// Code used for an existing name that is neither a file nor a folder (a pipe,
// a device): refused like a folder, since reading one could wait forever.
inline constexpr int CodeAccesRefuse = 5;
