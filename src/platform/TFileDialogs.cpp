#include "platform/TFileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

std::optional<QString> MontrerDialogue(QWidget* parent, TFileDialogs::Genre genre,
                                       const QString& propose) {
    const bool enregistrer = genre == TFileDialogs::Genre::Enregistrer;
    QFileDialog dialogue(parent);
    // The toolkit's own dialog honours every option below on every desktop.
    dialogue.setOption(QFileDialog::DontUseNativeDialog);
    dialogue.setAcceptMode(enregistrer ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialogue.setFileMode(QFileDialog::AnyFile);
    if (enregistrer) dialogue.setOption(QFileDialog::DontConfirmOverwrite);
    if (propose.isEmpty()) {
        dialogue.setDirectory(QDir::currentPath());
    } else {
        const QFileInfo fichier(QDir::current(), propose);
        dialogue.setDirectory(fichier.absolutePath());
        dialogue.selectFile(fichier.fileName());
    }
    if (dialogue.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList choisis = dialogue.selectedFiles();
    if (choisis.isEmpty() || choisis.first().isEmpty()) return std::nullopt;
    return choisis.first();
}

} // namespace

void TFileDialogs::SetChoix(Choix choix) {
    choix_ = std::move(choix);
}

std::optional<QString> TFileDialogs::Choisir(QWidget* parent, Genre genre, const QString& propose) {
    std::optional<QString> choisi =
        choix_ ? choix_(genre, propose) : MontrerDialogue(parent, genre, propose);
    if (!choisi || choisi->isEmpty()) return std::nullopt;
    // A full path, as the dialog gives; its folder becomes the current one
    // (a folder that does not exist leaves the current one as it is).
    const QFileInfo fichier(QDir::current(), *choisi);
    const QString chemin = fichier.absoluteFilePath();
    QDir::setCurrent(QFileInfo(chemin).absolutePath());
    return chemin;
}

std::optional<QString> TFileDialogs::Enregistrer(QWidget* parent, const QString& nomPropose) {
    return Choisir(parent, Genre::Enregistrer, nomPropose);
}

std::optional<QString> TFileDialogs::Ouvrir(QWidget* parent) {
    std::optional<QString> choisi = Choisir(parent, Genre::Ouvrir, dernierOuvert_);
    if (choisi) dernierOuvert_ = *choisi;
    return choisi;
}
