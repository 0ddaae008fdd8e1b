// The desktop's sources of presence, each against the real thing it watches:
// an X server, a window manager, D-Bus services, a sound server. CTest runs
// each suite inside what it needs (CMakeLists.txt beside this file).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
