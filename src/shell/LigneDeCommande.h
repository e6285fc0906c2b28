#pragma once
// The program's command line, once the toolkit has taken out the options it
// knows (-style, -platform, -display...): "Volutan2 [FILE]". Any other
// option is ignored; after "--" every argument is a name.
#include <QString>
#include <QStringList>

// The drawing to open at start-up: the first argument after the program's
// name that is not an option (does not start with '-'), or an empty string.
// Later names are ignored.
QString FichierDeLaLigneDeCommande(const QStringList& arguments);
