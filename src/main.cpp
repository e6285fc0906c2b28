// Volutan2 [FILE]: creates the main window, then the curve editor, opens FILE
// after the main window's first activation, and runs the event loop until
// the main window is closed. "--help" and "--version" answer and end at once.
#include "platform/NomsFichiers.h"
#include "platform/TPrinter.h"
#include "shell/Affichage.h"
#include "shell/LigneDeCommande.h"
#include "shell/TApplication.h"
#include "windows/uModifier.h"
#include "windows/uVolutan2.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <climits>
#include <cstdio>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    if (const char* texte = TexteDemande(argc, argv))
        return std::fputs(texte, stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
    if (!AffichageGraphiqueDisponible(argc, argv)) {
        std::fputs(MessageSansAffichage, stderr);
        return 1;
    }
    if (const std::string injoignable = PlateformeInjoignable(
            argc, argv, QLibraryInfo::path(QLibraryInfo::PluginsPath).toStdString());
        !injoignable.empty()) {
        std::fputs(injoignable.c_str(), stderr);
        return 1;
    }
    // The toolkit takes its own options out of argv; what is left may name a
    // drawing, taken by its bytes (the toolkit's own list of the arguments
    // loses those that are not valid text) and made absolute here as the Open
    // dialog gives it.
    QApplication app(argc, argv);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << NomDesOctets(argv[i]);
    QString fichier = FichierDeLaLigneDeCommande(arguments);
    if (!fichier.isEmpty() && !fichier.startsWith(u'/')) {
        char dossier[PATH_MAX];
        if (::getcwd(dossier, sizeof dossier) != nullptr)
            fichier = QDir::cleanPath(NomDesOctets(dossier) + u'/' + fichier);
    }
    // The installed desktop entry and icon (packaging/), named after the
    // application's id.
    QGuiApplication::setDesktopFileName(QStringLiteral(VOLUTAN_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(VOLUTAN_ID)));

    // The toolkit's own texts (standard buttons, file dialogs) in the user's
    // language; the program's texts are French whatever the locale.
    QTranslator traductionQt;
    if (traductionQt.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traductionQt);

    TApplication application;
    application.CreateForm(fmVolutan2);
    application.CreateForm(fmModifier);
    if (!fichier.isEmpty()) fmVolutan2->OuvrirAuDemarrage(fichier);
    application.Run();

    delete fmModifier;
    delete fmVolutan2;
    TPrinter::Release();
    return 0;
}
