#include <gtest/gtest.h>

// The converter needs no Qt, so its tests run without an application object.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
