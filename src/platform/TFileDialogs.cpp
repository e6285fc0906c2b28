#include "platform/TFileDialogs.h"

#include "shell/Connecter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QObject>

namespace {

std::optional<QString> MontrerDialogue(QWidget* parent, TFileDialogs::Kind kind,
                                       const QString& proposed) {
    const bool enregistrer = kind == TFileDialogs::Kind::Save;
    QFileDialog dialogue(parent);
    // The toolkit's own dialog honours every option below on every desktop.
    dialogue.setOption(QFileDialog::DontUseNativeDialog);
    dialogue.setAcceptMode(enregistrer ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialogue.setFileMode(QFileDialog::AnyFile);
    if (enregistrer) dialogue.setOption(QFileDialog::DontConfirmOverwrite);
    if (proposed.isEmpty()) {
        dialogue.setDirectory(QDir::currentPath());
    } else {
        const QFileInfo fichier(QDir::current(), proposed);
        dialogue.setDirectory(fichier.absolutePath());
        dialogue.selectFile(fichier.fileName());
    }
    if (dialogue.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList choisis = dialogue.selectedFiles();
    if (choisis.isEmpty() || choisis.first().isEmpty()) return std::nullopt;
    return choisis.first();
}

// The format of one of the picture dialog's filters.
TFormatImage FormatDuFiltre(const QString& filtre) {
    for (const TTypeFichierImage& type : TypesFichierImage)
        if (filtre == QLatin1String(type.Filtre)) return type.Format;
    return TypesFichierImage[0].Format;
}

std::optional<std::pair<QString, TFormatImage>> MontrerDialogueImage(QWidget* parent,
                                                                     const QString& folder,
                                                                     const QString& proposed,
                                                                     TFormatImage format) {
    QFileDialog dialogue(parent);
    dialogue.setOption(QFileDialog::DontUseNativeDialog);
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    dialogue.setFileMode(QFileDialog::AnyFile);
    QStringList filtres;
    for (const TTypeFichierImage& type : TypesFichierImage)
        filtres << QString::fromLatin1(type.Filtre);
    dialogue.setNameFilters(filtres);
    dialogue.selectNameFilter(QString::fromLatin1(TypeFichierImage(format).Filtre));
    // The dialog adds the chosen filter's extension itself to a name without
    // one, so that its question before replacing a file is about the name
    // that will be written (and it changes the proposed name's extension
    // when the filter changes).
    auto suffixe = [&dialogue](TFormatImage f) {
        dialogue.setDefaultSuffix(QString::fromLatin1(TypeFichierImage(f).Extension));
    };
    suffixe(format);
    Connecter(&dialogue, &QFileDialog::filterSelected, &dialogue,
              [&](const QString& filtre) { suffixe(FormatDuFiltre(filtre)); });
    dialogue.setDirectory(folder);
    dialogue.selectFile(proposed);
    if (dialogue.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList choisis = dialogue.selectedFiles();
    if (choisis.isEmpty() || choisis.first().isEmpty()) return std::nullopt;
    return std::make_pair(choisis.first(), FormatDuFiltre(dialogue.selectedNameFilter()));
}

} // namespace

void TFileDialogs::SetPictureChoice(PictureChoice choice) {
    pictureChoice_ = std::move(choice);
}

std::optional<TFileDialogs::ChosenPicture> TFileDialogs::SavePicture(QWidget* parent,
                                                                     const QString& folder,
                                                                     const QString& baseName,
                                                                     TFormatImage format) {
    const QString ouvert = folder.isEmpty() ? QDir::currentPath() : folder;
    const QString proposedName =
        baseName + u'.' + QString::fromLatin1(TypeFichierImage(format).Extension);
    const std::optional<std::pair<QString, TFormatImage>> choisi =
        pictureChoice_ ? pictureChoice_(proposedName, format)
                       : MontrerDialogueImage(parent, ouvert, proposedName, format);
    if (!choisi || choisi->first.isEmpty()) return std::nullopt;
    QString chemin = QFileInfo(QDir(ouvert), choisi->first).absoluteFilePath();
    TFormatImage formatChoisi = choisi->second;
    if (!QFileInfo(chemin).fileName().contains(u'.')) {
        chemin += u'.' + QString::fromLatin1(TypeFichierImage(formatChoisi).Extension);
    } else {
        // "dessin.pdf" typed under the SVG filter is meant as a PDF: a file
        // never holds another format than its extension says.
        const QString suffixe = QFileInfo(chemin).suffix();
        for (const TTypeFichierImage& type : TypesFichierImage)
            if (suffixe.compare(QLatin1String(type.Extension), Qt::CaseInsensitive) == 0)
                formatChoisi = type.Format;
    }
    return ChosenPicture{chemin, formatChoisi};
}

void TFileDialogs::SetChoice(Choice choice) {
    choice_ = std::move(choice);
}

std::optional<QString> TFileDialogs::Choose(QWidget* parent, Kind kind, const QString& proposed) {
    std::optional<QString> choisi =
        choice_ ? choice_(kind, proposed) : MontrerDialogue(parent, kind, proposed);
    if (!choisi || choisi->isEmpty()) return std::nullopt;
    // A full path, as the dialog gives; its folder becomes the current one
    // (a folder that does not exist leaves the current one as it is).
    const QFileInfo fichier(QDir::current(), *choisi);
    const QString chemin = fichier.absoluteFilePath();
    QDir::setCurrent(QFileInfo(chemin).absolutePath());
    return chemin;
}

std::optional<QString> TFileDialogs::Save(QWidget* parent, const QString& proposedName) {
    return Choose(parent, Kind::Save, proposedName);
}

std::optional<QString> TFileDialogs::Open(QWidget* parent, const QString& proposedName) {
    return Choose(parent, Kind::Open, proposedName);
}
