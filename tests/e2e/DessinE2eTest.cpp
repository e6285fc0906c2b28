// Draw, stop and the commands run in the middle of a slow Draw, on the real
// program driven by real X events.
#include "ProgrammeE2e.h"

namespace {

TEST_F(E2eTest, FastDraw) {
    X().Clic(Rapide());
    X().Touche(QStringLiteral("alt+d"));
    ASSERT_TRUE(AttendreFeuilleStable());
    const QImage obtenue = FeuilleAffichee();
    const QImage attendue = Attendue(vierge, {{{133, 58, 25, 0}}});
    EXPECT_EQ(Ecarts(obtenue, attendue), 0);
    ASSERT_TRUE(DialogueFichier("alt+e", Fichier("a.txt")));
    EXPECT_EQ(Octets(Fichier("a.txt")), Ligne({133, 58, 25, 0}));
    X().Touche("alt+t");
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(FeuilleAffichee(), vierge);
    ASSERT_TRUE(DialogueFichier("alt+o", Fichier("a.txt")));
    ASSERT_TRUE(AttendreFeuilleStable());
    X().Ecran().save("/tmp/e9/ouvert.png");
    EXPECT_EQ(Ecarts(FeuilleAffichee(), attendue), 0);
}

} // namespace
