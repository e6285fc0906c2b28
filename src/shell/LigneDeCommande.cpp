#include "shell/LigneDeCommande.h"

#include <string_view>

QString FichierDeLaLigneDeCommande(const QStringList& arguments) {
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (options && argument == QLatin1String("--")) {
            options = false;
        } else if (!argument.isEmpty() && (!options || !argument.startsWith(u'-'))) {
            return argument;
        }
    }
    return {};
}

const char* TexteDemande(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--") break;
        if (argument == "-h" || argument == "-help" || argument == "--help") return TexteAide;
        if (argument == "-version" || argument == "--version") return TexteVersion();
    }
    return nullptr;
}

const char* TexteVersion() {
    return "Volutan2 " VOLUTAN2_VERSION "\n";
}
