// The sheet's context menu and its one command, saving the picture of the
// drawing as SVG, PDF or PNG: the Copy picture, at its true size.
#include "windows/uVolutan2.h"

#include "controls/TImage.h"
#include "core/Exceptions.h"
#include "platform/NomsFichiers.h"
#include "platform/TFileDialogs.h"
#include "platform/TMetafile.h"
#include "platform/TPrinter.h"
#include "shell/Connecter.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QScrollArea>
#include <QShortcut>

#include <optional>

namespace {

// The reference device of a picture saved where no printer can be reached:
// 600 pixels per inch on an A4 sheet less 5 mm margins (200 x 287 mm).
constexpr TPrinterMetrics ReferenceSansImprimante{600, 600, 4724, 6780, 200, 287};

} // namespace

void TfmVolutan2::CreerMenuFeuille() {
    pmFeuille = new QMenu(this);
    miEnregistrerImage = pmFeuille->addAction(QStringLiteral("Enregistrer l'image…"));
    Connecter(miEnregistrerImage, &QAction::triggered, this, &TfmVolutan2::miEnregistrerImageClick);
    // The Menu key comes as a context menu event; Shift+F10 is ours to take.
    auto* raccourci = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    raccourci->setContext(Qt::WindowShortcut);
    Connecter(raccourci, &QShortcut::activated, this, [this] {
        const QWidget* vue = ScrollBox1->viewport();
        MontrerMenuFeuille(vue->mapToGlobal(vue->rect().center()), true);
    });
}

void TfmVolutan2::MontrerMenuFeuille(const QPoint& position, bool clavier) {
    if (pmFeuille->isVisible()) return;
    pmFeuille->popup(position);
    if (clavier) pmFeuille->setActiveAction(miEnregistrerImage);
}

void TfmVolutan2::contextMenuEvent(QContextMenuEvent* event) {
    const QWidget* vue = ScrollBox1->viewport();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        MontrerMenuFeuille(vue->mapToGlobal(vue->rect().center()), true);
    } else if (vue->rect().contains(vue->mapFromGlobal(event->globalPos()))) {
        MontrerMenuFeuille(event->globalPos(), false);
    } else {
        event->ignore();
        return;
    }
    event->accept();
}

void TfmVolutan2::miEnregistrerImageClick() {
    // The picture is named after the file the caption shows, "Sans titre" before any.
    const QString nom = nomAffiche_.isEmpty() ? NomDesOctets(Dessin.NomFichier) : nomAffiche_;
    // The folder is fixed at the first showing (the current directory then);
    // each picture saved moves it, and its format is proposed next time.
    if (dossierImage_.isEmpty()) dossierImage_ = QDir::currentPath();
    const std::optional<TFileDialogs::ChosenPicture> choisi = TFileDialogs::SavePicture(
        this, dossierImage_, QFileInfo(nom).completeBaseName(), formatImage_);
    if (!choisi) return;
    dossierImage_ = QFileInfo(choisi->Path).absolutePath();
    formatImage_ = choisi->Format;

    // The reference device is the printer as Copy takes it; where there is
    // none (or it cannot be measured) the built-in one, with its resolution
    // for this picture only, so the picture is still at its true size and
    // nothing is reported.
    std::optional<TPrinterMetrics> imprimante;
    try {
        imprimante = ReferenceCopie();
        if (!Dessin.ImprimanteMesuree()) imprimante.reset();
    } catch (const EPrinter&) {
    }
    if (imprimante) {
        ImageCopie(Dessin, *imprimante).SaveToFile(choisi->Path, choisi->Format);
        return;
    }
    // The built-in reference's resolution, for this picture only.
    TDessin sansImprimante = Dessin;
    sansImprimante.ResImpX = ReferenceSansImprimante.LogPixelsX;
    sansImprimante.ResImpY = ReferenceSansImprimante.LogPixelsY;
    ImageCopie(sansImprimante, ReferenceSansImprimante).SaveToFile(choisi->Path, choisi->Format);
}
