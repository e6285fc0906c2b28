// The printer object on the virtual printer: the choice of the default
// printer, its messages, the handle and job states, and the page canvas.
#include "MessageImprimante.h"
#include "core/Exceptions.h"
#include "platform/TPrinter.h"
#include "platform/TPrinterCanvas.h"
#include "support/Lisible.h"
#include "support/TVirtualPrinterBackEnd.h"

#include <QPointF>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

namespace {

const std::string AucuneImprimante = "Aucune imprimante par défaut sélectionnée";
const std::string Incorrecte = "Imprimante sélectionnée incorrecte";
const std::string EnCours = "Impression en cours";
const std::string NImprimePas = "L'imprimante n'imprime pas pour l'instant";
const std::string NonSupportee = "Opération non supportée par l'imprimante sélectionnée";

class TPrinterQtTest : public ::testing::Test {
protected:
    void SetUp() override {
        virtuelle = std::make_shared<TVirtualPrinterBackEnd>();
        TPrinter::SetBackEnd(virtuelle);
        Printer().SetAbortCallback({});
    }
    void TearDown() override { TPrinter::SetBackEnd(nullptr); }

    std::shared_ptr<TVirtualPrinterBackEnd> virtuelle;
};

TEST_F(TPrinterQtTest, EveryNeedOfAMissingPrinterFailsAndLooksAgain) {
    struct Cas {
        const char* nom;
        std::function<void(TVirtualPrinterBackEnd&)> preparer;
    };
    const Cas cas[] = {
        {"no default printer", [](TVirtualPrinterBackEnd& v) { v.SetDefaultPrinter(""); }},
        {"default not installed", [](TVirtualPrinterBackEnd& v) { v.SetInstalled(false); }},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        virtuelle = std::make_shared<TVirtualPrinterBackEnd>();
        c.preparer(*virtuelle);
        TPrinter::SetBackEnd(virtuelle);
        TPrinter& p = Printer();
        EXPECT_EQ(MessageDe([&] { p.SetPortrait(); }), AucuneImprimante);
        EXPECT_EQ(MessageDe([&] { p.ResolutionX(); }), AucuneImprimante);
        EXPECT_EQ(MessageDe([&] { p.Metrics(); }), AucuneImprimante);
        EXPECT_EQ(MessageDe([&] { p.BeginDoc(); }), AucuneImprimante);
        EXPECT_EQ(virtuelle->DefaultLookups(), 4); // no printer got chosen
        EXPECT_FALSE(p.Printing());
        EXPECT_EQ(p.Handle(), TPrinterHandle::None);
        EXPECT_EQ(p.PrinterName(), "");

        // Once the system has a default printer, the next need chooses it.
        virtuelle->SetDefaultPrinter("Bureau");
        virtuelle->SetInstalled(true);
        EXPECT_EQ(p.ResolutionY(), 600);
        EXPECT_EQ(p.PrinterName(), "Bureau");
    }
}

TEST_F(TPrinterQtTest, TheChosenPrinterIsKeptForTheRun) {
    TPrinter& p = Printer();
    EXPECT_EQ(p.ResolutionX(), 600);
    EXPECT_EQ(p.PrinterName(), TVirtualPrinterBackEnd::DefaultName);
    virtuelle->SetDefaultPrinter("");
    p.SetPortrait();
    p.BeginDoc();
    p.EndDoc();
    EXPECT_EQ(p.Metrics().HorzRes, 4800);
    EXPECT_EQ(virtuelle->DefaultLookups(), 1);
    ASSERT_EQ(virtuelle->Documents().size(), 1u);
    EXPECT_EQ(virtuelle->Documents()[0].Settings.Device, TVirtualPrinterBackEnd::DefaultName);

    // A new printer object (a new run) looks again.
    TPrinter::Release();
    EXPECT_EQ(MessageDe([] { Printer().ResolutionX(); }), AucuneImprimante);
}

TEST_F(TPrinterQtTest, ContextAndSettingsFailures) {
    virtuelle->SetContextFails(true);
    TPrinter& p = Printer();
    EXPECT_EQ(MessageDe([&] { p.ResolutionX(); }), Incorrecte);
    EXPECT_EQ(MessageDe([&] { p.BeginDoc(); }), Incorrecte);
    EXPECT_FALSE(p.Printing());
    EXPECT_EQ(p.PageNumber(), 0);
    // The orientation lives in the settings and needs no context.
    EXPECT_EQ(MessageDe([&] { p.SetPortrait(); }), "");

    // A printer without device settings: its orientation cannot be set, yet
    // it answers queries and prints.
    virtuelle = std::make_shared<TVirtualPrinterBackEnd>();
    virtuelle->SetHasSettings(false);
    TPrinter::SetBackEnd(virtuelle);
    TPrinter& q = Printer();
    q.SetAbortCallback({});
    EXPECT_EQ(MessageDe([&] { q.SetPortrait(); }), NonSupportee);
    EXPECT_EQ(q.ResolutionX(), 600);
    q.BeginDoc();
    q.EndDoc();
    EXPECT_EQ(virtuelle->Documents().size(), 1u);

    // A document that cannot start is reported and leaves no job open.
    virtuelle->SetStartFails(true);
    EXPECT_EQ(MessageDe([&] { q.BeginDoc(); }), Incorrecte);
    EXPECT_FALSE(q.Printing());
    EXPECT_FALSE(virtuelle->DocumentOpen());

    // A document the printing system refuses is reported, the job closed.
    virtuelle->SetStartFails(false);
    virtuelle->SetEndFails(true);
    q.BeginDoc();
    EXPECT_EQ(MessageDe([&] { q.EndDoc(); }),
              "Le document n'a pas pu être transmis à l'imprimante");
    EXPECT_FALSE(q.Printing());
    EXPECT_EQ(q.PageNumber(), 0);
}

TEST_F(TPrinterQtTest, JobStatesAndTheirMessages) {
    TPrinter& p = Printer();
    TPrinterCanvas& page = p.Canvas();
    EXPECT_EQ(MessageDe([&] { p.EndDoc(); }), NImprimePas);
    EXPECT_EQ(MessageDe([&] { page.MoveTo(10, 10); }), "");
    EXPECT_EQ(MessageDe([&] { page.LineTo(20, 10); }), NImprimePas);
    EXPECT_EQ(MessageDe([&] { page.Rectangle(0, 0, 5, 5); }), NImprimePas);

    p.BeginDoc();
    EXPECT_TRUE(p.Printing());
    EXPECT_EQ(p.PageNumber(), 1);
    EXPECT_EQ(p.Title(), "");
    EXPECT_TRUE(virtuelle->DocumentOpen());
    EXPECT_EQ(MessageDe([&] { p.BeginDoc(); }), EnCours);
    EXPECT_EQ(MessageDe([&] { p.SetPortrait(); }), EnCours);
    EXPECT_TRUE(p.Printing()); // the refused requests leave the job alone
    EXPECT_EQ(MessageDe([&] { page.LineTo(20, 10); }), "");
    p.EndDoc();
    EXPECT_FALSE(p.Printing());
    EXPECT_EQ(p.PageNumber(), 0);
    EXPECT_EQ(MessageDe([&] { p.EndDoc(); }), NImprimePas);
    EXPECT_EQ(MessageDe([&] { page.LineTo(30, 10); }), NImprimePas);

    ASSERT_EQ(virtuelle->Documents().size(), 1u);
    const auto& document = virtuelle->Documents()[0];
    EXPECT_TRUE(document.Finished);
    EXPECT_EQ(document.Title, "");
    // Only the line drawn inside the job: the MoveTo before it set its start.
    // It covers pixels 10 to 19 of row 10 (each the square from (x, y) to
    // (x + 1, y + 1)): along the row's middle, from the left edge of 10 to 20.
    ASSERT_EQ(document.Segments.size(), 1u);
    EXPECT_EQ(document.Segments[0].From, QPointF(10, 10.5));
    EXPECT_EQ(document.Segments[0].To, QPointF(20, 10.5));
}

TEST_F(TPrinterQtTest, HandleStatesFollowQueriesJobsAndOrientation) {
    TPrinter& p = Printer();
    EXPECT_EQ(p.Handle(), TPrinterHandle::None);
    // The virtual printer's default settings are landscape.
    EXPECT_EQ(p.Orientation(), TOrientation::Landscape);
    EXPECT_EQ(p.Metrics(), (TPrinterMetrics{600, 600, 6600, 4800, 279, 203}));
    EXPECT_EQ(p.Handle(), TPrinterHandle::InformationContext);

    p.SetPortrait(); // drops the handle
    EXPECT_EQ(p.Handle(), TPrinterHandle::None);
    EXPECT_FALSE(virtuelle->ContextOpen());
    EXPECT_EQ(p.Orientation(), TOrientation::Portrait);
    EXPECT_EQ(p.ResolutionX(), 600);
    EXPECT_EQ(p.ResolutionY(), 600);
    EXPECT_EQ(p.Handle(), TPrinterHandle::InformationContext);
    EXPECT_EQ(p.Metrics(), TVirtualPrinterBackEnd::DefaultMetrics());
    EXPECT_EQ(virtuelle->InformationContextsOpened(), 2);

    p.BeginDoc(); // the information context gives way to a device context
    EXPECT_EQ(p.Handle(), TPrinterHandle::DeviceContext);
    p.EndDoc();
    EXPECT_EQ(p.Handle(), TPrinterHandle::DeviceContext); // it stays after the job
    EXPECT_EQ(p.Metrics(), TVirtualPrinterBackEnd::DefaultMetrics());
    p.BeginDoc(); // and serves the next job
    p.EndDoc();
    EXPECT_EQ(virtuelle->DeviceContextsOpened(), 1);
    EXPECT_EQ(virtuelle->InformationContextsOpened(), 2);
    ASSERT_EQ(virtuelle->Documents().size(), 2u);
    EXPECT_EQ(virtuelle->Documents()[1].Settings.Orientation, TOrientation::Portrait);

    p.SetOrientation(TOrientation::Landscape);
    EXPECT_EQ(p.Handle(), TPrinterHandle::None);
    p.BeginDoc();
    p.EndDoc();
    EXPECT_EQ(virtuelle->DeviceContextsOpened(), 2);
    EXPECT_EQ(virtuelle->Documents()[2].Settings.Orientation, TOrientation::Landscape);
}

TEST_F(TPrinterQtTest, PageCanvasPenAndLines) {
    TPrinter& p = Printer();
    TPrinterCanvas& page = p.Canvas();
    page.SetPenColor(0x00123456); // 0x00BBGGRR
    p.BeginDoc();
    page.MoveTo(100, 200);
    page.LineTo(150, 200);
    page.LineTo(150, 200); // a line to its own start marks nothing
    page.SetPenColor(0x0000FF);
    page.LineTo(150, 150);
    p.EndDoc();
    EXPECT_EQ(&p.Canvas(), &page);
    // A second job: same canvas, the pen selected afresh into the new page.
    p.BeginDoc();
    page.LineTo(0, 150);
    p.EndDoc();

    // Each line covers the squares of the pixels from its start to its end,
    // the end left out: columns 100..149 of row 200, rows 200 up to 151 of
    // column 150, columns 150 down to 1 of row 150.
    ASSERT_EQ(virtuelle->Documents().size(), 2u);
    using S = TVirtualPrinterBackEnd::TSegment;
    const auto& d1 = virtuelle->Documents()[0].Segments;
    ASSERT_EQ(d1.size(), 2u);
    EXPECT_EQ(d1[0], (S{QPointF(100, 200.5), QPointF(150, 200.5), 0x123456, 1, true, true}));
    EXPECT_EQ(d1[1], (S{QPointF(150.5, 201), QPointF(150.5, 151), 0x0000FF, 1, true, true}));
    const auto& d2 = virtuelle->Documents()[1].Segments;
    ASSERT_EQ(d2.size(), 1u);
    EXPECT_EQ(d2[0], (S{QPointF(151, 150.5), QPointF(1, 150.5), 0x0000FF, 1, true, true}));
    EXPECT_EQ(virtuelle->Documents()[0].UnsupportedOperations, 0);
}

TEST_F(TPrinterQtTest, EventsDuringTheHandOverSeeTheJobOpen) {
    TPrinter& p = Printer();
    std::string pendant;
    bool imprimait = false;
    p.SetAbortCallback([&] {
        imprimait = p.Printing();
        pendant = MessageDe([&] { p.BeginDoc(); }) + "|" + MessageDe([&] { p.SetPortrait(); });
        p.Canvas().LineTo(1, 1); // the page is still there to draw on
    });
    p.BeginDoc();
    p.Canvas().MoveTo(0, 0);
    p.EndDoc();
    EXPECT_TRUE(imprimait);
    EXPECT_EQ(pendant, EnCours + "|" + EnCours);
    EXPECT_FALSE(p.Printing());
    ASSERT_EQ(virtuelle->Documents().size(), 1u);
    EXPECT_EQ(virtuelle->Documents()[0].Segments.size(), 1u);

    // A failure in the callback still closes the job, and is passed on.
    p.SetAbortCallback([] { throw EPrinter("rappel"); });
    p.BeginDoc();
    EXPECT_EQ(MessageDe([&] { p.EndDoc(); }), "rappel");
    EXPECT_FALSE(p.Printing());
    EXPECT_FALSE(virtuelle->DocumentOpen());
    EXPECT_TRUE(virtuelle->Documents()[1].Finished);
}

TEST_F(TPrinterQtTest, ReleaseFinishesAnOpenJob) {
    Printer().BeginDoc();
    Printer().Canvas().LineTo(3, 4);
    TPrinter::Release();
    EXPECT_FALSE(virtuelle->DocumentOpen());
    ASSERT_EQ(virtuelle->Documents().size(), 1u);
    EXPECT_TRUE(virtuelle->Documents()[0].Finished);
    EXPECT_FALSE(virtuelle->ContextOpen());
    // The next use starts a fresh object on the same back end.
    EXPECT_FALSE(Printer().Printing());
    EXPECT_EQ(Printer().Handle(), TPrinterHandle::None);
}

} // namespace
