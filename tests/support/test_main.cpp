#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Tests never need a display: pixel checks assume the offscreen platform at scale 1.
    // ctest sets these too, but test discovery and hand runs of a binary do not.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_ENABLE_HIGHDPI_SCALING"))
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
