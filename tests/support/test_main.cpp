#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Widgets need an application object; tests run on the offscreen platform (set by ctest).
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
