// The desktop entries: the menu entry and the log-in autostart entry start
// the same program under the same name and icon.

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "resource_files.h"

namespace {

std::map<std::string, std::string> DesktopEntry(const std::string& name) {
    std::ifstream in(vz::test::ResourcePath(name));
    std::map<std::string, std::string> keys;
    std::string line;
    bool in_entry = false;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            in_entry = line == "[Desktop Entry]";
            continue;
        }
        const auto eq = line.find('=');
        if (in_entry && eq != std::string::npos) keys[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return keys;
}

TEST(DesktopEntry, MenuEntryStartsVerezerudUnderItsNameAndIcon) {
    auto keys = DesktopEntry("verezerud.desktop");
    EXPECT_EQ(keys["Type"], "Application");
    EXPECT_EQ(keys["Name"], "Verezerud");
    EXPECT_EQ(keys["Exec"], "verezerud");
    EXPECT_EQ(keys["Icon"], "verezerud");
    EXPECT_EQ(keys["Categories"], "Utility;");
    EXPECT_EQ(keys["Terminal"], "false");
}

TEST(DesktopEntry, AutostartEntryStartsTheSameProgram) {
    auto menu = DesktopEntry("verezerud.desktop");
    auto autostart = DesktopEntry("verezerud-autostart.desktop");
    for (const char* key : {"Type", "Name", "Exec", "Icon", "Categories"})
        EXPECT_EQ(autostart[key], menu[key]) << key;
    EXPECT_NE(autostart["Hidden"], "true");
}

}  // namespace
