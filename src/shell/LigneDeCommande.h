#pragma once
// The program's command line, once the toolkit has taken out the options it
// knows (-style, -platform, -display...): "Volutan2 [FILE]". Any other
// option is ignored; after "--" every argument is a name. Before the toolkit
// starts, "--help" and "--version" are answered on standard output.
#include <QString>
#include <QStringList>

// The drawing to open at start-up: the first argument after the program's
// name that is not an option (does not start with '-'), or an empty string.
// Later names are ignored.
QString FichierDeLaLigneDeCommande(const QStringList& arguments);

// What "-h", "-help" or "--help" asks (TexteAide), or "-version" or
// "--version" (TexteVersion()), the first of them before any "--" among the
// raw arguments; nullptr when neither is there and the program starts. Asked
// before the display check: the answer needs none.
const char* TexteDemande(int argc, const char* const* argv);

inline constexpr const char* TexteAide =
    "Usage : Volutan2 [options du toolkit] [FICHIER]\n"
    "Dessine des courbes d'engrenages (hypotrochoïdes). FICHIER : un dessin enregistré\n"
    "par Volutan2, ouvert au démarrage (après « -- », un nom qui commence par « - »).\n"
    "Options du toolkit (Qt) : -style NOM, -platform NOM, -display AFFICHAGE...\n"
    "  -h, --help     affiche cette aide\n"
    "  --version      affiche la version\n";

// "Volutan2 " followed by the program's version and a line end.
const char* TexteVersion();
