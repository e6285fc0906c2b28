// GoogleTest entry of the end-to-end tests: no application object here; the
// first test that needs the display starts it and joins it (TSessionX).
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
