// The Windows data folder takes over the files an earlier version left at
// the root of drive C:, once, through a temporary name, and never overwrites.

#include <gtest/gtest.h>

#include <fstream>

#include "harness.h"
#include "os/data_folder.h"
#include "store/settings_file.h"
#include "store/usage_file.h"

namespace vz::test {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kDataFiles{kUsageFile, kSettingsFile};

void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Get(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(WindowsDataFolder, LiesUnderLocalAppData) {
    EXPECT_EQ(WindowsDataFolder("C:\\Users\\ana\\AppData\\Local\\"),
              "C:\\Users\\ana\\AppData\\Local\\Verezerud");
    EXPECT_EQ(WindowsDataFolder(""), "");
}

TEST(WindowsDataFolder, TakesOverTheEarlierFilesOnce) {
    TempDir dir;
    const fs::path c = dir.path() / "c", folder = dir.path() / "Verezerud";
    fs::create_directory(c);
    Put(c / "ZURivIdid.tim", std::string("\x0A\x00", 2));
    Put(c / "SettingT.tim", std::string("\x01\x02", 2));
    EXPECT_EQ(AdoptEarlierFiles(folder.string(), kDataFiles, c.string()),
              (std::vector<std::string>{"ZURivIdid.tim", "SettingT.tim"}));
    EXPECT_EQ(Get(folder / "ZURivIdid.tim"), std::string("\x0A\x00", 2));
    Put(c / "ZURivIdid.tim", std::string("\x7F\x00", 2));
    fs::remove(folder / "SettingT.tim");
    EXPECT_TRUE(AdoptEarlierFiles(folder.string(), kDataFiles, c.string()).empty());
    EXPECT_EQ(Get(folder / "ZURivIdid.tim"), std::string("\x0A\x00", 2));
    EXPECT_FALSE(fs::exists(folder / "SettingT.tim"));
    EXPECT_FALSE(fs::exists(folder / "ZURivIdid.tim.carrying"));
}

TEST(WindowsDataFolder, CarriesAgainWhatAStartCutShortLeftHalfDone) {
    TempDir dir;
    const fs::path c = dir.path() / "c", folder = dir.path() / "Verezerud";
    fs::create_directories(c);
    fs::create_directories(folder);
    Put(c / "ZURivIdid.tim", std::string("\x0A\x00", 2));
    Put(c / "SettingT.tim", std::string("\x01\x02", 2));
    // Cut short after the usage file was renamed, the settings' copy still short.
    Put(folder / "ZURivIdid.tim", std::string("\x0C\x00", 2));
    Put(folder / "SettingT.tim.carrying", std::string("\x01", 1));
    EXPECT_EQ(AdoptEarlierFiles(folder.string(), kDataFiles, c.string()),
              std::vector<std::string>{"SettingT.tim"});
    EXPECT_EQ(Get(folder / "SettingT.tim"), std::string("\x01\x02", 2));
    EXPECT_EQ(Get(folder / "ZURivIdid.tim"), std::string("\x0C\x00", 2));
    EXPECT_FALSE(fs::exists(folder / "SettingT.tim.carrying"));
}

}  // namespace
}  // namespace vz::test
