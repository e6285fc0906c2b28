#include "platform/TFileDialogs.h"

#include "shell/Connecter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QObject>

namespace {

std::optional<QString> MontrerDialogue(QWidget* parent, TFileDialogs::Kind kind,
                                       const QString& propose) {
    const bool enregistrer = kind == TFileDialogs::Kind::Save;
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

// The format of one of the picture dialog's filters.
TFormatImage FormatDuFiltre(const QString& filtre) {
    for (const TTypeFichierImage& type : TypesFichierImage)
        if (filtre == QLatin1String(type.Filtre)) return type.Format;
    return TypesFichierImage[0].Format;
}

std::optional<std::pair<QString, TFormatImage>> MontrerDialogueImage(QWidget* parent,
                                                                     const QString& dossier,
                                                                     const QString& propose,
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
    dialogue.setDirectory(dossier);
    dialogue.selectFile(propose);
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
                                                                     const QString& dossier,
                                                                     const QString& nomDeBase,
                                                                     TFormatImage format) {
    const QString ouvert = dossier.isEmpty() ? QDir::currentPath() : dossier;
    const QString nomPropose =
        nomDeBase + u'.' + QString::fromLatin1(TypeFichierImage(format).Extension);
    const std::optional<std::pair<QString, TFormatImage>> choisi =
        pictureChoice_ ? pictureChoice_(nomPropose, format)
                       : MontrerDialogueImage(parent, ouvert, nomPropose, format);
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

std::optional<QString> TFileDialogs::Choose(QWidget* parent, Kind kind, const QString& propose) {
    std::optional<QString> choisi =
        choice_ ? choice_(kind, propose) : MontrerDialogue(parent, kind, propose);
    if (!choisi || choisi->isEmpty()) return std::nullopt;
    // A full path, as the dialog gives; its folder becomes the current one
    // (a folder that does not exist leaves the current one as it is).
    const QFileInfo fichier(QDir::current(), *choisi);
    const QString chemin = fichier.absoluteFilePath();
    QDir::setCurrent(QFileInfo(chemin).absolutePath());
    return chemin;
}

std::optional<QString> TFileDialogs::Save(QWidget* parent, const QString& nomPropose) {
    return Choose(parent, Kind::Save, nomPropose);
}

std::optional<QString> TFileDialogs::Open(QWidget* parent, const QString& nomPropose) {
    return Choose(parent, Kind::Open, nomPropose);
}
