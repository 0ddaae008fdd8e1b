// The program icon: the .ico file laid out as the resource table gives it,
// the character drawn yellow on blue, the image alone for the Windows resource
// script, the themed PNG renderings, and that the generator still makes them.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "resource_files.h"

namespace {

using vz::test::FileBytes;
using vz::test::ResourcePath;
using vz::test::U16;
using vz::test::U32;

constexpr std::size_t kDirSize = 22;  // ICONDIR and one entry
constexpr std::size_t kImageSize = 2216;
constexpr std::size_t kPaletteAt = 40;
constexpr std::size_t kPixelsAt = kPaletteAt + 1024;
constexpr std::size_t kMaskAt = kPixelsAt + 1024;
constexpr int kSides[] = {16, 32, 48, 64, 128, 256};

struct Colour {
    int r, g, b;
};

class IconFile : public ::testing::Test {
protected:
    FileBytes ico = vz::test::ReadBytes(ResourcePath("verezerud.ico"));
    FileBytes Image() const { return FileBytes(ico.begin() + long(kDirSize), ico.end()); }
    // The palette colour of the pixel at (x, y), y counted from the top.
    Colour Pixel(int x, int y) const {
        const std::uint8_t index = ico[kDirSize + kPixelsAt + std::size_t((31 - y) * 32 + x)];
        const std::size_t at = kDirSize + kPaletteAt + 4u * index;
        return {ico[at + 2], ico[at + 1], ico[at]};
    }
};

TEST_F(IconFile, HoldsOneImageOf32By32In256Colours) {
    ASSERT_EQ(ico.size(), kDirSize + kImageSize);
    EXPECT_EQ(U16(ico, 0), 0u);  // reserved
    EXPECT_EQ(U16(ico, 2), 1u);  // icon
    EXPECT_EQ(U16(ico, 4), 1u);  // one image
    EXPECT_EQ(ico[6], 32);
    EXPECT_EQ(ico[7], 32);
    EXPECT_EQ(ico[8], 0);  // 256 colours
    EXPECT_EQ(ico[9], 0);
    EXPECT_EQ(U16(ico, 10), 1u);  // planes
    EXPECT_EQ(U16(ico, 12), 8u);  // bits per pixel
    EXPECT_EQ(U32(ico, 14), kImageSize);
    EXPECT_EQ(U32(ico, 18), kDirSize);
}

TEST_F(IconFile, ImageIsHeaderPalettePixelsAndAnAllZeroMask) {
    const FileBytes image = Image();
    ASSERT_EQ(image.size(), kImageSize);
    EXPECT_EQ(U32(image, 0), 40u);  // BITMAPINFOHEADER
    EXPECT_EQ(U32(image, 4), 32u);
    EXPECT_EQ(U32(image, 8), 64u);  // colour image and mask together
    EXPECT_EQ(U16(image, 12), 1u);
    EXPECT_EQ(U16(image, 14), 8u);
    EXPECT_EQ(U32(image, 16), 0u);  // not compressed
    EXPECT_TRUE(U32(image, 32) == 0 || U32(image, 32) == 256) << "colours used";
    for (std::size_t i = 0; i < 256; ++i) EXPECT_EQ(image[kPaletteAt + 4 * i + 3], 0) << "palette " << i;
    EXPECT_EQ(kMaskAt + 128, image.size());
    for (std::size_t i = kMaskAt; i < image.size(); ++i) ASSERT_EQ(image[i], 0) << "mask byte " << i - kMaskAt;
}

TEST_F(IconFile, ShowsAYellowCharacterOnASolidBlueSquare) {
    ASSERT_EQ(ico.size(), kDirSize + kImageSize);
    auto blue = [](Colour c) { return c.b > 150 && c.r < 60 && c.g < 100; };
    auto yellow = [](Colour c) { return c.r > 200 && c.g > 200 && c.b < 60; };
    for (int i = 0; i < 32; ++i) {  // the border is all blue
        EXPECT_TRUE(blue(Pixel(i, 0)) && blue(Pixel(i, 31)) && blue(Pixel(0, i)) && blue(Pixel(31, i))) << i;
    }
    int yellow_pixels = 0, blue_pixels = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            yellow_pixels += yellow(Pixel(x, y));
            blue_pixels += blue(Pixel(x, y));
        }
    EXPECT_GT(yellow_pixels, 150);  // strokes of 休, not a speck
    EXPECT_GT(blue_pixels, 500);
    // The trunk of 木 runs from top to bottom on the right, the upright of 亻 on the left.
    for (int y = 6; y < 28; ++y) {
        EXPECT_TRUE(yellow(Pixel(21, y))) << "trunk at " << y;
        if (y > 12) {
            EXPECT_TRUE(yellow(Pixel(9, y))) << "upright at " << y;
        }
    }
}

TEST_F(IconFile, ImageAloneForTheResourceScriptIsTheSameImage) {
    EXPECT_TRUE(vz::test::ReadBytes(ResourcePath("verezerud-icon.dib")) == Image());
}

TEST_F(IconFile, ThemedRenderingsAreSquarePngsOfEachSize) {
    for (int side : kSides) {
        const QImage png(QString::fromStdString(ResourcePath("icons/verezerud-" + std::to_string(side) + ".png")));
        ASSERT_EQ(png.size(), QSize(side, side)) << side;
        EXPECT_EQ(qBlue(png.pixel(0, 0)), 204) << side;  // blue corner
        const QRgb trunk = png.pixel(side * 172 / 256, side / 2);
        EXPECT_TRUE(qRed(trunk) > 200 && qGreen(trunk) > 200 && qBlue(trunk) < 80) << side;
    }
}

TEST_F(IconFile, GeneratorReproducesEveryFileExactly) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string out = dir.path().toStdString();
    ASSERT_TRUE(vz::test::RunTool(VZ_GEN_ICON, out));
    EXPECT_TRUE(vz::test::ReadBytes(out + "/verezerud.ico") == ico);
    EXPECT_TRUE(vz::test::ReadBytes(out + "/verezerud-icon.dib") == Image());
    for (int side : kSides) {
        const std::string name = "icons/verezerud-" + std::to_string(side) + ".png";
        EXPECT_EQ(QImage(QString::fromStdString(out + "/" + name)),
                  QImage(QString::fromStdString(ResourcePath(name))))
            << name;
    }
}

}  // namespace
