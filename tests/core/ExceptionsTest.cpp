// The failure classes and their French messages.
#include "core/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(ExceptionsTest, InOutErrorMessageComesFromItsCode) {
    const std::pair<int, std::string> cas[] = {
        {2, "Fichier introuvable"},
        {3, "Nom de fichier incorrect"},
        {4, "Trop de fichiers ouverts"},
        {5, "Accès au fichier refusé"},
        {100, "Lecture au-delà de la fin de fichier"},
        {101, "Disque plein"},
        {106, "Saisie numérique incorrecte"},
        {32, "Erreur E/S 32"},
        {0, "Erreur E/S 0"},
        {-7, "Erreur E/S -7"},
    };
    for (const auto& [code, message] : cas) {
        const EInOutError e(code);
        EXPECT_EQ(e.Code(), code);
        EXPECT_EQ(e.Message(), message);
        EXPECT_EQ(EInOutError::MessagePourCode(code), message);
    }
}

TEST(ExceptionsTest, FixedMessagesAndCatchableAsException) {
    auto message = [](auto leve) -> std::string {
        try {
            leve();
        } catch (const Exception& e) {
            return e.Message();
        }
        return "(rien)";
    };
    EXPECT_EQ(message([] { throw EDivByZero(); }), "Division par zéro");
    EXPECT_EQ(message([] { throw EWriteError(); }), "Erreur d'écriture dans le flux");
    EXPECT_EQ(message([] { throw EFCreateError("/tmp/x/dessin.txt"); }),
              "Impossible de créer le fichier /tmp/x/dessin.txt");
    EXPECT_EQ(message([] { throw EConvertError::PasEntier("12a"); }),
              "'12a' n'est pas une valeur entière correcte");
    EXPECT_EQ(message([] { throw EInOutError(5); }), "Accès au fichier refusé");
    EXPECT_EQ(message([] { throw EPrinter("Aucune imprimante par défaut sélectionnée"); }),
              "Aucune imprimante par défaut sélectionnée");
    EXPECT_EQ(
        message([] { throw EInvalidOperation("Impossible de rendre modale une fenêtre visible"); }),
        "Impossible de rendre modale une fenêtre visible");
}

} // namespace
