#include "shell/LigneDeCommande.h"

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
