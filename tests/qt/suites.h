#pragma once
// What a suite of gui_tests needs around it. CTest runs each suite on its own
// (suites.cmake), on a virtual 1920x1080 display of its own unless the suite's
// source declares otherwise, next to the suite:
//   VZ_SUITE_OFFSCREEN("Fonts");                no display: Qt's offscreen platform
//   VZ_SUITE_DISPLAY("Monitors", "3200x1080");  a virtual display of that size

#include <map>
#include <string>

namespace vz::test {

// "offscreen" or "display WIDTHxHEIGHT", by suite name.
inline std::map<std::string, std::string>& SuiteNeeds() {
    static std::map<std::string, std::string> needs;
    return needs;
}

inline bool DeclareSuite(const char* suite, const std::string& needs) {
    SuiteNeeds()[suite] = needs;
    return true;
}

}  // namespace vz::test

#define VZ_SUITE_JOIN2(a, b) a##b
#define VZ_SUITE_JOIN(a, b) VZ_SUITE_JOIN2(a, b)
#define VZ_SUITE_OFFSCREEN(suite)                                  \
    [[maybe_unused]] static const bool VZ_SUITE_JOIN(vz_suite_, __LINE__) = \
        ::vz::test::DeclareSuite(suite, "offscreen")
#define VZ_SUITE_DISPLAY(suite, size)                              \
    [[maybe_unused]] static const bool VZ_SUITE_JOIN(vz_suite_, __LINE__) = \
        ::vz::test::DeclareSuite(suite, "display " size)
