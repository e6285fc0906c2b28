// Clear all given while Print hands its page over, on the real program with
// the private PDF printer: a drawing of 31 curves opened from the command
// line, then Alt+I at once followed by Alt+T. The box "Impression en cours."
// comes, and the 31 curves stay on the sheet and in the list.
#include "ProgrammeE2e.h"

namespace {

// 31 curves of one turn (63 segments each): the opening's slow trace ends
// in about 20 seconds.
std::vector<TSpire> TrenteEtUne() {
    std::vector<TSpire> spires;
    for (int i = 0; i < 31; ++i)
        spires.push_back({100, 50, i, static_cast<TColor>(0x010101 * (i * 7 % 200))});
    return spires;
}

class ImpressionE2eTest : public E2eTest {
protected:
    ImpressionE2eTest() {
        QFile f(Fichier(QStringLiteral("trente-et-une.txt")));
        if (f.open(QIODevice::WriteOnly))
            for (const TSpire& s : TrenteEtUne())
                f.write(Ligne(s));
        arguments = {QStringLiteral("trente-et-une.txt")};
    }
};

TEST_F(ImpressionE2eTest, ClearAllDuringThePrintHandOverKeepsTheDrawing) {
    const QString titre =
        QStringLiteral("Volutan2 - ") + Fichier(QStringLiteral("trente-et-une.txt"));
    ASSERT_TRUE(TSessionX::Attendre([&] { return X().FenetreActive() == titre; }, 20000))
        << X().FenetreActive().toStdString();
    ASSERT_TRUE(AttendreFeuilleStable(1500, 120000));
    const QImage ouverte = FeuilleAffichee();

    // Both keys at once: each button clicks after its short press animation,
    // so Clear all's click comes due while Print's page is handed over.
    X().Clic(Rapide());
    X().Xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("0"),
                 QStringLiteral("alt+i"), QStringLiteral("alt+t")});
    // The error box ("Impression en cours."), titled with the program's name
    // alone; the only box this sequence can bring (Print itself succeeds,
    // as the finished job below shows).
    ASSERT_TRUE(TSessionX::Attendre([&] { return X().FenetreActive() == "Volutan2"; }, 15000))
        << "no box came: " << X().FenetreActive().toStdString();
    QThread::msleep(300);
    X().Ecran().save(QStringLiteral("e2e-impression-en-cours.png"));
    X().Touche(QStringLiteral("Return"));
    ASSERT_TRUE(TSessionX::Attendre([&] { return X().FenetreActive() == titre; }, 10000))
        << X().FenetreActive().toStdString();

    // The page was printed whole; the sheet still shows the 31 curves.
    const QString attente = cups->AttendreTravaux();
    ASSERT_TRUE(attente.isEmpty()) << attente.toStdString();
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleAffichee(), ouverte), 0);

    // The list too: Save writes the 31 curves.
    const QString enregistre = Fichier(QStringLiteral("apres.txt"));
    ASSERT_TRUE(EnregistrerSous(enregistre));
    QByteArray attendu;
    std::vector<Trace> traces;
    for (const TSpire& s : TrenteEtUne()) {
        attendu += Ligne(s);
        traces.push_back({s});
    }
    EXPECT_EQ(Octets(enregistre), attendu);

    // A Clear all now works; on its blank sheet the engine's traces of the 31
    // curves give the sheet as it was.
    X().Touche(QStringLiteral("alt+t"));
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(X().FenetreActive(), QStringLiteral("Volutan2 - ") + enregistre); // no box
    EXPECT_EQ(Ecarts(ouverte, Attendue(FeuilleAffichee(), traces)), 0);
}

} // namespace
