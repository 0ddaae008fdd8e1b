// The front end's tests run inside a Qt application for its event loop,
// processes and fonts; most windows under test belong to the programs they start.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);  // some tests make the front end's windows here
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
