// What the installation puts on the desktop, and the program's start where
// there is no desktop: the desktop entry as the validator of the desktop's
// format reads it, the icons drawn for their sizes, and a start without a
// graphical display (help and version need none).
#include "shell/Affichage.h"
#include "shell/LigneDeCommande.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cmath>

TEST(InstallationQtTest, DesktopEntryAndIconsForEverySize) {
    const QString validateur = QStandardPaths::findExecutable("desktop-file-validate");
    if (validateur.isEmpty())
        GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) n'est pas installé : entrée "
                        "de bureau non vérifiée";
    QProcess validation;
    validation.setProcessChannelMode(QProcess::MergedChannels);
    validation.start(validateur, {VOLUTAN2_ENTREE});
    ASSERT_TRUE(validation.waitForFinished(30000));
    EXPECT_EQ(validation.exitCode(), 0) << validation.readAll().toStdString();
    EXPECT_TRUE(validation.readAll().isEmpty()); // not even a hint

    // The entry starts the installed program, with the file chosen in the file
    // manager ("Open with"), and matches its windows, whose X11 class is the
    // program file's name. The drawings, plain text, get no type of their own.
    QSettings entree(VOLUTAN2_ENTREE, QSettings::IniFormat);
    entree.beginGroup("Desktop Entry");
    const QString programme = QFileInfo(VOLUTAN2_PROGRAMME).fileName();
    EXPECT_EQ(entree.value("Exec").toString(), programme + " %f");
    EXPECT_FALSE(entree.contains("MimeType"));
    EXPECT_EQ(entree.value("StartupWMClass").toString(), programme);
    EXPECT_EQ(entree.value("Icon").toString(), "volutan2");

    EXPECT_TRUE(QFileInfo::exists(VOLUTAN2_ICONES "/scalable/apps/volutan2.svg"));
    for (const int taille : {16, 24, 32, 48}) {
        SCOPED_TRACE(taille);
        const QImage icone(QStringLiteral(VOLUTAN2_ICONES "/%1x%1/apps/volutan2.png").arg(taille));
        ASSERT_EQ(icone.size(), QSize(taille, taille));
        // Strong contrast: a white ground, and dark ink (the frame and the
        // lines, luminance under 100) on at least a fifth of the icon.
        int encre = 0, blancs = 0;
        for (int y = 0; y < taille; ++y)
            for (int x = 0; x < taille; ++x) {
                const QColor c = icone.pixelColor(x, y);
                if (c.alpha() < 255) continue;
                const double luminance = 0.2126 * c.red() + 0.7152 * c.green() + 0.0722 * c.blue();
                encre += luminance < 100;
                blancs += luminance > 245;
            }
        EXPECT_GE(encre, taille * taille / 5);
        EXPECT_GE(blancs, taille * taille / 5);
        // Transparent corners, a dark frame at mid-height.
        EXPECT_EQ(icone.pixelColor(0, 0).alpha(), 0);
        EXPECT_LT(icone.pixelColor(0, taille / 2).lightness(), 100);
    }
}

TEST(InstallationQtTest, WithoutADisplayOneFrenchLineAndExitCodeOne) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(variable);
    QProcess programme;
    programme.setProcessEnvironment(env);
    programme.start(VOLUTAN2_PROGRAMME, QStringList{});
    ASSERT_TRUE(programme.waitForFinished(30000));
    EXPECT_EQ(programme.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(programme.exitCode(), 1);
    const QString erreur = QString::fromUtf8(programme.readAllStandardError());
    EXPECT_EQ(erreur, QString::fromUtf8(MessageSansAffichage));
    EXPECT_EQ(erreur.count('\n'), 1);
    EXPECT_TRUE(erreur.contains("xvfb-run"));
    EXPECT_TRUE(programme.readAllStandardOutput().isEmpty());

    // The platforms that need a display need one too.
    env.insert("QT_QPA_PLATFORM", "xcb");
    programme.setProcessEnvironment(env);
    programme.start(VOLUTAN2_PROGRAMME, QStringList{});
    ASSERT_TRUE(programme.waitForFinished(30000));
    EXPECT_EQ(programme.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(programme.readAllStandardError()),
              QString::fromUtf8(MessageSansAffichage));
}

TEST(InstallationQtTest, HelpAndVersionOnStandardOutputWithoutADisplay) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(variable);
    const struct {
        QStringList arguments;
        const char* sortie;
        int code;
    } cas[] = {
        {{"--help"}, TexteAide, 0},
        {{"-style", "Fusion", "-h", "dessin.txt"}, TexteAide, 0},
        {{"--version"}, TexteVersion(), 0},
        // After "--" a name: the program would start, and finds no display.
        {{"--", "--help"}, "", 1},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        QProcess programme;
        programme.setProcessEnvironment(env);
        programme.start(VOLUTAN2_PROGRAMME, c.arguments);
        ASSERT_TRUE(programme.waitForFinished(30000));
        EXPECT_EQ(programme.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(programme.exitCode(), c.code);
        EXPECT_EQ(QString::fromUtf8(programme.readAllStandardOutput()),
                  QString::fromUtf8(c.sortie));
        EXPECT_EQ(QString::fromUtf8(programme.readAllStandardError()),
                  c.code == 0 ? QString() : QString::fromUtf8(MessageSansAffichage));
    }
}
