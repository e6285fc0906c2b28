#pragma once
// The file dialogs of Save and Open: the toolkit's own dialogs with default
// settings only: no file-type filter, no default extension (a name typed
// without one stays so), no question before replacing a file, no check that
// the file exists. Confirming a dialog moves the process's current directory
// to the chosen file's folder, where relative names (the default drawing
// names) are then looked for.
//
// A plain chooser: what the run remembers between dialogs (the last file
// opened, the picture's folder and format) is the main window's, passed in.
//
// Seam for tests: SetChoice replaces the showing of a dialog by a function that
// gives the chosen name, or nothing for a cancel; everything else (the current
// directory) behaves as with a dialog.
//
// The picture's save dialog is another matter: it offers one filter per
// picture format, asks before replacing a file, and leaves the current
// directory alone (so the drawings' default names do not depend on it).
#include "platform/TFormatImage.h"

#include <QString>

#include <functional>
#include <optional>
#include <utility>

class QWidget;

class TFileDialogs {
public:
    enum class Kind { Save, Open };
    // (kind of dialog, name it proposes) -> chosen name, or nullopt to cancel.
    using Choice = std::function<std::optional<QString>(Kind kind, const QString& proposed)>;

    // Save dialog showing `proposedName` (a relative name lies in the current
    // directory). Returns the chosen file as a full path, or nullopt.
    static std::optional<QString> Save(QWidget* parent, const QString& proposedName);
    // Open dialog showing `proposedName` (the caller's: the name chosen in it
    // last time, empty at first). Returns the chosen file as a full path
    // (which may not exist), or nullopt.
    static std::optional<QString> Open(QWidget* parent, const QString& proposedName);

    // The picture's save dialog, opened in `folder` (the current directory
    // when empty), proposing `baseName` with the extension of `format`,
    // whose filter it selects. The format is the chosen filter's, unless the
    // name ends with another format's extension (any case), whose format it
    // then is; a file name without any '.' gets the format's extension.
    // Returns the full path and the format, or nullopt.
    struct ChosenPicture {
        QString Path;
        TFormatImage Format;
    };
    static std::optional<ChosenPicture> SavePicture(QWidget* parent, const QString& folder,
                                                    const QString& baseName, TFormatImage format);
    // Tests: (name proposed, format proposed) -> (name typed, format chosen), or
    // nullopt to cancel, in place of the picture's dialog.
    using PictureChoice = std::function<std::optional<std::pair<QString, TFormatImage>>(
        const QString& proposed, TFormatImage format)>;
    static void SetPictureChoice(PictureChoice choice);

    // Tests: an empty function brings the real dialogs back.
    static void SetChoice(Choice choice);

private:
    static std::optional<QString> Choose(QWidget* parent, Kind kind, const QString& proposed);

    static inline Choice choice_;
    static inline PictureChoice pictureChoice_;
};
