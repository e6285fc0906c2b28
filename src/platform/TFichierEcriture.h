#pragma once
// A drawing file written whole or not at all: the bytes go to a temporary file
// beside the target, which replaces the target only once every byte is on
// disk. A failed save, a full disk or a crash leaves the previous file as it
// was. The temporary file is removed on every failure path. A target reached
// through links is replaced where the links lead; the links stay. The name is
// turned into the system's bytes by OctetsDuNom (a name opened by its bytes
// is written back to the same bytes).
#include <QByteArray>
#include <QString>

#include <string_view>

class TFichierEcriture {
public:
    // Prepares to create or replace `chemin`. Throws EFCreateError
    // "Impossible de créer le fichier %s" with `chemin` when the file cannot be
    // created there: missing folder, folder not writable, a folder of that
    // name, an existing file that cannot be written, or a name that is not a
    // regular file (a device, a pipe, a socket): nothing of it is replaced,
    // nothing written to it.
    explicit TFichierEcriture(const QString& chemin);
    // Without Valider, the target is left untouched (the temporary file goes).
    ~TFichierEcriture();
    TFichierEcriture(const TFichierEcriture&) = delete;
    TFichierEcriture& operator=(const TFichierEcriture&) = delete;

    // Appends bytes. Throws EWriteError "Erreur d'écriture dans le flux" when
    // fewer bytes than asked could be written.
    void Ecrire(std::string_view octets);
    // Writes out and replaces the target. Throws EWriteError when the bytes
    // could not all be written (disk full, size limit), EFCreateError when the
    // target could not be replaced.
    void Valider();

private:
    // Closes and removes the temporary file.
    void Abandonner();

    QString chemin_;
    QByteArray cible_;      // the name replaced, links followed
    QByteArray temporaire_; // the temporary file's name
    int fd_ = -1;           // open on temporaire_ until Valider or Abandonner
};
