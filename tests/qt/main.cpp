// The front end's tests run inside a Qt application for its event loop,
// processes and fonts; the windows under test belong to the programs they start.
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
