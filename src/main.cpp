// Volutan2: creates the main window, then the curve editor, and runs the
// event loop until the main window is closed.
#include "platform/TPrinter.h"
#include "shell/Affichage.h"
#include "shell/TApplication.h"
#include "windows/uModifier.h"
#include "windows/uVolutan2.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

int main(int argc, char** argv) {
    if (!AffichageGraphiqueDisponible()) {
        std::fputs(MessageSansAffichage, stderr);
        return 1;
    }
    // The program reads no command line: the toolkit sees the program's name only.
    int argcQt = argc > 0 ? 1 : 0;
    QApplication app(argcQt, argv);
    // The installed desktop entry and icon (packaging/).
    QGuiApplication::setDesktopFileName(QStringLiteral("volutan2"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("volutan2")));

    // The toolkit's own texts (standard buttons, file dialogs) in the user's
    // language; the program's texts are French whatever the locale.
    QTranslator traductionQt;
    if (traductionQt.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traductionQt);

    TApplication application;
    application.CreateForm(fmVolutan2);
    application.CreateForm(fmModifier);
    application.Run();

    delete fmModifier;
    delete fmVolutan2;
    TPrinter::Release();
    return 0;
}
