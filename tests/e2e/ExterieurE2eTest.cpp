// The program started from a terminal with the toolkit's own options, a
// drawing and a second name, and the sheet's context menu from the keyboard
// (Shift+F10, the Menu key) and the mouse, each leading to the picture's save
// dialog, on the real program with the private PDF printer as its reference.
#include "ProgrammeE2e.h"

namespace {

const TSpire Rouge{133, 58, 25, 0x0000FF};
const TSpire Bleu{100, 50, 60, 0xFF0000};

class ExterieurE2eTest : public E2eTest {
protected:
    ExterieurE2eTest() {
        QFile f(Fichier(QStringLiteral("deux.txt")));
        if (f.open(QIODevice::WriteOnly)) f.write(Ligne(Rouge) + Ligne(Bleu));
        // "-style Fusion" is the toolkit's; the program opens the first name.
        arguments = {QStringLiteral("-style"), QStringLiteral("Fusion"), QStringLiteral("deux.txt"),
                     QStringLiteral("autre.txt")};
    }

    // Runs `ouvrir`, which should show the menu with its entry active or not,
    // chooses the entry, and answers the save dialog with `nom` (nothing:
    // Escape). False when the menu or the dialog did not come.
    bool SavePicture(const std::function<void()>& ouvrir, bool actif, const QString& nom) {
        const QImage avant = X().Ecran();
        const QString svg = nom + QStringLiteral(".svg");
        const ino_t ancien = nom.isEmpty() ? 0 : Inode(svg);
        ouvrir();
        if (!TSessionX::Attendre([&] { return X().Ecran() != avant; }, 10000)) return false;
        QThread::msleep(200);
        X().Touches(actif ? QStringList{QStringLiteral("Return")}
                          : QStringList{QStringLiteral("Down"), QStringLiteral("Return")});
        if (!TSessionX::Attendre([&] { return EstDialogue(X().FenetreActive()); }, 10000))
            return false;
        if (nom.isEmpty()) {
            X().Touche(QStringLiteral("Escape"));
        } else {
            X().Touche(QStringLiteral("ctrl+a"));
            X().Taper(nom);
            X().Touche(QStringLiteral("Return"));
        }
        return TSessionX::Attendre([&] { return !EstDialogue(X().FenetreActive()); }, 10000) &&
               (nom.isEmpty() || AttendreNouveau(svg, ancien));
    }
    // An SVG of the two curves, red and blue.
    static void VerifierSvg(const QByteArray& svg) {
        EXPECT_TRUE(svg.startsWith("<?xml")) << svg.left(100).toStdString();
        EXPECT_EQ(svg.count("<polyline"), 2);
        EXPECT_TRUE(svg.contains("stroke=\"#ff0000\""));
        EXPECT_TRUE(svg.contains("stroke=\"#0000ff\""));
    }
};

TEST_F(ExterieurE2eTest, CommandLineOpenAndTheContextMenu) {
    const QString titre = QStringLiteral("Volutan2 - ") + Fichier(QStringLiteral("deux.txt"));
    ASSERT_TRUE(TSessionX::Attendre([&] { return X().FenetreActive() == titre; }, 20000))
        << X().FenetreActive().toStdString();
    ASSERT_TRUE(AttendreFeuilleStable());
    const QImage ouverte = FeuilleAffichee();
    // Clear all gives the blank sheet the two curves were drawn on.
    X().Touche(QStringLiteral("alt+t"));
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(Ecarts(ouverte, Attendue(FeuilleAffichee(), {{Rouge}, {Bleu}})), 0);

    // Reopened, then saved as pictures: Shift+F10 in a field (the entry
    // active), a right click on the sheet, the Menu key (cancelled).
    X().Touche(QStringLiteral("alt+o"));
    ASSERT_TRUE(TSessionX::Attendre([&] { return EstDialogue(X().FenetreActive()); }, 10000));
    X().Touche(QStringLiteral("ctrl+a"));
    X().Taper(Fichier(QStringLiteral("deux.txt")));
    X().Touche(QStringLiteral("Return"));
    ASSERT_TRUE(TSessionX::Attendre([&] { return X().FenetreActive() == titre; }, 20000));
    X().Clic(Champ(0).center());
    EXPECT_TRUE(SavePicture([] { X().Touche(QStringLiteral("shift+F10")); }, true,
                            Fichier(QStringLiteral("clavier"))));
    VerifierSvg(Octets(Fichier(QStringLiteral("clavier.svg"))));
    EXPECT_TRUE(SavePicture(
        [&] {
            const QPoint p = feuille + QPoint(700, 100);
            X().Xdotool({QStringLiteral("mousemove"), QString::number(p.x()),
                         QString::number(p.y()), QStringLiteral("click"), QStringLiteral("3")});
        },
        false, Fichier(QStringLiteral("souris"))));
    EXPECT_EQ(Octets(Fichier(QStringLiteral("souris.svg"))),
              Octets(Fichier(QStringLiteral("clavier.svg"))));
    X().Clic(Champ(1).center());
    EXPECT_TRUE(SavePicture([] { X().Touche(QStringLiteral("Menu")); }, true, QString()));
    EXPECT_EQ(QDir(dossier.path()).entryList({QStringLiteral("*.svg")}, QDir::Files),
              (QStringList{QStringLiteral("clavier.svg"), QStringLiteral("souris.svg")}));
    EXPECT_EQ(X().FenetreActive(), titre);
}

} // namespace
