// The Windows resources as the resource compiler builds them from
// resources/verezerud.rc: every entry's type, identifier and language, the
// bytes of the chime and the icon, and the version block read field by field.
// The compiled .res file is named by VZ_RES_FILE (see compile_rc.cmake).

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <variant>

#include "resource_files.h"

namespace {

using vz::test::FileBytes;
using vz::test::U16;
using vz::test::U32;

constexpr std::uint16_t kEnglishUs = 1033;
constexpr std::uint16_t kChinesePrc = 2052;
constexpr std::uint16_t kRtIcon = 3;
constexpr std::uint16_t kRtGroupIcon = 14;
constexpr std::uint16_t kRtVersion = 16;

std::size_t Align4(std::size_t at) { return (at + 3) & ~std::size_t(3); }

// A name or type in a .res header: a number, or a UTF-16 string (kept as ASCII here).
using NameOrId = std::variant<std::uint16_t, std::string>;

NameOrId ReadNameOrId(const FileBytes& b, std::size_t& at) {
    if (U16(b, at) == 0xFFFF) {
        const std::uint16_t id = U16(b, at + 2);
        at += 4;
        return id;
    }
    std::string s;
    for (; U16(b, at) != 0; at += 2) s.push_back(char(U16(b, at)));
    at += 2;
    return s;
}

std::string ReadString16(const FileBytes& b, std::size_t& at) {
    std::string s;
    for (; U16(b, at) != 0; at += 2) s.push_back(char(U16(b, at)));
    at += 2;
    return s;
}

struct Resource {
    NameOrId type, name;
    std::uint16_t language = 0;
    FileBytes data;
};

std::vector<Resource> ReadRes(const FileBytes& b) {
    std::vector<Resource> out;
    std::size_t at = 0;
    while (at + 8 <= b.size()) {
        const std::uint32_t data_size = U32(b, at);
        const std::uint32_t header_size = U32(b, at + 4);
        std::size_t p = at + 8;
        Resource r;
        r.type = ReadNameOrId(b, p);
        r.name = ReadNameOrId(b, p);
        p = Align4(p);
        r.language = U16(b, p + 6);  // after DataVersion and MemoryFlags
        const std::size_t data_at = at + header_size;
        r.data.assign(b.begin() + long(data_at), b.begin() + long(data_at + data_size));
        if (!(data_size == 0 && r.type == NameOrId(std::uint16_t(0)))) out.push_back(std::move(r));
        at = Align4(data_at + data_size);
    }
    return out;
}

// One node of a version block: key, value and children.
struct VersionNode {
    std::string key;
    bool text = false;
    FileBytes value;
    std::string text_value;
    std::vector<VersionNode> children;
};

VersionNode ReadVersionNode(const FileBytes& b, std::size_t at) {
    VersionNode node;
    const std::size_t end = at + U16(b, at);
    const std::size_t value_length = U16(b, at + 2);
    node.text = U16(b, at + 4) == 1;
    std::size_t p = at + 6;
    node.key = ReadString16(b, p);
    p = Align4(p);
    if (node.text) {
        std::size_t q = p;
        if (value_length > 0) node.text_value = ReadString16(b, q);
        p += value_length * 2;
    } else {
        node.value.assign(b.begin() + long(p), b.begin() + long(p + value_length));
        p += value_length;
    }
    p = Align4(p);
    while (p < end) {
        node.children.push_back(ReadVersionNode(b, p));
        p = Align4(p + U16(b, p));
    }
    return node;
}

class CompiledResources : public ::testing::Test {
protected:
    void SetUp() override {
        const char* path = std::getenv("VZ_RES_FILE");
        ASSERT_NE(path, nullptr) << "VZ_RES_FILE names no compiled resource file";
        resources = ReadRes(vz::test::ReadBytes(path));
    }
    const Resource* Find(const NameOrId& type, const NameOrId& name) const {
        for (const auto& r : resources)
            if (r.type == type && r.name == name) return &r;
        return nullptr;
    }
    std::vector<Resource> resources;
};

TEST_F(CompiledResources, HoldExactlyTheVersionBlockTheIconAndTheChime) {
    EXPECT_EQ(resources.size(), 4u);
    EXPECT_NE(Find(kRtVersion, std::uint16_t(1)), nullptr);
    EXPECT_NE(Find(kRtGroupIcon, std::uint16_t(1)), nullptr);
    EXPECT_NE(Find(kRtIcon, std::uint16_t(30001)), nullptr);
    EXPECT_NE(Find(std::string("CUSTOM"), std::uint16_t(101)), nullptr);
}

TEST_F(CompiledResources, ChimeIsCustom101InChineseOnlyWithTheWaveBytes) {
    const Resource* chime = Find(std::string("CUSTOM"), std::uint16_t(101));
    ASSERT_NE(chime, nullptr);
    EXPECT_EQ(chime->language, kChinesePrc);
    EXPECT_EQ(chime->data.size(), 11080u);
    EXPECT_TRUE(chime->data == vz::test::ReadBytes(vz::test::ResourcePath("chime.wav")));
}

TEST_F(CompiledResources, IconGroup1PointsAtImage30001OfTheIconFile) {
    const Resource* group = Find(kRtGroupIcon, std::uint16_t(1));
    const Resource* image = Find(kRtIcon, std::uint16_t(30001));
    ASSERT_NE(group, nullptr);
    ASSERT_NE(image, nullptr);
    const FileBytes ico = vz::test::ReadBytes(vz::test::ResourcePath("verezerud.ico"));
    EXPECT_TRUE(image->data == FileBytes(ico.begin() + 22, ico.end()));
    EXPECT_EQ(image->data.size(), 2216u);
    const FileBytes& g = group->data;
    ASSERT_EQ(g.size(), 6u + 14u);
    EXPECT_EQ(U16(g, 0), 0u);
    EXPECT_EQ(U16(g, 2), 1u);
    EXPECT_EQ(U16(g, 4), 1u);
    EXPECT_EQ(g[6], 32);
    EXPECT_EQ(g[7], 32);
    EXPECT_EQ(g[8], 0);
    EXPECT_EQ(U16(g, 10), 1u);
    EXPECT_EQ(U16(g, 12), 8u);
    EXPECT_EQ(U32(g, 14), 2216u);
    EXPECT_EQ(U16(g, 18), 30001u);
    EXPECT_EQ(group->language, kEnglishUs);
}

TEST_F(CompiledResources, VersionBlockHasTheFixedPartOf1100ForAnApplication) {
    const Resource* version = Find(kRtVersion, std::uint16_t(1));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->language, kEnglishUs);
    const VersionNode root = ReadVersionNode(version->data, 0);
    EXPECT_EQ(root.key, "VS_VERSION_INFO");
    const FileBytes& fixed = root.value;
    ASSERT_EQ(fixed.size(), 52u);
    EXPECT_EQ(U32(fixed, 0), 0xFEEF04BDu);
    EXPECT_EQ(U32(fixed, 8), 0x00010001u);   // file version 1.1
    EXPECT_EQ(U32(fixed, 12), 0x00000000u);  //              .0.0
    EXPECT_EQ(U32(fixed, 16), 0x00010001u);  // product version 1.1
    EXPECT_EQ(U32(fixed, 20), 0x00000000u);  //                 .0.0
    EXPECT_EQ(U32(fixed, 28), 0u);           // no flags
    EXPECT_EQ(U32(fixed, 32), 4u);           // 32-bit Windows
    EXPECT_EQ(U32(fixed, 36), 1u);           // application
    EXPECT_EQ(U32(fixed, 40), 0u);
}

TEST_F(CompiledResources, VersionStringsStandInOrderInTable040904B0) {
    const Resource* version = Find(kRtVersion, std::uint16_t(1));
    ASSERT_NE(version, nullptr);
    const VersionNode root = ReadVersionNode(version->data, 0);
    ASSERT_EQ(root.children.size(), 2u);
    const VersionNode& strings = root.children[0];
    EXPECT_EQ(strings.key, "StringFileInfo");
    ASSERT_EQ(strings.children.size(), 1u);
    const VersionNode& table = strings.children[0];
    EXPECT_EQ(table.key, "040904B0");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Comments", "Free!"},
        {"CompanyName", "Rirodov (https://www.example.org/)"},
        {"FileDescription", "Verezerud"},
        {"ProductName", "Verezerud"},
        {"FileVersion", "1.01"},
        {"ProductVersion", "1.01"},
        {"InternalName", "Verezerud"},
        {"OriginalFilename", "Verezerud.exe"},
    };
    ASSERT_EQ(table.children.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(table.children[i].key, expected[i].first) << i;
        EXPECT_TRUE(table.children[i].text) << i;
        EXPECT_EQ(table.children[i].text_value, expected[i].second) << i;
    }
}

TEST_F(CompiledResources, VersionTranslationIsUsEnglishInUnicode) {
    const Resource* version = Find(kRtVersion, std::uint16_t(1));
    ASSERT_NE(version, nullptr);
    const VersionNode root = ReadVersionNode(version->data, 0);
    ASSERT_EQ(root.children.size(), 2u);
    const VersionNode& vars = root.children[1];
    EXPECT_EQ(vars.key, "VarFileInfo");
    ASSERT_EQ(vars.children.size(), 1u);
    EXPECT_EQ(vars.children[0].key, "Translation");
    ASSERT_EQ(vars.children[0].value.size(), 4u);
    EXPECT_EQ(U16(vars.children[0].value, 0), 0x0409u);
    EXPECT_EQ(U16(vars.children[0].value, 2), 1200u);
}

}  // namespace
