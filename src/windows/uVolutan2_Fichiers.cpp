// Save and Open: the drawing as a text file of its curve list.
#include "windows/uVolutan2.h"

#include "engine/FichierDessin.h"
#include "platform/TFichierEcriture.h"
#include "platform/TFichierLecture.h"
#include "platform/TFileDialogs.h"

#include <QFileInfo>

#include <climits>

namespace {

// "Rosacine N.txt": relative, so in the current directory.
QString NomParDefaut(int n) {
    return QStringLiteral("Rosacine %1.txt").arg(n);
}

// For the default names a folder does not count as a file.
bool FichierExiste(const QString& nom) {
    const QFileInfo fichier(nom);
    return fichier.exists() && !fichier.isDir();
}

} // namespace

void TfmVolutan2::btEnregistrerClick() {
    const std::string octets = OctetsDessin(Dessin.Courbes());

    int n = 1;
    while (n < INT_MAX && FichierExiste(NomParDefaut(n)))
        ++n;
    // The first Save gives the drawing a default name; from then on it
    // proposes the drawing's own name, whatever that name is.
    if (!nomDonne_) {
        Dessin.NomFichier = NomParDefaut(n).toStdString();
        nomDonne_ = true;
    }

    const std::optional<QString> choisi =
        TFileDialogs::Enregistrer(this, QString::fromStdString(Dessin.NomFichier));
    if (!choisi) return;
    // The name is kept even when writing fails below.
    Dessin.NomFichier = choisi->toStdString();
    TFichierEcriture fichier(*choisi);
    fichier.Ecrire(octets);
    fichier.Valider();
    MettreAJourTitre(*choisi);
}

void TfmVolutan2::btOuvrirClick() {
    const std::optional<QString> choisi = TFileDialogs::Ouvrir(this);
    if (!choisi) return;
    {
        // Closed at the end of this block, failures included. The list is
        // emptied only once the file is open; after a bad line it holds the
        // curves read before it, and nothing is traced.
        TFichierLecture fichier(*choisi);
        LireDessin(
            [&fichier](char* tampon, std::size_t taille) { return fichier.Lire(tampon, taille); },
            Dessin);
    }
    RedessinerListe();
    // Open leaves NomFichier alone: the next Save proposes the drawing's own name.
    MettreAJourTitre(*choisi);
}
