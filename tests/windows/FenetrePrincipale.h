#pragma once
// Shared set-up of the main window tests: a virtual printer
// (600 pixels per inch), recorded error messages instead of boxes, a counted
// pause instead of the 10 ms sleep, and the window started as the program
// starts it (creation, show, first activation).
#include "controls/TColorGrid.h"
#include "controls/TImage.h"
#include "controls/TUpDown.h"
#include "engine/TBitmapCanvas.h"
#include "engine/TDessin.h"
#include "engine/Tracer.h"
#include "platform/TPrinter.h"
#include "shell/TApplication.h"
#include "support/Attendre.h"
#include "support/Lisible.h"
#include "support/TVirtualPrinterBackEnd.h"
#include "windows/uVolutan2.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

class FenetrePrincipaleTest : public ::testing::Test {
protected:
    using Messages = std::vector<std::pair<QString, QString>>;

    void SetUp() override {
        imprimante = std::make_shared<TVirtualPrinterBackEnd>();
        TPrinter::SetBackEnd(imprimante);
        app.SetReporter(
            [this](const QString& t, const QString& m) { messages.emplace_back(t, m); });
        app.SetPause([this] {
            ++pauses;
            if (surPause) surPause(pauses);
        });
    }

    void TearDown() override {
        delete fmVolutan2;
        TPrinter::Release();
        TPrinter::SetBackEnd(nullptr);
    }

    // Creation, show and first activation, as at the program's start
    // (`fichier`: named on the command line).
    void Demarrer(const QString& fichier = {}) {
        app.CreateForm(fmVolutan2);
        ASSERT_EQ(app.MainForm(), fmVolutan2);
        if (!fichier.isEmpty()) fmVolutan2->OuvrirAuDemarrage(fichier);
        fmVolutan2->show();
        fmVolutan2->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fmVolutan2));
        // FormActivate points the tracer at the sheet.
        ATTENDRE(F().Dessin.Cible == &fmVolutan2->FeuilleCanvas(), 5000) << "the first activation";
    }

    TfmVolutan2& F() { return *fmVolutan2; }
    const TBitmapCanvas& Feuille() { return fmVolutan2->Image1->Bitmap(); }

    // Runs `action` from the event queue, as a user's click arrives during a yield.
    static void Ensuite(std::function<void()> action) {
        QMetaObject::invokeMethod(qApp, std::move(action), Qt::QueuedConnection);
    }
    static void Cliquer(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

    // The curve `spire` traced at once on a copy of `fond`, about (1050, 750)
    // at the sheet's resolution; `segments` > 0 stops it after that many.
    TBitmapCanvas Reference(const TBitmapCanvas& fond, const TSpire& spire, int segments = 0) {
        TBitmapCanvas copie = fond;
        TDessin dessin = F().Dessin; // its mode and resolutions
        dessin.Cible = &copie;
        dessin.CentreX = 1050.0;
        dessin.CentreY = 750.0;
        int n = 0;
        TTraceLent lenteur;
        lenteur.Pause = [] {};
        lenteur.Arreter = [&] { return ++n >= segments; };
        lenteur.Ceder = [] {};
        Tracer(dessin, spire, segments > 0, lenteur);
        return copie;
    }

    static bool MemesPixels(const TBitmapCanvas& a, const TBitmapCanvas& b) {
        return a.Width() == b.Width() && a.Height() == b.Height() &&
               std::equal(a.Bits(), a.Bits() + static_cast<std::size_t>(a.Width()) * a.Height(),
                          b.Bits());
    }

    TApplication app;
    std::shared_ptr<TVirtualPrinterBackEnd> imprimante;
    Messages messages;
    int pauses = 0;
    std::function<void(int)> surPause;
};
