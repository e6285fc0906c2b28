// Volutan2 [FILE]: creates the main window, then the curve editor, opens FILE
// after the main window's first activation, and runs the event loop until
// the main window is closed. "--help" and "--version" answer and end at once.
#include "platform/TPrinter.h"
#include "shell/Affichage.h"
#include "shell/LigneDeCommande.h"
#include "shell/TApplication.h"
#include "windows/uModifier.h"
#include "windows/uVolutan2.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <string>

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
    // The toolkit takes its own options out of the command line; what is left
    // may name a drawing, made absolute here as the Open dialog gives it.
    QApplication app(argc, argv);
    QString fichier = FichierDeLaLigneDeCommande(QCoreApplication::arguments());
    if (!fichier.isEmpty()) fichier = QFileInfo(fichier).absoluteFilePath();
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
