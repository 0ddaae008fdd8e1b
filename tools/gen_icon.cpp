// Writes the program's icon into OUTDIR:
//   verezerud.ico            one 32 x 32 image, 8 bits per pixel, 256-colour palette
//   verezerud-icon.dib       that image alone (header, palette, pixels, mask), for
//                            the Windows resource script, which stores it by itself
//   icons/verezerud-N.png    the same artwork drawn at N x N for desktop themes
//
// Usage: gen_icon OUTDIR

#include <QDir>
#include <QImage>
#include <cstdio>
#include <fstream>
#include <string>

#include "glyph_raster.h"

namespace {

using vz::tools::kCoverageLevels;
using vz::tools::LevelColour;
using vz::tools::RasteriseGlyph;
using vz::tools::Rgb;

constexpr int kIconSide = 32;
constexpr int kPaletteEntries = 256;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelBytes = kIconSide * kIconSide;       // one byte per pixel
constexpr std::uint32_t kMaskBytes = kIconSide * (kIconSide / 8);  // rows of 32 bits
constexpr std::uint32_t kImageBytes = kInfoHeaderSize + 4 * kPaletteEntries + kPixelBytes + kMaskBytes;
constexpr std::uint32_t kIconDirSize = 6 + 16;  // ICONDIR and its one entry
constexpr int kPngSides[] = {16, 32, 48, 64, 128, 256};

using Bytes = std::string;

void Put16(Bytes& b, std::uint16_t v) {
    b.push_back(char(v & 0xFF));
    b.push_back(char(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(char((v >> (8 * i)) & 0xFF));
}

// Palette: the blend from blue to yellow first, then a 6x6x6 colour cube and
// a grey ramp, so the table is a full, ordinary 256-colour one.
std::vector<Rgb> Palette() {
    std::vector<Rgb> palette;
    for (int level = 0; level <= kCoverageLevels; ++level) palette.push_back(LevelColour(level));
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.push_back({std::uint8_t(r * 51), std::uint8_t(g * 51), std::uint8_t(b * 51)});
    for (int i = 1; palette.size() < std::size_t(kPaletteEntries); ++i) {
        const auto grey = std::uint8_t(i * 10);
        palette.push_back({grey, grey, grey});
    }
    return palette;
}

// The icon image as a resource holds it: BITMAPINFOHEADER with the height of
// colour image and mask together, the palette, bottom-up pixel rows, the mask.
Bytes IconImage() {
    Bytes b;
    Put32(b, kInfoHeaderSize);
    Put32(b, kIconSide);
    Put32(b, 2 * kIconSide);
    Put16(b, 1);                        // planes
    Put16(b, 8);                        // bits per pixel
    Put32(b, 0);                        // no compression
    Put32(b, kPixelBytes + kMaskBytes); // image size
    Put32(b, 0);                        // horizontal resolution
    Put32(b, 0);                        // vertical resolution
    Put32(b, 0);                        // colours used: all 256
    Put32(b, 0);                        // colours important: all
    for (const Rgb& c : Palette()) {
        b.push_back(char(c.b));
        b.push_back(char(c.g));
        b.push_back(char(c.r));
        b.push_back(0);
    }
    const auto levels = RasteriseGlyph(kIconSide);
    for (int y = kIconSide - 1; y >= 0; --y)
        for (int x = 0; x < kIconSide; ++x) b.push_back(char(levels[std::size_t(y) * kIconSide + x]));
    b.append(kMaskBytes, '\0');  // every pixel opaque
    return b;
}

Bytes IconFile(const Bytes& image) {
    Bytes b;
    Put16(b, 0);  // reserved
    Put16(b, 1);  // icon
    Put16(b, 1);  // one image
    b.push_back(char(kIconSide));
    b.push_back(char(kIconSide));
    b.push_back(0);  // 256 colours
    b.push_back(0);  // reserved
    Put16(b, 1);     // planes
    Put16(b, 8);     // bits per pixel
    Put32(b, std::uint32_t(image.size()));
    Put32(b, kIconDirSize);
    return b + image;
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out) std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return bool(out);
}

bool WritePng(const std::string& path, int side) {
    const auto levels = RasteriseGlyph(side);
    QImage image(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const Rgb c = LevelColour(levels[std::size_t(y) * side + x]);
            image.setPixel(x, y, qRgb(c.r, c.g, c.b));
        }
    }
    if (image.save(QString::fromStdString(path), "PNG")) return true;
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const Bytes image = IconImage();
    if (image.size() != kImageBytes) {
        std::fprintf(stderr, "icon image has %zu bytes, not %u\n", image.size(), unsigned(kImageBytes));
        return 1;
    }
    bool ok = WriteFile(dir + "/verezerud.ico", IconFile(image)) &&
              WriteFile(dir + "/verezerud-icon.dib", image);
    ok = ok && QDir().mkpath(QString::fromStdString(dir + "/icons"));
    for (int side : kPngSides)
        ok = ok && WritePng(dir + "/icons/verezerud-" + std::to_string(side) + ".png", side);
    return ok ? 0 : 1;
}
