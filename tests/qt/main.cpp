// The front end's tests run inside a Qt application for its event loop,
// processes and fonts; most windows under test belong to the programs they start.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>
#include <iostream>

#include "suites.h"

namespace {

// For CTest's discovery at build time, with no display: each suite and what it
// needs, one a line. A declaration that names no suite is a mistake.
int ListSuites() {
    std::map<std::string, std::string> declared = vz::test::SuiteNeeds();
    const auto& tests = *::testing::UnitTest::GetInstance();
    for (int i = 0; i < tests.total_test_suite_count(); ++i) {
        const std::string name = tests.GetTestSuite(i)->name();
        const auto need = declared.find(name);
        std::cout << name << ' ' << (need != declared.end() ? need->second : "display 1920x1080")
                  << '\n';
        if (need != declared.end()) declared.erase(need);
    }
    for (const auto& [name, need] : declared)
        std::cerr << "declared for a suite that does not exist: " << name << '\n';
    return declared.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--list-suites") == 0) {
        ::testing::InitGoogleTest(&argc, argv);
        return ListSuites();
    }
    QApplication app(argc, argv);  // some tests make the front end's windows here
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
