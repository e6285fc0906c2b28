// The command line once the toolkit has taken its options out: the drawing to
// open; and before the toolkit starts, help and version, and whether a display
// will be found.
#include "shell/LigneDeCommande.h"
#include "shell/Affichage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
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
        EXPECT_STREQ(texte, c.texte) << c.arguments.size() << ' ' << c.arguments.back();
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

TEST(LigneDeCommandeTest, ANamedDisplayThatNoPlatformModuleReaches) {
    // Two plugin folders: one with the X11 module only, one with both.
    QTemporaryDir x11Seul;
    QTemporaryDir lesDeux;
    ASSERT_TRUE(x11Seul.isValid() && lesDeux.isValid());
    for (const QString& f :
         {x11Seul.filePath("platforms/libqxcb.so"), lesDeux.filePath("platforms/libqxcb.so"),
          lesDeux.filePath("platforms/libqwayland-generic.so")}) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(f).path()));
        QFile fichier(f);
        ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    }
    const std::string sansWayland =
        "Volutan2 : la bibliothèque graphique n'a pas de module pour joindre l'affichage par la "
        "plate-forme « wayland » (paquet qt6-wayland).\n";
    const std::string xSansDisplay =
        "Volutan2 : la bibliothèque graphique joindrait l'affichage par X11 (plate-forme « xcb ») "
        "mais seul un affichage Wayland est nommé (WAYLAND_DISPLAY) ; lancez-le avec "
        "QT_QPA_PLATFORM=wayland.\n";
    const struct {
        std::vector<const char*> arguments;
        const char* display;    // DISPLAY, or nullptr
        const char* plateforme; // QT_QPA_PLATFORM, or nullptr
        const char* session;    // XDG_SESSION_TYPE, or nullptr
        bool deuxModules;
        std::string message;
    } cas[] = {
        {{"Volutan2"}, nullptr, "wayland", nullptr, false, sansWayland},
        {{"Volutan2"}, nullptr, "wayland", nullptr, true, ""},
        {{"Volutan2"},
         nullptr,
         "wayland-egl:option",
         nullptr,
         false,
         "Volutan2 : la bibliothèque graphique n'a pas de module pour joindre l'affichage par la "
         "plate-forme « wayland-egl » (paquet qt6-wayland).\n"},
        // The toolkit's default: X11, Wayland's in a Wayland session.
        {{"Volutan2"}, nullptr, nullptr, nullptr, true, xSansDisplay},
        {{"Volutan2"}, nullptr, nullptr, "wayland", false, sansWayland},
        {{"Volutan2"}, nullptr, nullptr, "wayland", true, ""},
        {{"Volutan2"}, ":1", nullptr, nullptr, false, ""},
        // A list: the first platform that reaches its display will do.
        {{"Volutan2"}, ":1", "wayland;xcb", nullptr, false, ""},
        {{"Volutan2"}, nullptr, "wayland;xcb", nullptr, false, sansWayland},
        {{"Volutan2", "-platform", "xcb", "-display", ":1"},
         nullptr,
         "wayland",
         nullptr,
         false,
         ""},
        {{"Volutan2", "--platform", "wayland"}, ":1", "xcb", nullptr, false, sansWayland},
        {{"Volutan2"}, nullptr, "offscreen", nullptr, false, ""},
    };
    ::setenv("WAYLAND_DISPLAY", "wayland-1", 1);
    ::unsetenv("QT_PLUGIN_PATH");
    ::unsetenv("QT_QPA_PLATFORM_PLUGIN_PATH");
    ::unsetenv("XDG_CURRENT_DESKTOP");
    ::unsetenv("XDG_SESSION_DESKTOP");
    const auto variable = [](const char* nom, const char* valeur) {
        if (valeur != nullptr)
            ::setenv(nom, valeur, 1);
        else
            ::unsetenv(nom);
    };
    for (const auto& c : cas) {
        variable("DISPLAY", c.display);
        variable("QT_QPA_PLATFORM", c.plateforme);
        variable("XDG_SESSION_TYPE", c.session);
        const QTemporaryDir& modules = c.deuxModules ? lesDeux : x11Seul;
        EXPECT_EQ(PlateformeInjoignable(static_cast<int>(c.arguments.size()), c.arguments.data(),
                                        modules.path().toStdString()),
                  c.message)
            << (c.plateforme ? c.plateforme : "-") << " " << (c.display ? c.display : "-") << " "
            << c.arguments.size();
    }
    // A folder the environment names counts too; GNOME keeps X11.
    variable("DISPLAY", nullptr);
    variable("QT_QPA_PLATFORM", "wayland");
    ::setenv("QT_PLUGIN_PATH", (x11Seul.path() + ":" + lesDeux.path()).toLocal8Bit().data(), 1);
    const char* seul[] = {"Volutan2"};
    EXPECT_EQ(PlateformeInjoignable(1, seul, x11Seul.path().toStdString()), "");
    ::unsetenv("QT_PLUGIN_PATH");
    ::unsetenv("QT_QPA_PLATFORM");
    ::setenv("XDG_SESSION_TYPE", "wayland", 1);
    ::setenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME", 1);
    EXPECT_EQ(PlateformeInjoignable(1, seul, lesDeux.path().toStdString()), xSansDisplay);
    for (const char* v : {"WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "XDG_CURRENT_DESKTOP"})
        ::unsetenv(v);
}
