#include "shell/Exceptions.h"

EConvertError EConvertError::PasEntier(const std::string& texte) {
    return EConvertError("'" + texte + "' n'est pas une valeur entière correcte");
}

EInOutError::EInOutError(int code) : Exception(MessagePourCode(code)), code_(code) {}

std::string EInOutError::MessagePourCode(int code) {
    switch (code) {
    case 2:
        return "Fichier introuvable";
    case 3:
        return "Nom de fichier incorrect";
    case 4:
        return "Trop de fichiers ouverts";
    case 5:
        return "Accès au fichier refusé";
    case 100:
        return "Lecture au-delà de la fin de fichier";
    case 101:
        return "Disque plein";
    case 106:
        return "Saisie numérique incorrecte";
    default:
        return "Erreur E/S " + std::to_string(code);
    }
}

EFCreateError::EFCreateError(const std::string& nomFichier)
    : Exception("Impossible de créer le fichier " + nomFichier) {}

EWriteError::EWriteError() : Exception("Erreur d'écriture dans le flux") {}

EDivByZero::EDivByZero() : Exception("Division par zéro") {}
