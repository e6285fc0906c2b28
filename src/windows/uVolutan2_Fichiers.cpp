// Save and Open: the drawing as a text file of its curve list. A file named on
// the command line, or dropped on the window, is opened as Open opens it once
// it is known not to be a picture.
#include "windows/uVolutan2.h"

#include "core/Exceptions.h"
#include "engine/FichierDessin.h"
#include "platform/NomsFichiers.h"
#include "platform/TFichierEcriture.h"
#include "platform/TFichierLecture.h"
#include "platform/TFileDialogs.h"
#include "platform/TFormatImage.h"
#include "shell/TApplication.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <climits>
#include <optional>
#include <string>

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

const char* NomFormat(TFormatImage format) {
    switch (format) {
    case TFormatImage::Svg:
        return "SVG";
    case TFormatImage::Pdf:
        return "PDF";
    case TFormatImage::Png:
        return "PNG";
    }
    return "";
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

    const std::optional<QString> choisi = TFileDialogs::Save(this, NomDesOctets(Dessin.NomFichier));
    if (!choisi) return;
    // The name is kept even when writing fails below, as the system's bytes.
    Dessin.NomFichier = OctetsDuNom(*choisi).toStdString();
    TFichierEcriture fichier(*choisi);
    fichier.Ecrire(octets);
    fichier.Valider();
    MettreAJourTitre(*choisi);
}

void TfmVolutan2::btOuvrirClick() {
    const std::optional<QString> choisi = TFileDialogs::Open(this, dernierOuvert_);
    if (!choisi) return;
    dernierOuvert_ = *choisi;
    OuvrirFichier(*choisi);
}

void TfmVolutan2::OuvrirFichier(const QString& chemin, bool rapide) {
    {
        // Closed at the end of this block, failures included. The list is
        // emptied only once the file is open; after a bad line it holds the
        // curves read before it, and nothing is traced.
        TFichierLecture fichier(chemin);
        LireDessin(
            [&fichier](char* tampon, std::size_t taille) { return fichier.Lire(tampon, taille); },
            Dessin);
    }
    RedessinerListe(rapide);
    // Open leaves NomFichier alone: the next Save proposes the drawing's own name.
    MettreAJourTitre(chemin);
}

void TfmVolutan2::OuvrirFichierExterieur(const QString& chemin, bool rapide) {
    {
        // Only the first bytes, in a file of its own closed here.
        TFichierLecture fichier(chemin);
        std::string debut(TailleDebutImage, '\0');
        std::size_t lus = 0;
        while (lus < debut.size()) {
            const std::size_t n = fichier.Lire(debut.data() + lus, debut.size() - lus);
            if (n == 0) break;
            lus += n;
        }
        debut.resize(lus);
        if (const std::optional<TFormatImage> format = FormatImageDesOctets(debut))
            throw Exception("« " + QFileInfo(chemin).fileName().toStdString() +
                            " » est une image " + NomFormat(*format) +
                            ", pas un dessin : seuls les dessins enregistrés par Volutan2 "
                            "s'ouvrent.");
    }
    OuvrirFichier(chemin, rapide);
}

QString TfmVolutan2::FichierDepose(const QMimeData* donnees) {
    if (donnees == nullptr) return {};
    for (const QUrl& adresse : donnees->urls()) {
        if (!adresse.isLocalFile()) continue;
        if (!adresse.host().isEmpty()) return adresse.toLocalFile();
        // The path's bytes percent-decoded here: toLocalFile() would lose
        // those that are not valid text (a name in another encoding).
        return NomDesOctets(
            QByteArray::fromPercentEncoding(adresse.path(QUrl::FullyEncoded).toLatin1()));
    }
    return {};
}

namespace {

// A dropped file is read, never taken: the drop is a copy (or a link), so
// the program it comes from never deletes it as after a move.
bool AccepterSansDeplacer(QDropEvent* event) {
    if (event->possibleActions() & Qt::CopyAction)
        event->setDropAction(Qt::CopyAction);
    else if (event->possibleActions() & Qt::LinkAction)
        event->setDropAction(Qt::LinkAction);
    else
        return false;
    event->accept();
    return true;
}

} // namespace

void TfmVolutan2::dragEnterEvent(QDragEnterEvent* event) {
    if (FichierDepose(event->mimeData()).isEmpty() || !AccepterSansDeplacer(event)) event->ignore();
}

void TfmVolutan2::dragMoveEvent(QDragMoveEvent* event) {
    if (FichierDepose(event->mimeData()).isEmpty() || !AccepterSansDeplacer(event)) event->ignore();
}

void TfmVolutan2::dropEvent(QDropEvent* event) {
    const QString chemin = FichierDepose(event->mimeData());
    if (chemin.isEmpty() || !AccepterSansDeplacer(event)) {
        event->ignore();
        return;
    }
    // Opened from the event loop once the drop is over, so the program it
    // comes from does not wait for the redraw.
    QMetaObject::invokeMethod(
        this, [this, chemin] { Protege([&] { OuvrirFichierExterieur(chemin); }); },
        Qt::QueuedConnection);
}
