// The three numeric fields of the main window's bottom panel (field plus
// up-down buttons), driven by QTest mouse and key events.
#include "controls/TUpDown.h"

#include "core/Exceptions.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

class TUpDownQtTest : public ::testing::Test {
protected:
    void SetUp() override {
        panneau = std::make_unique<QWidget>();
        panneau->resize(500, 69);
        edFixe = Champ("edFixe", {182, 23, 42, 30});
        udFixe = Boutons("udFixe", {224, 23, 15, 30}, 20, 200, 133, edFixe);
        edMobile = Champ("edMobile", {262, 23, 41, 30});
        udMobile = Boutons("udMobile", {303, 23, 15, 30}, 20, 200, 58, edMobile);
        edTrou = Champ("edTrou", {342, 23, 41, 30});
        udTrou = Boutons("udTrou", {383, 23, 15, 30}, 0, -1, 25, edTrou);
        panneau->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panneau.get()));
    }
    QLineEdit* Champ(const char* nom, QRect r) {
        auto* ed = new QLineEdit(panneau.get());
        ed->setObjectName(nom);
        ed->setGeometry(r);
        return ed;
    }
    // Max -1: left at the control's default (100).
    TUpDown* Boutons(const char* nom, QRect r, qint16 min, qint16 max, qint16 pos, QLineEdit* ed) {
        auto* ud = new TUpDown(panneau.get());
        ud->setObjectName(nom);
        ud->setGeometry(r);
        ud->SetMin(min);
        if (max >= 0) ud->SetMax(max);
        ud->SetPosition(pos);
        ud->SetIncrement(1);
        ud->SetWrap(false);
        ud->SetAssociate(ed);
        return ud;
    }
    static void Clic(QToolButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    static void Taper(QLineEdit* ed, const QString& texte) {
        ed->setFocus();
        ed->selectAll();
        QTest::keyClick(ed, Qt::Key_Delete);
        QTest::keyClicks(ed, texte);
    }

    std::unique_ptr<QWidget> panneau;
    QLineEdit *edFixe, *edMobile, *edTrou;
    TUpDown *udFixe, *udMobile, *udTrou;
};

TEST_F(TUpDownQtTest, StartValuesAndGeometry) {
    EXPECT_EQ(udFixe->Position(), 133);
    EXPECT_EQ(udMobile->Position(), 58);
    EXPECT_EQ(udTrou->Position(), 25);
    EXPECT_EQ(edFixe->text(), "133");
    EXPECT_EQ(edMobile->text(), "58");
    EXPECT_EQ(edTrou->text(), "25");
    EXPECT_EQ(udTrou->Max(), 100);
    EXPECT_EQ(udTrou->Min(), 0);
    // The buttons sit just right of their field, 15 x 30, halves of 15 x 15.
    EXPECT_EQ(udFixe->geometry(), QRect(224, 23, 15, 30));
    EXPECT_EQ(udMobile->geometry(), QRect(303, 23, 15, 30));
    EXPECT_EQ(udFixe->UpButton()->geometry(), QRect(0, 0, 15, 15));
    EXPECT_EQ(udFixe->DownButton()->geometry(), QRect(0, 15, 15, 15));
    // They follow the field when it moves (the panel's anchors).
    edFixe->move(182, 40);
    EXPECT_EQ(udFixe->geometry(), QRect(224, 40, 15, 30));
}

TEST_F(TUpDownQtTest, ButtonsStepByOneWithinTheBounds) {
    QSignalSpy clics(udFixe, &TUpDown::OnClick);
    Clic(udFixe->UpButton());
    EXPECT_EQ(udFixe->Position(), 134);
    EXPECT_EQ(edFixe->text(), "134");
    Clic(udFixe->DownButton());
    Clic(udFixe->DownButton());
    EXPECT_EQ(edFixe->text(), "132");
    ASSERT_EQ(clics.count(), 3);
    EXPECT_EQ(clics[0][0].value<TUDBtnType>(), TUDBtnType::udUp);
    EXPECT_EQ(clics[2][0].value<TUDBtnType>(), TUDBtnType::udDown);

    const struct {
        TUpDown* ud;
        QLineEdit* ed;
        qint16 depart;
        bool haut;
        const char* attendu;
    } bornes[] = {
        {udFixe, edFixe, 200, true, "200"},     {udFixe, edFixe, 20, false, "20"},
        {udMobile, edMobile, 199, true, "200"}, {udMobile, edMobile, 21, false, "20"},
        {udTrou, edTrou, 0, false, "0"},        {udTrou, edTrou, 100, true, "100"},
    };
    for (const auto& b : bornes) {
        b.ud->SetPosition(b.depart);
        clics.clear();
        for (int i = 0; i < 3; ++i)
            Clic(b.haut ? b.ud->UpButton() : b.ud->DownButton());
        EXPECT_EQ(b.ed->text(), b.attendu) << b.ud->objectName().toStdString();
        EXPECT_EQ(b.ud->Position(), QString(b.attendu).toInt());
    }
    // Out-of-range positions given by code are held to the bounds.
    udTrou->SetPosition(300);
    EXPECT_EQ(udTrou->Position(), 100);
    udFixe->SetPosition(-5);
    EXPECT_EQ(edFixe->text(), "20");
}

TEST_F(TUpDownQtTest, PressStepsAtOnceAndDoubleClickIsTwoSteps) {
    QTest::mousePress(udMobile->DownButton(), Qt::LeftButton);
    EXPECT_EQ(edMobile->text(), "57");
    QTest::mouseRelease(udMobile->DownButton(), Qt::LeftButton);
    EXPECT_EQ(udMobile->Position(), 57);
    // The platform's sequence: press, release, double click, release.
    QTest::mouseClick(udMobile->UpButton(), Qt::LeftButton);
    QTest::mouseDClick(udMobile->UpButton(), Qt::LeftButton);
    QTest::mouseRelease(udMobile->UpButton(), Qt::LeftButton);
    EXPECT_EQ(udMobile->Position(), 59);
    EXPECT_EQ(edMobile->text(), "59");
}

TEST_F(TUpDownQtTest, HeldButtonRepeatsOneStepAtATime) {
    QSignalSpy clics(udFixe, &TUpDown::OnClick);
    QTest::mousePress(udFixe->UpButton(), Qt::LeftButton);
    const int delai = udFixe->UpButton()->autoRepeatDelay();
    const int intervalle = udFixe->UpButton()->autoRepeatInterval();
    QTest::qWait(delai + 4 * intervalle);
    QTest::mouseRelease(udFixe->UpButton(), Qt::LeftButton);
    const int n = clics.count();
    EXPECT_GE(n, 3); // the press, then repetitions
    EXPECT_EQ(udFixe->Position(), 133 + n);
    EXPECT_EQ(edFixe->text(), QString::number(133 + n));
    // Released: no more steps.
    QTest::qWait(3 * intervalle);
    EXPECT_EQ(udFixe->Position(), 133 + n);
}

TEST_F(TUpDownQtTest, TypedNumberBecomesThePosition) {
    Taper(edFixe, "150");
    EXPECT_EQ(udFixe->Position(), 150);
    Clic(udFixe->UpButton());
    EXPECT_EQ(edFixe->text(), "151");

    // Anything but a whole number within the bounds leaves the last valid
    // position in force, and a step starts from it.
    for (const char* texte : {"", "abc", "250", "19", "-5", "1.5", "15 0", "0x20", "$20",
                              "99999999999999999999", "15a"}) {
        Taper(edFixe, texte);
        EXPECT_EQ(udFixe->Position(), 151) << texte;
    }
    Clic(udFixe->UpButton());
    EXPECT_EQ(edFixe->text(), "152");
    Taper(edFixe, "lettres");
    Clic(udFixe->DownButton());
    EXPECT_EQ(edFixe->text(), "151");

    for (const auto& [texte, valeur] :
         {std::pair{" 42 ", 42}, {"+60", 60}, {"020", 20}, {"200", 200}}) {
        Taper(edFixe, texte);
        EXPECT_EQ(udFixe->Position(), valeur) << texte;
    }
    // Setting the position from code replaces a text the user left, even
    // when it names the same value.
    Taper(edFixe, "xyz");
    udFixe->SetPosition(200);
    EXPECT_EQ(edFixe->text(), "200");
}

TEST_F(TUpDownQtTest, ArrowKeysStepTheFieldWithTheCaret) {
    edMobile->setFocus();
    QTest::keyClick(edMobile, Qt::Key_Up);
    EXPECT_EQ(edMobile->text(), "59");
    QTest::keyClick(edMobile, Qt::Key_Down);
    QTest::keyClick(edMobile, Qt::Key_Down);
    EXPECT_EQ(udMobile->Position(), 57);
    udMobile->SetPosition(200);
    QTest::keyClick(edMobile, Qt::Key_Up);
    EXPECT_EQ(edMobile->text(), "200");
    udMobile->SetPosition(20);
    QTest::keyClick(edMobile, Qt::Key_Down);
    EXPECT_EQ(edMobile->text(), "20");
    // Other keys still edit the field.
    QTest::keyClick(edMobile, Qt::Key_End);
    QTest::keyClick(edMobile, Qt::Key_5);
    EXPECT_EQ(udMobile->Position(), 20); // "205" is out of range
    QTest::keyClick(edMobile, Qt::Key_Backspace);
    QTest::keyClick(edMobile, Qt::Key_Backspace);
    QTest::keyClick(edMobile, Qt::Key_7);
    EXPECT_EQ(udMobile->Position(), 27);
    QTest::keyClick(edMobile, Qt::Key_Up);
    EXPECT_EQ(edMobile->text(), "28");
    udMobile->SetArrowKeys(false);
    QTest::keyClick(edMobile, Qt::Key_Up);
    EXPECT_EQ(udMobile->Position(), 28);
}

TEST_F(TUpDownQtTest, WrapIncrementAndSixteenBitRange) {
    udTrou->SetWrap(true);
    udTrou->SetPosition(100);
    Clic(udTrou->UpButton());
    EXPECT_EQ(edTrou->text(), "0");
    Clic(udTrou->DownButton());
    EXPECT_EQ(edTrou->text(), "100");
    udTrou->SetWrap(false);
    udTrou->SetIncrement(7);
    udTrou->SetPosition(95);
    Clic(udTrou->UpButton());
    EXPECT_EQ(udTrou->Position(), 100);

    udTrou->SetIncrement(30000);
    udTrou->SetMin(-32768);
    udTrou->SetMax(32767);
    udTrou->SetPosition(32767);
    Clic(udTrou->UpButton());
    EXPECT_EQ(udTrou->Position(), 32767);
    Taper(edTrou, "32768");
    EXPECT_EQ(udTrou->Position(), 32767);
    Taper(edTrou, "-32768");
    EXPECT_EQ(udTrou->Position(), -32768);
    Clic(udTrou->DownButton());
    EXPECT_EQ(edTrou->text(), "-32768");
    // Narrowing the range pulls the position inside it.
    udTrou->SetMin(0);
    EXPECT_EQ(udTrou->Position(), 0);
    EXPECT_EQ(edTrou->text(), "0");
}

TEST_F(TUpDownQtTest, Association) {
    // A field another up-down of the panel already holds.
    auto* autre = new TUpDown(panneau.get());
    autre->setObjectName("udAutre");
    try {
        autre->SetAssociate(edFixe);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "edFixe est déjà associé avec udFixe");
    }
    EXPECT_EQ(autre->Associate(), nullptr);
    EXPECT_EQ(udFixe->Associate(), edFixe);

    // A field of another parent is silently left out.
    QWidget ailleurs;
    auto* etranger = new QLineEdit(&ailleurs);
    etranger->setText("texte");
    autre->SetAssociate(etranger);
    EXPECT_EQ(autre->Associate(), nullptr);
    EXPECT_EQ(etranger->text(), "texte");

    // A destroyed field detaches itself; the position stays readable.
    delete edTrou;
    EXPECT_EQ(udTrou->Associate(), nullptr);
    EXPECT_EQ(udTrou->Position(), 25);
    Clic(udTrou->UpButton());
    EXPECT_EQ(udTrou->Position(), 26);

    // Moving the buttons to another field.
    auto* champ = new QLineEdit(panneau.get());
    champ->setGeometry(10, 5, 50, 20);
    udTrou->SetAssociate(champ);
    EXPECT_EQ(champ->text(), "26");
    EXPECT_EQ(udTrou->geometry(), QRect(60, 5, 15, 20));
    udTrou->SetAssociate(nullptr);
    Taper(champ, "50");
    EXPECT_EQ(udTrou->Position(), 26);
}

} // namespace
