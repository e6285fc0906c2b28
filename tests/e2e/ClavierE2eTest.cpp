// The keyboard on the real program: accelerators of both windows, Enter and
// Space on a focused button, Alt keys in the number fields, the tab order,
// and a whole use without the mouse. Results read from the screen, the saved
// files, the printed PDF and the clipboard.
#include "ProgrammeE2e.h"

namespace {

const TSpire Defaut{133, 58, 25, 0};

class ClavierE2eTest : public E2eTest {
protected:
    struct Controle {
        QString Nom;
        QRect Rect; // on the screen
    };

    // Presses Tab `n` times; after each, the control whose look changed (its
    // focus mark), other than the one that had the focus: "?" when none did.
    QStringList ParcoursTab(const std::vector<Controle>& controles, QString depart, int n) {
        QStringList noms;
        QImage avant = X().Ecran();
        for (int i = 0; i < n; ++i) {
            X().Touche(QStringLiteral("Tab"));
            QThread::msleep(300);
            const QImage apres = X().Ecran();
            QStringList changes;
            for (const Controle& c : controles)
                if (c.Nom != depart && avant.copy(c.Rect) != apres.copy(c.Rect)) changes << c.Nom;
            depart = changes.size() == 1 ? changes.front() : QStringLiteral("?");
            noms << (changes.isEmpty() ? QStringLiteral("?") : changes.join(u'+'));
            avant = apres;
        }
        return noms;
    }

    QRect RectClient(const QRect& client, int x, int y, int l, int h) const {
        return {client.left() + x, client.top() + y, l, h};
    }
    // The main window's controls that may take the focus, and the palette.
    std::vector<Controle> ControlesPrincipaux() const {
        const int haut = HautPanneau() - client.top();
        const int d = client.width() - 823;
        auto r = [&](int x, int y, int l, int h) { return RectClient(client, x, haut + y, l, h); };
        return {{"palette", r(8, 17, 168, 40)},           {"edFixe", r(182, 23, 42, 30)},
                {"edMobile", r(262, 23, 41, 30)},         {"edTrou", r(342, 23, 41, 30)},
                {"rbLent", r(408, 16, 49, 17)},           {"fbRapide", r(408, 34, 57, 17)},
                {"btEnregistrer", r(496 + d, 8, 75, 25)}, {"btOuvrir", r(496 + d, 36, 75, 25)},
                {"btImprimer", r(576 + d, 8, 75, 25)},    {"btEffacer", r(576 + d, 36, 75, 25)},
                {"btCopier", r(656 + d, 8, 75, 25)},      {"btDessiner", r(656 + d, 36, 75, 25)},
                {"btModifier", r(740 + d, 8, 75, 25)},    {"btQuitter", r(740 + d, 36, 75, 25)}};
    }
};

TEST_F(ClavierE2eTest, FieldsIgnoreAltKeysEnterAndSpaceClickTheFocusedButtonTabOrder) {
    X().Clic(Rapide());
    const std::vector<Controle> controles = ControlesPrincipaux();
    const QImage avant = X().Ecran();

    // Alt with letters and digits in each field: nothing typed, nothing
    // clicked (no "&" mark takes x or a digit).
    const char* chiffres[] = {"alt+1 alt+5 alt+0", "alt+1 alt+5 alt+0", "alt+7 alt+5"};
    for (int i = 0; i < 3; ++i) {
        X().Clic(Champ(i).center());
        X().Touches(
            {QStringLiteral("alt+x"), QStringLiteral("alt+shift+x"), QStringLiteral("ctrl+a")});
        X().Touches(QString::fromLatin1(chiffres[i]).split(u' '));
    }
    X().Clic(Rapide());
    QThread::msleep(300);
    const QImage apres = X().Ecran();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Ecarts(apres.copy(Champ(i)), avant.copy(Champ(i))), 0) << "field " << i;
    EXPECT_EQ(Ecarts(FeuilleAffichee(), vierge), 0);
    X().Touche(QStringLiteral("alt+d"));
    ASSERT_TRUE(AttendreFeuilleStable());
    const QImage unCourbe = Attendue(vierge, {{Defaut}});
    EXPECT_EQ(Ecarts(FeuilleAffichee(), unCourbe), 0);

    // Enter in a field clicks nothing; Tab order from "Rapide" round the
    // window; Enter on Effacer tout clears; Space, Enter and keypad Enter on
    // Dessiner draw three curves.
    X().Clic(Champ(0).center());
    X().Touche(QStringLiteral("Return"));
    QThread::msleep(300);
    EXPECT_EQ(X().FenetreActive(), QStringLiteral("Volutan2"));
    EXPECT_EQ(Ecarts(FeuilleAffichee(), unCourbe), 0);
    X().Clic(Rapide());
    const QStringList ordre = ParcoursTab(controles, QStringLiteral("fbRapide"), 12);
    EXPECT_EQ(ordre.join(u' '),
              QStringLiteral("btEnregistrer btOuvrir btImprimer btEffacer btCopier btDessiner "
                             "btModifier btQuitter edFixe edMobile edTrou fbRapide"));
    X().Touches({QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"),
                 QStringLiteral("Tab"), QStringLiteral("Return")}); // Effacer tout
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleAffichee(), vierge), 0);
    X().Touches({QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("space"),
                 QStringLiteral("Return"), QStringLiteral("KP_Enter")}); // Dessiner
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleAffichee(), unCourbe), 0);
    ASSERT_TRUE(EnregistrerSous(Fichier(QStringLiteral("trois.txt"))));
    EXPECT_EQ(Octets(Fichier(QStringLiteral("trois.txt"))),
              Ligne(Defaut) + Ligne(Defaut) + Ligne(Defaut));
}

TEST_F(ClavierE2eTest, EveryAcceleratorOfTheMainWindow) {
    X().Clic(Rapide());
    X().Touche(QStringLiteral("alt+d")); // &Dessiner
    ASSERT_TRUE(AttendreFeuilleStable());
    const QImage unCourbe = Attendue(vierge, {{Defaut}});
    EXPECT_EQ(Ecarts(FeuilleAffichee(), unCourbe), 0);
    const QString chemin = Fichier(QStringLiteral("un.txt"));
    ASSERT_TRUE(EnregistrerSous(chemin)); // &Enregistrer
    EXPECT_EQ(Octets(chemin), Ligne(Defaut));
    X().Touche(QStringLiteral("alt+t")); // Effacer &tout
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleAffichee(), vierge), 0);
    ASSERT_TRUE(DialogueFichier(QStringLiteral("alt+o"), chemin)); // &Ouvrir
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleAffichee(), unCourbe), 0);

    // &Copier: the picture of the one curve on the clipboard.
    QGuiApplication::clipboard()->clear();
    X().Touche(QStringLiteral("alt+c"));
    std::string erreur;
    const std::optional<EmfCopie> copie = AttendreEmfCopie(erreur);
    ASSERT_TRUE(copie) << erreur;
    EXPECT_EQ(copie->Lecture.Traits.size(), 1u);
    EXPECT_EQ(copie->Lecture.Lignes, static_cast<std::size_t>(Segments(Defaut)));
    // A square frame twice the extent, 4 x (133 - 58 + 25) tenths of a mm.
    EXPECT_NEAR(copie->Fichier.Tete.Frame.Right, 8000, 80);
    EXPECT_NEAR(copie->Fichier.Tete.Frame.Bottom, 8000, 80);

    // &Imprimer: the curve 80 mm across on the PDF printer's page.
    X().Touche(QStringLiteral("alt+i"));
    const QString attente = cups->AttendreTravaux();
    ASSERT_TRUE(attente.isEmpty()) << attente.toStdString();
    const QImage page = cups->Rendu(300);
    ASSERT_FALSE(page.isNull());
    const QRect encre = TServeurCupsPrive::Encre(page);
    EXPECT_NEAR(encre.width() * 25.4 / 300, 80.0, 0.5);
    EXPECT_NEAR(encre.height() * 25.4 / 300, 80.0, 0.5);

    // &Modifier ... opens the editor; &Quitter ends the program.
    OuvrirEditeur();
    X().Touche(QStringLiteral("alt+a"));
    ASSERT_TRUE(EditeurFerme());
    X().Touche(QStringLiteral("alt+q"));
    EXPECT_TRUE(programme.waitForFinished(10000));
    EXPECT_EQ(programme.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(programme.exitCode(), 0);
}

TEST_F(ClavierE2eTest, TheEditorAndFilesWithoutTheMouse) {
    // Rapide by the keyboard: Tab to the checked "Lent", Down to "Rapide".
    X().Touches({QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"),
                 QStringLiteral("Down"), QStringLiteral("alt+d")});
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleAffichee(), Attendue(vierge, {{Defaut}})), 0);

    // Row 1's "roue fixe" typed as 120 (the first digit opens the cell's
    // editor, Enter closes it), Alt+X typing nothing, then &OK.
    OuvrirEditeur();
    X().Touches({QStringLiteral("1"), QStringLiteral("alt+x"), QStringLiteral("alt+shift+x"),
                 QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("Return"),
                 QStringLiteral("alt+o")});
    ASSERT_TRUE(EditeurFerme());
    ASSERT_TRUE(AttendreFeuilleStable());
    const TSpire modifiee{120, 58, 25, 0};
    const QImage attendue = Attendue(vierge, {{modifiee}});
    EXPECT_EQ(Ecarts(FeuilleAffichee(), attendue), 0);

    // Saved, cleared, opened again: the same bytes and the same sheet.
    const QString chemin = Fichier(QStringLiteral("clavier.txt"));
    ASSERT_TRUE(EnregistrerSous(chemin));
    EXPECT_EQ(Octets(chemin), Ligne(modifiee));
    X().Touche(QStringLiteral("alt+t"));
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleAffichee(), vierge), 0);
    ASSERT_TRUE(DialogueFichier(QStringLiteral("alt+o"), chemin));
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleAffichee(), attendue), 0);

    // In the editor the tab stops are the grid and the three buttons. The
    // grid shows no focus mark of its own: a digit typed when it has the
    // focus opens its cell's editor.
    const QRect editeur = OuvrirEditeur();
    auto r = [&](int x, int y, int l, int h) { return RectClient(editeur, x, y, l, h); };
    const std::vector<Controle> controles = {
        {"grille", r(24, 3, 409, 462)},        {"btOK", r(624, 496, 75, 25)},
        {"btAnnuler", r(536, 496, 75, 25)},    {"palette", r(24, 472, 224, 56)},
        {"btSupprimer", r(272, 496, 161, 25)}, {"apercu", r(440, 40, 385, 425)}};
    EXPECT_EQ(ParcoursTab(controles, QStringLiteral("grille"), 3).join(u' '),
              QStringLiteral("btOK btAnnuler btSupprimer"));
    // "Supprimer le dessin n° 1" lost its "&" at the first preview: Alt+S
    // does nothing; Space on the focused button deletes row 1.
    X().Touches({QStringLiteral("alt+s"), QStringLiteral("space")});
    const QImage supprimee = X().Ecran();
    X().Touches({QStringLiteral("Tab"), QStringLiteral("3")});
    QThread::msleep(300);
    EXPECT_NE(X().Ecran().copy(controles[0].Rect), supprimee.copy(controles[0].Rect))
        << "the grid did not take the focus after Supprimer";
    // Row 1 now reads "3", "", "": the read-back takes no curve.
    X().Touches({QStringLiteral("Return"), QStringLiteral("alt+o")});
    ASSERT_TRUE(EditeurFerme());
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleAffichee(), vierge), 0);
    ASSERT_TRUE(EnregistrerSous(chemin));
    EXPECT_EQ(Octets(chemin), QByteArray());
}

} // namespace
