// The main window at start-up: its state, its layout and fonts, the sheet,
// the start without a printer, and an activation that happens only once.
#include "FenetrePrincipale.h"

#include "core/Exceptions.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace {

// The sheet as the preparation leaves it at 96 pixels per inch: 809 x 1138,
// grey with a black outline, white area (8, 8)-(801, 567) outlined in black.
void VerifierFeuilleVierge(const TBitmapCanvas& b) {
    ASSERT_EQ(b.Width(), 809);
    ASSERT_EQ(b.Height(), 1138);
    const struct {
        int x, y;
        TColor couleur;
    } points[] = {
        {0, 0, 0},
        {808, 1137, 0},
        {4, 4, 0xC0C0C0},
        {807, 1136, 0xC0C0C0},
        {8, 8, 0},
        {800, 566, 0},
        {9, 9, 0xFFFFFF},
        {397, 283, 0xFFFFFF},
        {799, 565, 0xFFFFFF},
        {801, 300, 0xC0C0C0},
        {400, 567, 0xC0C0C0},
        {400, 900, 0xC0C0C0},
    };
    for (const auto& p : points)
        EXPECT_EQ(b.Pixel(p.x, p.y), p.couleur) << p.x << ", " << p.y;
}

} // namespace

class TfmVolutan2QtTest : public FenetrePrincipaleTest {};

TEST_F(TfmVolutan2QtTest, StartUpState) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    EXPECT_TRUE(F().windowState() & Qt::WindowMaximized);
    EXPECT_EQ(F().windowTitle(), QStringLiteral("Volutan2"));
    EXPECT_EQ(F().edFixe->text(), QStringLiteral("133"));
    EXPECT_EQ(F().edMobile->text(), QStringLiteral("58"));
    EXPECT_EQ(F().edTrou->text(), QStringLiteral("25"));
    EXPECT_EQ(F().udFixe->Position(), 133);
    EXPECT_EQ(F().udMobile->Position(), 58);
    EXPECT_EQ(F().udTrou->Position(), 25);
    EXPECT_EQ(F().udFixe->Min(), 20);
    EXPECT_EQ(F().udFixe->Max(), 200);
    EXPECT_EQ(F().udMobile->Min(), 20);
    EXPECT_EQ(F().udMobile->Max(), 200);
    EXPECT_EQ(F().udTrou->Min(), 0);
    EXPECT_EQ(F().udTrou->Max(), 100);
    EXPECT_TRUE(F().rbLent->isChecked());
    EXPECT_FALSE(F().fbRapide->isChecked());
    EXPECT_EQ(F().btDessiner->text(), QStringLiteral("&Dessiner"));
    EXPECT_EQ(F().cgCouleur->ForegroundColor(), 0);
    EXPECT_FALSE(F().cgCouleur->BackgroundEnabled());
    EXPECT_EQ(QApplication::focusWidget(), F().edFixe); // the first tab stop

    EXPECT_EQ(F().Dessin.NbSpires, 0);
    EXPECT_EQ(F().Dessin.NomFichier, "Sans titre");
    EXPECT_TRUE(F().Dessin.ModeEcran);
    EXPECT_EQ(F().Dessin.ResEcranX, 96);
    EXPECT_EQ(F().Dessin.ResEcranY, 96);
    EXPECT_EQ(F().Dessin.ResImpX, 600);
    EXPECT_EQ(F().Dessin.ResImpY, 600);
    VerifierFeuilleVierge(Feuille());
    // What the widget shows is the bitmap.
    const QImage vue = F().Image1->grab().toImage();
    EXPECT_EQ(vue.size(), QSize(809, 1138));
    EXPECT_EQ(vue.pixel(4, 4) & 0xFFFFFFu, 0xC0C0C0u);
    EXPECT_EQ(vue.pixel(100, 100) & 0xFFFFFFu, 0xFFFFFFu);
    EXPECT_TRUE(messages.empty());
}

TEST_F(TfmVolutan2QtTest, WithoutAPrinterTwoMessagesAndAPaintedSheet) {
    imprimante->SetDefaultPrinter("");
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    const QString texte = QStringLiteral("Aucune imprimante par défaut sélectionnée.");
    EXPECT_EQ(messages, (Messages{{app.Title(), texte}, {app.Title(), texte}}));
    VerifierFeuilleVierge(Feuille());
    EXPECT_EQ(F().Dessin.ResEcranX, 96);
    EXPECT_EQ(F().Dessin.NomFichier, "Sans titre"); // Save keeps its default names
    EXPECT_TRUE(F().windowState() & Qt::WindowMaximized);

    // The program runs: a fast Draw, then Clear all (which reports again).
    Cliquer(F().fbRapide);
    Cliquer(F().btDessiner);
    EXPECT_EQ(F().Dessin.NbSpires, 1);
    EXPECT_EQ(Feuille().Pixel(321, 283), 0);
    Cliquer(F().btEffacer);
    EXPECT_EQ(F().Dessin.NbSpires, 0);
    EXPECT_EQ(messages.size(), 3u);
    VerifierFeuilleVierge(Feuille());
}

TEST_F(TfmVolutan2QtTest, LayoutAtDesignGeometryWithAnchors) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    F().setWindowState(Qt::WindowNoState);
    F().resize(823, 519);
    QApplication::processEvents();
    ASSERT_EQ(F().Panel1->geometry(), QRect(0, 450, 823, 69));
    EXPECT_EQ(F().ScrollBox1->geometry(), QRect(0, 0, 823, 450));

    struct Attendu {
        QWidget* controle;
        QRect geometrie;
        bool aDroite;
    };
    const Attendu table[] = {
        {F().cgCouleur, {8, 17, 168, 40}, false},  {F().edFixe, {182, 23, 42, 30}, false},
        {F().udFixe, {224, 23, 15, 30}, false},    {F().edMobile, {262, 23, 41, 30}, false},
        {F().udMobile, {303, 23, 15, 30}, false},  {F().edTrou, {342, 23, 41, 30}, false},
        {F().udTrou, {383, 23, 15, 30}, false},    {F().rbLent, {408, 16, 49, 17}, false},
        {F().fbRapide, {408, 34, 57, 17}, false},  {F().btEnregistrer, {496, 8, 75, 25}, true},
        {F().btOuvrir, {496, 36, 75, 25}, true},   {F().btImprimer, {576, 8, 75, 25}, true},
        {F().btEffacer, {576, 36, 75, 25}, true},  {F().btCopier, {656, 8, 75, 25}, true},
        {F().btDessiner, {656, 36, 75, 25}, true}, {F().btModifier, {740, 8, 75, 25}, true},
        {F().btQuitter, {740, 36, 75, 25}, true},
    };
    for (const auto& a : table)
        EXPECT_EQ(a.controle->geometry(), a.geometrie) << a.controle->metaObject()->className();
    const std::pair<QLabel*, QPoint> labels[] = {{F().Label4, {72, 4}},
                                                 {F().Label1, {182, 8}},
                                                 {F().Label2, {254, 8}},
                                                 {F().Label3, {350, 8}}};
    for (const auto& [label, position] : labels)
        EXPECT_EQ(label->pos(), position) << label->text().toStdString();

    // Wider and taller: the right buttons follow the right edge, the rest stays.
    F().resize(1023, 719);
    QApplication::processEvents();
    EXPECT_EQ(F().Panel1->geometry(), QRect(0, 650, 1023, 69));
    EXPECT_EQ(F().ScrollBox1->geometry(), QRect(0, 0, 1023, 650));
    for (const auto& a : table)
        EXPECT_EQ(a.controle->geometry(), a.geometrie.translated(a.aDroite ? 200 : 0, 0))
            << a.controle->metaObject()->className();

    // The sheet at (8, 8) in the scroll box, which scrolls to its far corner.
    EXPECT_EQ(F().Image1->geometry(), QRect(8, 8, 809, 1138));
    EXPECT_EQ(F().ScrollBox1->widget()->size(), QSize(817, 1146));
    EXPECT_GT(F().ScrollBox1->verticalScrollBar()->maximum(), 0);
}

TEST_F(TfmVolutan2QtTest, FontsAndCaptionsFit) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    const QFontInfo interface(F().Label1->font());
    EXPECT_EQ(interface.pixelSize(), 11);
    EXPECT_EQ(F().Label1->font().styleHint(), QFont::SansSerif);
    for (QLineEdit* champ : {F().edFixe, F().edMobile, F().edTrou}) {
        const QFontInfo police(champ->font());
        EXPECT_EQ(police.family(), QStringLiteral("Liberation Sans"));
        EXPECT_EQ(police.pixelSize(), 19);
        EXPECT_TRUE(police.bold());
        // "200", the widest value, fits inside the field's frame.
        EXPECT_LE(QFontMetrics(champ->font()).horizontalAdvance(QStringLiteral("200")),
                  champ->contentsRect().width() - 4);
    }
    // Each label ends before the next control to its right.
    const std::pair<QLabel*, int> labels[] = {
        {F().Label4, 176}, {F().Label1, 254}, {F().Label2, 350}, {F().Label3, 408}};
    for (const auto& [label, limite] : labels)
        EXPECT_LE(label->x() + label->sizeHint().width(), limite) << label->text().toStdString();
    for (QPushButton* b : F().Panel1->findChildren<QPushButton*>()) {
        QString texte = b->text();
        texte.remove(u'&');
        EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(texte), b->width() - 8)
            << texte.toStdString();
    }
    // A radio button's caption starts after its indicator and the spacing.
    for (QRadioButton* r : {F().rbLent, F().fbRapide}) {
        const int debutTexte = r->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                               r->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
        EXPECT_LE(debutTexte + QFontMetrics(r->font()).horizontalAdvance(r->text()), r->width())
            << r->text().toStdString();
    }
}

TEST_F(TfmVolutan2QtTest, KeyboardAcceleratorsEnterAndSpace) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    Cliquer(F().fbRapide);
    // A key on the focused control; a button pressed by its letter shows
    // itself pressed for a moment first.
    const auto touche = [](QWidget* cible, int cle, Qt::KeyboardModifiers modificateurs) {
        cible->setFocus();
        QTest::keyClick(cible, static_cast<Qt::Key>(cle), modificateurs);
        QTest::qWait(250);
    };
    const auto alt = [&](Qt::Key lettre) { touche(F().edFixe, lettre, Qt::AltModifier); };
    alt(Qt::Key_D); // "&Dessiner"
    EXPECT_EQ(F().Dessin.NbSpires, 1);
    EXPECT_EQ(F().btDessiner->text(), QStringLiteral("Dessiner"));
    alt(Qt::Key_D); // no mark any more: nothing, and no letter in the field
    touche(F().edFixe, Qt::Key_D, Qt::AltModifier | Qt::ShiftModifier);
    touche(F().edFixe, Qt::Key_5, Qt::AltModifier);
    touche(F().edMobile, Qt::Key_X, Qt::AltModifier);
    touche(F().edTrou, Qt::Key_X, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(F().Dessin.NbSpires, 1);
    EXPECT_EQ(F().edFixe->text(), QStringLiteral("133"));
    EXPECT_EQ(F().edMobile->text(), QStringLiteral("58"));
    EXPECT_EQ(F().edTrou->text(), QStringLiteral("25"));
    // Shift does not change the letter: Alt+Shift+T is "Effacer &tout".
    touche(F().edTrou, Qt::Key_T, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(F().Dessin.NbSpires, 0);

    // Enter in a field clicks nothing (no default button); Enter, keypad
    // Enter and Space on the focused button click it.
    touche(F().edFixe, Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(F().Dessin.NbSpires, 0);
    touche(F().btDessiner, Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(F().Dessin.NbSpires, 1);
    touche(F().btDessiner, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(F().Dessin.NbSpires, 2);
    touche(F().btDessiner, Qt::Key_Space, Qt::NoModifier);
    EXPECT_EQ(F().Dessin.NbSpires, 3);
    touche(F().btEffacer, Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(F().Dessin.NbSpires, 0);
}

TEST_F(TfmVolutan2QtTest, FormActivateRunsOnlyOnce) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    Cliquer(F().fbRapide);
    Cliquer(F().btDessiner);
    ASSERT_EQ(F().Dessin.NbSpires, 1);
    const TBitmapCanvas avecCourbe = Feuille();

    // An error box, a dialog in a modal run, another application in front.
    app.SetReporter({});
    QTimer::singleShot(0, [] {
        if (auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            boite->button(QMessageBox::Ok)->click();
    });
    app.Protect([] { throw EInOutError(2); });
    TForm dialogue;
    auto* ok = new QPushButton(QStringLiteral("&OK"), &dialogue);
    dialogue.BindResult(ok, mrOk);
    QTimer::singleShot(0, [ok] { Cliquer(ok); });
    EXPECT_EQ(app.ShowModal(dialogue), mrOk);
    QApplication::setActiveWindow(nullptr);
    QApplication::processEvents();
    F().activateWindow();
    QTest::qWait(50);

    // FormActivate would have emptied the list and cleared the sheet.
    EXPECT_EQ(F().Dessin.NbSpires, 1);
    EXPECT_TRUE(MemesPixels(Feuille(), avecCourbe));
}

TEST_F(TfmVolutan2QtTest, TypedFieldsAndButtonsGiveTheCurve) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    Cliquer(F().fbRapide);
    F().edFixe->selectAll();
    QTest::keyClicks(F().edFixe, QStringLiteral("150"));
    QTest::keyClick(F().edMobile, Qt::Key_Up); // 59
    F().edTrou->selectAll();
    QTest::keyClicks(F().edTrou, QStringLiteral("abc")); // the last valid 25 stands
    Cliquer(F().btDessiner);
    ASSERT_EQ(F().Dessin.NbSpires, 1);
    EXPECT_EQ(F().Dessin.Spires[0], (TSpire{150, 59, 25, 0}));

    Cliquer(F().udFixe->UpButton());
    EXPECT_EQ(F().edFixe->text(), QStringLiteral("151"));
    F().edMobile->selectAll();
    QTest::keyClicks(F().edMobile, QStringLiteral("300")); // out of range: 59 stands
    Cliquer(F().btDessiner);
    EXPECT_EQ(F().Dessin.Spires[1], (TSpire{151, 59, 25, 0}));
}

TEST_F(TfmVolutan2QtTest, QuitButtonEndsTheRun) {
    app.CreateForm(fmVolutan2);
    QTimer::singleShot(0, [] { Cliquer(fmVolutan2->btQuitter); });
    // Should the button fail to end the run, the test still ends.
    bool secours = false;
    QTimer::singleShot(10000, [&] {
        secours = true;
        Application->Terminate();
    });
    EXPECT_EQ(app.Run(), 0);
    EXPECT_TRUE(app.Terminated());
    EXPECT_FALSE(secours);
    EXPECT_TRUE(fmVolutan2->isVisible()); // the window stays until the program ends
}
