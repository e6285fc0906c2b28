// The application shell: title, the '.' rule, the error trap and its
// connections, activation, the modal run, quitting and the yield.
#include "core/Exceptions.h"
#include "shell/Connecter.h"
#include "shell/TApplication.h"
#include "shell/TForm.h"
#include "support/Attendre.h"
#include "support/Lisible.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

using Messages = std::vector<std::pair<QString, QString>>;

class Fenetre : public TForm {
public:
    Fenetre() {
        resize(200, 100);
        champ = new QLineEdit(this);
        champ->setGeometry(10, 10, 100, 24);
        bouton = new QPushButton(QStringLiteral("&Aller"), this);
        bouton->setGeometry(10, 40, 80, 24);
    }
    void FormCreate() override { ++creations; }
    void FormActivate() override { ++activations; }
    void FormShow() override { ++affichages; }
    QLineEdit* champ;
    QPushButton* bouton;
    int creations = 0;
    int activations = 0;
    int affichages = 0;
};

class Dialogue : public TForm {
public:
    Dialogue() {
        resize(200, 100);
        champ = new QLineEdit(this);
        champ->setGeometry(10, 10, 100, 24);
        btOK = new QPushButton(QStringLiteral("&OK"), this);
        btOK->setGeometry(10, 40, 80, 24);
        btAnnuler = new QPushButton(QStringLiteral("&Annuler"), this);
        btAnnuler->setGeometry(100, 40, 80, 24);
        BindResult(btOK, mrOk);
        BindResult(btAnnuler, mrCancel);
    }
    void FormActivate() override { ++activations; }
    QLineEdit* champ;
    QPushButton* btOK;
    QPushButton* btAnnuler;
    int activations = 0;
};

class TApplicationQtTest : public ::testing::Test {
protected:
    TApplicationQtTest() {
        app.SetReporter(
            [this](const QString& t, const QString& m) { messages.emplace_back(t, m); });
    }
    TApplication app;
    Messages messages;
};

// Runs `action` from the event loop once the modal run has started.
void Ensuite(std::function<void()> action) {
    QTimer::singleShot(0, qApp, std::move(action));
}

} // namespace

TEST_F(TApplicationQtTest, DerivedFromTheProgramFileName) {
    const std::pair<const char*, const char*> cas[] = {
        {"C:/Programmes/ABC2.EXE", "Abc2"},
        {"/work/main/build/Volutan2", "Volutan2"},
        {"/usr/bin/volutan2.bin", "volutan2"},
        {"/a.b/MON.PROG.EXE", "Mon"},
        {"/bin/x", "x"},
        {"/bin/ÉTÉ.exe", "Été"},
        {"", ""},
    };
    for (const auto& [chemin, titre] : cas)
        EXPECT_EQ(TApplication::ProgramTitle(QString::fromUtf8(chemin)), QString::fromUtf8(titre))
            << chemin;
    // The running program: the test executable's own name, first letter as is.
    TApplication app;
    EXPECT_EQ(app.Title(), QStringLiteral("test_shell_tapplicationqttest"));
    EXPECT_EQ(Application, &app);
}

TEST_F(TApplicationQtTest, PeriodRule) {
    const std::pair<const char*, const char*> cas[] = {
        {"Fichier introuvable", "Fichier introuvable."},
        {"Erreur E/S 32", "Erreur E/S 32."},
        {"Courbe trop longue :", "Courbe trop longue :."},
        {"Vraiment ?", "Vraiment ?."},
        {"Accès refusé", "Accès refusé."},
        {"Déjà fini.", "Déjà fini."},
        {"Stop!", "Stop!"},
        {"(voir plus haut)", "(voir plus haut)"},
        {"a,", "a,"},
        {"a-", "a-"},
        {"'12a'", "'12a'"},
        {"fin ", "fin "},
        {"/", "/."},
        {"", ""},
    };
    for (const auto& [texte, attendu] : cas)
        EXPECT_EQ(TApplication::MessageWithPeriod(QString::fromUtf8(texte)),
                  QString::fromUtf8(attendu))
            << texte;
}

TEST_F(TApplicationQtTest, TrapReportsEveryKindOfErrorAndSkipsTheRest) {
    int suite = 0;
    app.Protect([&] {
        throw EDivByZero();
        ++suite;
    });
    app.Protect([] { throw EPrinter("Aucune imprimante par défaut sélectionnée"); });
    app.Protect([] { throw std::runtime_error("panne"); });
    app.Protect([] { throw 42; });
    app.Protect([&] { ++suite; }); // no error, no message
    EXPECT_EQ(suite, 1);
    const QString t = app.Title();
    EXPECT_EQ(messages, (Messages{{t, QStringLiteral("Division par zéro.")},
                                  {t, QStringLiteral("Aucune imprimante par défaut sélectionnée.")},
                                  {t, QStringLiteral("panne.")},
                                  {t, QStringLiteral("Erreur inconnue.")}}));
}

TEST_F(TApplicationQtTest, ConnectedHandlersRunInsideTheTrap) {
    Fenetre f;
    f.show();
    int clics = 0;
    QString recu;
    Connecter(f.bouton, &QPushButton::clicked, &f, [&] {
        ++clics;
        throw EInOutError(2);
    });
    // A functor taking the signal's argument, and a member handler taking none.
    Connecter(f.champ, &QLineEdit::textChanged, &f, [&](const QString& s) { recu = s; });
    Connecter(f.champ, &QLineEdit::returnPressed, &f, &QWidget::hide);

    QTest::mouseClick(f.bouton, Qt::LeftButton);
    QTest::mouseClick(f.bouton, Qt::LeftButton); // the program went on
    EXPECT_EQ(clics, 2);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].second, QStringLiteral("Fichier introuvable."));

    QTest::keyClicks(f.champ, QStringLiteral("12a"));
    EXPECT_EQ(recu, QStringLiteral("12a"));
    QTest::keyClick(f.champ, Qt::Key_Return);
    EXPECT_FALSE(f.isVisible());
}

TEST_F(TApplicationQtTest, CreationMakesTheFirstFormMainAndRunsFormCreateInTheTrap) {
    struct Fautive : Fenetre {
        void FormCreate() override {
            ++creations;
            throw EPrinter("Aucune imprimante par défaut sélectionnée");
        }
    };
    Fautive* principale = nullptr;
    Fenetre* seconde = nullptr;
    app.CreateForm(principale);
    app.CreateForm(seconde);
    EXPECT_EQ(app.MainForm(), principale);
    EXPECT_EQ(principale->creations, 1);
    EXPECT_EQ(seconde->creations, 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].second, QStringLiteral("Aucune imprimante par défaut sélectionnée."));
    delete seconde;
    delete principale;
}

TEST_F(TApplicationQtTest, FormActivateRunsOnceAtTheFirstActivation) {
    Fenetre* f = nullptr;
    app.CreateForm(f);
    f->show();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    ATTENDRE(f->activations == 1, 5000) << "the first activation";
    EXPECT_EQ(f->affichages, 1);
    EXPECT_EQ(app.ActiveForm(), f);

    // Focus moving inside the window: the same window, nothing more.
    f->bouton->setFocus();
    f->champ->setFocus();

    // A message box (owned by the application) comes and goes.
    app.SetReporter({});
    Ensuite([] {
        auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(boite, nullptr);
        EXPECT_EQ(boite->icon(), QMessageBox::Critical);
        EXPECT_EQ(boite->standardButtons(), QMessageBox::Ok);
        EXPECT_EQ(boite->text(), QStringLiteral("Fichier introuvable."));
        boite->button(QMessageBox::Ok)->click();
    });
    app.Protect([] { throw EInOutError(2); });

    // Another application takes the focus, then gives it back.
    QApplication::setActiveWindow(nullptr);
    QApplication::processEvents();
    QApplication::setActiveWindow(f);
    f->champ->setFocus();

    // A dialog in a modal run, during which the window below is handed the
    // keyboard focus (a Wayland compositor does that on a click or a focus
    // command): the record stays the dialog's, and no dialog is parented
    // off Wayland.
    Dialogue d;
    TForm* enregistrementPendant = nullptr;
    Ensuite([&] {
        QApplication::setActiveWindow(f);
        f->champ->setFocus();
        QApplication::processEvents();
        enregistrementPendant = app.ActiveForm();
        EXPECT_EQ(app.DialogOwner(), nullptr);
        d.btOK->click();
    });
    EXPECT_EQ(app.ShowModal(d), mrOk);
    EXPECT_EQ(enregistrementPendant, &d);
    f->activateWindow();
    QTest::qWait(20);
    EXPECT_EQ(f->activations, 1);
    EXPECT_EQ(d.activations, 1);
    EXPECT_EQ(app.ActiveForm(), f);
    delete f;
}

TEST_F(TApplicationQtTest, ModalRunResults) {
    Fenetre* f = nullptr;
    app.CreateForm(f);
    f->show();
    Dialogue d;

    // OK, Annuler, close box, then Escape that does nothing before OK.
    Ensuite([&d] { QTest::mouseClick(d.btOK, Qt::LeftButton); });
    EXPECT_EQ(app.ShowModal(d), mrOk);
    EXPECT_FALSE(d.isVisible());
    Ensuite([&d] { QTest::keyClick(&d, Qt::Key_A, Qt::AltModifier); });
    EXPECT_EQ(app.ShowModal(d), mrCancel);
    Ensuite([&d] { d.close(); });
    EXPECT_EQ(app.ShowModal(d), mrCancel);
    EXPECT_FALSE(d.isVisible());
    bool ouvertApresEchap = false;
    Ensuite([&d, &ouvertApresEchap] {
        d.champ->setFocus();
        QTest::keyClick(d.champ, Qt::Key_Escape);
        QTest::keyClick(&d, Qt::Key_Escape);
        QApplication::processEvents();
        ouvertApresEchap = d.isVisible() && Application->ModalForm() == &d;
        QTest::keyClick(d.btOK, Qt::Key_Space);
    });
    EXPECT_EQ(app.ShowModal(d), mrOk);
    EXPECT_TRUE(ouvertApresEchap);
    // The main window takes no input while the dialog runs.
    bool principaleBloquee = false;
    Ensuite([&] {
        principaleBloquee = QApplication::activeModalWidget() == &d;
        d.btAnnuler->click();
    });
    EXPECT_EQ(app.ShowModal(d), mrCancel);
    EXPECT_TRUE(principaleBloquee);
    EXPECT_EQ(app.ModalForm(), nullptr);
    EXPECT_TRUE(messages.empty());
    delete f;
}

TEST_F(TApplicationQtTest, ModalRunOfAVisibleDialogFails) {
    Dialogue d;
    d.show();
    try {
        app.ShowModal(d);
        FAIL() << "no exception";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Impossible de rendre modale une fenêtre visible");
    }
    // Nested: the dialog asks for its own modal run while in one.
    d.hide();
    Ensuite([&] {
        app.Protect([&] { app.ShowModal(d); });
        d.btOK->click();
    });
    EXPECT_EQ(app.ShowModal(d), mrOk);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].second,
              QStringLiteral("Impossible de rendre modale une fenêtre visible."));
}

TEST_F(TApplicationQtTest, QuitRequestEndsAModalRunWithCancel) {
    Fenetre* f = nullptr;
    app.CreateForm(f);
    f->show();
    Dialogue d;
    Ensuite([] { Application->MainForm()->close(); });
    EXPECT_EQ(app.ShowModal(d), mrCancel);
    EXPECT_TRUE(app.Terminated());
    EXPECT_TRUE(f->isVisible()); // closing the main window does not hide it
    // Opened after the quit request: ends at once with 2.
    EXPECT_EQ(app.ShowModal(d), mrCancel);
    EXPECT_FALSE(d.isVisible());
    delete f;
}

TEST_F(TApplicationQtTest, QuitDuringASlowHandlerLetsItFinish) {
    Fenetre* f = nullptr;
    app.CreateForm(f);
    int segments = 0;
    int pauses = 0;
    app.SetPause([&] { ++pauses; });
    bool visibleALaFin = false;
    bool termineALaFin = false;
    // A handler that yields between its 200 steps, as a slow trace does; the
    // close box is used at step 50.
    Connecter(f->bouton, &QPushButton::clicked, f, [&] {
        for (int i = 0; i < 200; ++i) {
            ++segments;
            Application->Pause();
            if (i == 50) f->close();
            Application->ProcessMessages();
        }
        visibleALaFin = f->isVisible();
        termineALaFin = Application->Terminated();
        Application->RequestQuit(); // ends the run even if the close went astray
    });
    Ensuite([f] { f->bouton->click(); });
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(segments, 200);
    EXPECT_EQ(pauses, 200);
    EXPECT_TRUE(visibleALaFin);
    EXPECT_TRUE(termineALaFin);
    delete f;
}

TEST_F(TApplicationQtTest, YieldHandlesPendingEventsAndReturnsAtOnce) {
    int traites = 0;
    for (int i = 0; i < 5; ++i)
        QMetaObject::invokeMethod(
            qApp, [&] { ++traites; }, Qt::QueuedConnection);
    app.ProcessMessages();
    EXPECT_EQ(traites, 5);
    QElapsedTimer chrono;
    chrono.start();
    app.ProcessMessages(); // nothing pending: no wait
    EXPECT_LT(chrono.elapsed(), 1000);
    // The default pause really waits about 10 ms.
    chrono.restart();
    app.Pause();
    EXPECT_GE(chrono.elapsed(), 9);
}
