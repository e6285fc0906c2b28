// GoogleTest entry of the end-to-end tests: no application object at first;
// the first test that needs the display starts it and joins it (TSessionX),
// and it ends here, before the program's own exit.
#include "SessionX.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const int resultat = RUN_ALL_TESTS();
    TSessionX::Session().Fermer();
    return resultat;
}
