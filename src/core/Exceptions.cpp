#include "core/Exceptions.h"

EConvertError EConvertError::PasEntier(std::string_view texte) {
    // Characters are counted by their first byte (UTF-8 continuation bytes are
    // 10xxxxxx), so the cut never splits one.
    std::size_t caracteres = 0;
    std::size_t coupe = texte.size();
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if ((static_cast<unsigned char>(texte[i]) & 0xC0) == 0x80) continue;
        if (caracteres == LongueurCitee) {
            coupe = i;
            break;
        }
        ++caracteres;
    }
    std::string cite(texte.substr(0, coupe));
    if (coupe < texte.size()) cite += "…";
    return EConvertError("'" + cite + "' n'est pas une valeur entière correcte");
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
