// The clipboard: the picture's five types and nothing else, the seam, the
// refusal of a picture that holds no recording, and the EMF types alone for a
// picture past the size bound.
#include "platform/TClipboard.h"

#include "core/Exceptions.h"
#include "platform/TClipboardData.h"
#include "platform/TMetafile.h"
#include "platform/TMetafileCanvas.h"
#include "support/TVirtualPrinterBackEnd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

namespace {

TMetafile Image() {
    TMetafile image;
    image.SetWidth(20);
    image.SetHeight(20);
    TMetafileCanvas c(image, TVirtualPrinterBackEnd::DefaultMetrics());
    c.MoveTo(0, 0);
    c.SetPenColor(0xFF);
    c.LineTo(20, 20);
    return image;
}

} // namespace

// In the order offered: the office suite's EMF type first.
const QStringList CinqTypes = {"application/x-openoffice-emf;windows_formatname=\"Image EMF\"",
                               "image/x-emf", "image/emf", "image/svg+xml", "image/png"};

TEST(TClipboardQtTest, PlacesThePictureUnderItsFiveTypesOnly) {
    QGuiApplication::clipboard()->setText("avant");
    const TMetafile image = Image();
    Clipboard().Assign(image);
    const QMimeData* donnees = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(donnees, nullptr);
    EXPECT_EQ(donnees->formats(), CinqTypes);
    for (const QString& emf : {CinqTypes[0], CinqTypes[1], CinqTypes[2]}) {
        EXPECT_TRUE(donnees->hasFormat(emf));
        EXPECT_EQ(donnees->data(emf), image.Emf()) << emf.toStdString();
    }
    EXPECT_EQ(donnees->data("image/svg+xml"), image.Svg());
    EXPECT_EQ(donnees->data("image/png"), image.Png());
    EXPECT_TRUE(donnees->data("image/png").startsWith("\x89PNG"));
    EXPECT_FALSE(donnees->hasText());
    EXPECT_FALSE(donnees->hasImage());
    EXPECT_TRUE(donnees->data("text/plain").isEmpty());
}

TEST(TClipboardQtTest, SeamReceivesWhatWouldBePlacedAndLeavesTheSystemClipboard) {
    QGuiApplication::clipboard()->setText("avant");
    QStringList vus;
    QByteArray emf;
    Clipboard().SetPlacer([&](const QMimeData& d) {
        vus = d.formats();
        emf = d.data("image/x-emf");
    });
    const TMetafile image = Image();
    Clipboard().Assign(image);
    EXPECT_EQ(vus, CinqTypes);
    EXPECT_EQ(emf, image.Emf());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "avant");

    // A picture that never recorded is refused before anything is placed.
    vus.clear();
    try {
        Clipboard().Assign(TMetafile{});
        ADD_FAILURE() << "an empty picture was placed";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "MetaFichier incorrect");
    }
    EXPECT_TRUE(vus.isEmpty());
    Clipboard().SetPlacer({});
}

// At the bound the five types; one byte past it, the EMF types alone, and
// nothing made for the other two even when asked by name.
TEST(TClipboardQtTest, PastTheBoundOnlyTheEmfIsOffered) {
    const TMetafile image = Image();
    const qsizetype taille = image.Emf().size();
    const TClipboardData aLaBorne(image, taille);
    EXPECT_EQ(aLaBorne.formats(), CinqTypes);
    EXPECT_EQ(aLaBorne.data("image/svg+xml"), image.Svg());

    const TClipboardData audela(image, taille - 1);
    const QStringList emf = CinqTypes.mid(0, 3);
    EXPECT_EQ(audela.formats(), emf);
    for (const QString& type : CinqTypes) {
        EXPECT_EQ(audela.hasFormat(type), emf.contains(type)) << type.toStdString();
        EXPECT_EQ(audela.data(type), emf.contains(type) ? image.Emf() : QByteArray())
            << type.toStdString();
    }
}
