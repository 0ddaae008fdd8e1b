#pragma once
// The screen as the forms runtime reports it: sizes in twips.

namespace vz {

inline constexpr int kTwipsPerPixel = 15;  // 96 dots per inch

struct Screen {
    int width_px = 1920;
    int height_px = 1080;

    double Width() const { return double(width_px) * kTwipsPerPixel; }
    double Height() const { return double(height_px) * kTwipsPerPixel; }
    double TwipsPerPixelX() const { return kTwipsPerPixel; }
    double TwipsPerPixelY() const { return kTwipsPerPixel; }
};

}  // namespace vz
