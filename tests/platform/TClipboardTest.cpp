// Without a graphical application there is no clipboard to take.
#include "platform/TClipboard.h"

#include "core/Exceptions.h"
#include "platform/TMetafile.h"
#include "platform/TMetafileCanvas.h"
#include "support/TVirtualPrinterBackEnd.h"

#include <gtest/gtest.h>

TEST(TClipboardTest, NoClipboardWithoutGraphicalApplication) {
    TMetafile image;
    { TMetafileCanvas c(image, TVirtualPrinterBackEnd::DefaultMetrics()); }
    ASSERT_FALSE(image.Empty());
    try {
        Clipboard().Assign(image);
        ADD_FAILURE() << "placed without a clipboard";
    } catch (const EInvalidGraphic&) {
        ADD_FAILURE() << "wrong failure";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Ne peut ouvrir le Presse-papiers");
    }
}
