// The command line once the toolkit has taken its options out: the drawing to
// open; and before the toolkit starts, help and version, and whether a display
// will be found.
#include "shell/LigneDeCommande.h"
#include "shell/Affichage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

TEST(LigneDeCommandeTest, TheFirstNameThatIsNoOption) {
    const struct {
        QStringList arguments;
        QString fichier;
    } cas[] = {
        {{"Volutan2"}, ""},
        {{"Volutan2", "a.txt", "b.txt"}, "a.txt"},
        {{"Volutan2", "--inconnue", "-x", "", "a b.txt"}, "a b.txt"},
        {{"Volutan2", "-", "--", "-a.txt", "b.txt"}, "-a.txt"},
        {{"Volutan2", "--"}, ""},
    };
    for (const auto& c : cas)
        EXPECT_EQ(FichierDeLaLigneDeCommande(c.arguments), c.fichier)
            << c.arguments.join(' ').toStdString();
}

TEST(LigneDeCommandeTest, HelpAndVersionBeforeAnyDashDash) {
    const struct {
        std::vector<const char*> arguments;
        const char* texte;
    } cas[] = {
        {{"Volutan2"}, nullptr},
        {{"Volutan2", "--help"}, TexteAide},
        {{"Volutan2", "-style", "Fusion", "-h", "dessin.txt"}, TexteAide},
        {{"Volutan2", "-help", "--version"}, TexteAide},
        {{"Volutan2", "dessin.txt", "--version"}, TexteVersion()},
        {{"Volutan2", "-version"}, TexteVersion()},
        {{"Volutan2", "--", "--help"}, nullptr},
        {{"Volutan2", "--aide", "-v", "-H", "help"}, nullptr},
    };
    for (const auto& c : cas) {
        const char* texte = TexteDemande(static_cast<int>(c.arguments.size()), c.arguments.data());
        EXPECT_EQ(texte, c.texte) << c.arguments.size() << ' ' << c.arguments.back();
    }
    EXPECT_TRUE(std::string_view(TexteAide).starts_with(
        "Usage : Volutan2 [options du toolkit] [FICHIER]\n"));
    EXPECT_EQ(std::string(TexteVersion()), "Volutan2 " VOLUTAN2_VERSION "\n");
}

TEST(LigneDeCommandeTest, TheToolkitsOptionsNameADisplayOrAPlatformWithoutOne) {
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    const struct {
        std::vector<const char*> arguments;
        const char* plateforme; // QT_QPA_PLATFORM, or nullptr
        bool disponible;
    } cas[] = {
        {{"Volutan2"}, nullptr, false},
        {{"Volutan2", "dessin.txt"}, "offscreen", true},
        {{"Volutan2", "-platform", "offscreen"}, nullptr, true},
        {{"Volutan2", "--platform", "vnc"}, nullptr, true},
        {{"Volutan2", "-platform", "xcb"}, nullptr, false},
        // The command line's platform comes first.
        {{"Volutan2", "-platform", "wayland"}, "offscreen", false},
        {{"Volutan2", "-platform", "xcb", "-display", ":1"}, nullptr, true},
        {{"Volutan2", "--display", ":1"}, "xcb", true},
        {{"Volutan2", "-display"}, nullptr, false},
        {{"Volutan2", "-platform", ""}, "offscreen", true},
    };
    for (const auto& c : cas) {
        if (c.plateforme != nullptr)
            ::setenv("QT_QPA_PLATFORM", c.plateforme, 1);
        else
            ::unsetenv("QT_QPA_PLATFORM");
        std::string ligne;
        for (const char* a : c.arguments)
            ligne += std::string(a) + ' ';
        EXPECT_EQ(
            AffichageGraphiqueDisponible(static_cast<int>(c.arguments.size()), c.arguments.data()),
            c.disponible)
            << ligne << "QT_QPA_PLATFORM=" << (c.plateforme ? c.plateforme : "");
    }
}
