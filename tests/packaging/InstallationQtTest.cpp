// What the installation puts on the desktop, and the program's start where
// there is no desktop: the desktop entry and the AppStream metainfo as their
// validators read them, both named after the application's id, the manual
// page as the manual reader formats it, the icons drawn for their sizes, and
// a start without a graphical display (help and version need none).
#include "shell/Affichage.h"
#include "shell/LigneDeCommande.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

const QString Identifiant = QStringLiteral(VOLUTAN_ID);
const QString Packaging = QStringLiteral(VOLUTAN2_PACKAGING);
const QString Entree = Packaging + QStringLiteral("/") + Identifiant + QStringLiteral(".desktop");

// Runs `programme` with `arguments`, the two outputs merged; exit code and text.
std::pair<int, QString>
Executer(const QString& programme, const QStringList& arguments,
         const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess processus;
    processus.setProcessEnvironment(env);
    processus.setProcessChannelMode(QProcess::MergedChannels);
    processus.start(programme, arguments);
    if (!processus.waitForFinished(60000)) return {-1, QStringLiteral("pas de fin en 60 s")};
    return {processus.exitCode(), QString::fromUtf8(processus.readAll())};
}

} // namespace

TEST(InstallationQtTest, DesktopEntryAndIconsForEverySize) {
    // The one entry, named after the id (the old lower-case name is gone).
    EXPECT_EQ(QDir(Packaging).entryList({QStringLiteral("*.desktop")}),
              QStringList{Identifiant + QStringLiteral(".desktop")});
    const QString validateur =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validateur.isEmpty())
        GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) n'est pas installé : entrée "
                        "de bureau non vérifiée";
    const auto [code, sortie] = Executer(validateur, {Entree});
    EXPECT_EQ(code, 0) << sortie.toStdString();
    EXPECT_TRUE(sortie.isEmpty()) << sortie.toStdString(); // not even a hint

    // The entry starts the installed program, with the file chosen in the file
    // manager ("Open with"), and matches its windows, whose X11 class is the
    // program file's name. The drawings, plain text, get no type of their own.
    QSettings entree(Entree, QSettings::IniFormat);
    entree.beginGroup(QStringLiteral("Desktop Entry"));
    const QString programme = QFileInfo(QStringLiteral(VOLUTAN2_PROGRAMME)).fileName();
    EXPECT_EQ(entree.value(QStringLiteral("Exec")).toString(), programme + QStringLiteral(" %f"));
    EXPECT_FALSE(entree.contains(QStringLiteral("MimeType")));
    EXPECT_EQ(entree.value(QStringLiteral("StartupWMClass")).toString(), programme);
    EXPECT_EQ(entree.value(QStringLiteral("Icon")).toString(), Identifiant);

    EXPECT_TRUE(QFileInfo::exists(QStringLiteral(VOLUTAN2_ICONES "/scalable/apps/") + Identifiant +
                                  QStringLiteral(".svg")));
    for (const int taille : {16, 24, 32, 48}) {
        SCOPED_TRACE(taille);
        const QImage icone(
            QStringLiteral(VOLUTAN2_ICONES "/%1x%1/apps/%2.png").arg(taille).arg(Identifiant));
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

TEST(InstallationQtTest, MetainfoForSoftwareCentresAndFrenchManualPage) {
    // What software centres read: the same id as the desktop entry, which it
    // launches, French texts, a content rating and the two licences (the
    // program's that of LICENSE).
    QFile fichier(Packaging + QStringLiteral("/") + Identifiant + QStringLiteral(".metainfo.xml"));
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&fichier);
    std::map<QString, QString> textes; // first text of each element, attributes as element@name
    int racines = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const QString nom = xml.name().toString();
        racines += xml.name() == QStringLiteral("component");
        for (const QXmlStreamAttribute& a : xml.attributes())
            textes.emplace(nom + QStringLiteral("@") + a.name().toString(), a.value().toString());
        // The text of the leaves only: reading a container's would skip its children.
        static const QStringList feuilles{QStringLiteral("id"),
                                          QStringLiteral("metadata_license"),
                                          QStringLiteral("project_license"),
                                          QStringLiteral("name"),
                                          QStringLiteral("summary"),
                                          QStringLiteral("p"),
                                          QStringLiteral("launchable"),
                                          QStringLiteral("binary")};
        if (feuilles.contains(nom)) textes.emplace(nom, xml.readElementText().simplified());
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(racines, 1);
    EXPECT_EQ(textes[QStringLiteral("component@type")], QStringLiteral("desktop-application"));
    EXPECT_EQ(textes[QStringLiteral("id")], Identifiant);
    EXPECT_EQ(textes[QStringLiteral("launchable")], Identifiant + QStringLiteral(".desktop"));
    EXPECT_EQ(textes[QStringLiteral("launchable@type")], QStringLiteral("desktop-id"));
    EXPECT_EQ(textes[QStringLiteral("name")], QStringLiteral("Volutan2"));
    EXPECT_EQ(textes[QStringLiteral("summary")],
              QStringLiteral("Dessine des rosaces : des courbes d’engrenages en couleurs"));
    EXPECT_TRUE(textes[QStringLiteral("p")].startsWith(
        QStringLiteral("Volutan2 dessine des courbes d’engrenages (hypotrochoïdes)")));
    EXPECT_EQ(textes[QStringLiteral("content_rating@type")], QStringLiteral("oars-1.1"));
    EXPECT_EQ(textes[QStringLiteral("metadata_license")], QStringLiteral("FSFAP"));
    EXPECT_EQ(textes[QStringLiteral("project_license")], QStringLiteral("GPL-3.0-or-later"));
    EXPECT_EQ(textes[QStringLiteral("binary")],
              QFileInfo(QStringLiteral(VOLUTAN2_PROGRAMME)).fileName());
    QFile licence(Packaging + QStringLiteral("/../LICENSE"));
    ASSERT_TRUE(licence.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        QString::fromUtf8(licence.read(200))
            .simplified()
            .startsWith(QStringLiteral("GNU GENERAL PUBLIC LICENSE Version 3, 29 June 2007")));

    QStringList absents; // the tools missing here, said once at the end
    const QString appstream = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
    if (appstream.isEmpty()) {
        absents << QStringLiteral("appstreamcli (appstream) : métadonnées non validées");
    } else {
        // No error and no warning; the id's capitals (pedantic) are the rule
        // for reverse-DNS ids.
        const auto [code, sortie] =
            Executer(appstream,
                     {QStringLiteral("validate"), QStringLiteral("--no-net"), fichier.fileName()});
        EXPECT_EQ(code, 0) << sortie.toStdString();
        EXPECT_FALSE(sortie.contains(QStringLiteral("E: "))) << sortie.toStdString();
        EXPECT_FALSE(sortie.contains(QStringLiteral("W: "))) << sortie.toStdString();
    }

    // The manual page, formatted as the manual reader does for a user, with
    // the formatter's warnings on: none, and the usage, the options and the
    // exit codes in French.
    const QString man = QStandardPaths::findExecutable(QStringLiteral("man"));
    if (man.isEmpty()) {
        absents << QStringLiteral("man (man-db) : page de manuel non lue");
        GTEST_SKIP() << "non installé : " << absents.join(QStringLiteral(" ; ")).toStdString();
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
    const QString page = Packaging + QStringLiteral("/Volutan2.1");
    const auto [codeAvertissements, avertissements] =
        Executer(man,
                 {QStringLiteral("--warnings"), QStringLiteral("-E"), QStringLiteral("UTF-8"),
                  QStringLiteral("-l"), QStringLiteral("-Tutf8"), QStringLiteral("-Z"), page},
                 env);
    EXPECT_EQ(codeAvertissements, 0);
    EXPECT_FALSE(avertissements.contains(QStringLiteral("warning")))
        << avertissements.toStdString();
    // Into a pipe: plain text, without pager or overstrike.
    const auto [code, lisible] = Executer(man, {QStringLiteral("-l"), page}, env);
    ASSERT_EQ(code, 0) << lisible.toStdString();
    for (const QString& attendu :
         {QStringLiteral("Volutan2 - dessine des rosaces (courbes d'engrenages)"),
          QStringLiteral("Volutan2 [options du toolkit] [FICHIER]"),
          QStringLiteral("Volutan2 --help | --version"), QStringLiteral("CODE DE RETOUR"),
          QStringLiteral("FICHIERS"), QStringLiteral("Fichiers de dessin"),
          QStringLiteral("Aucun écran graphique n'est joignable")})
        EXPECT_TRUE(lisible.contains(attendu)) << attendu.toStdString() << "\n"
                                               << lisible.toStdString();
    if (!absents.isEmpty())
        GTEST_SKIP() << "non installé : " << absents.join(QStringLiteral(" ; ")).toStdString();
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
