#pragma once
// Places on the screen in pixels, as every front end draws them: the model's
// twips (1440 to the inch) at the display's dots per inch, so 15 twips make a
// pixel at 96.

namespace vz {

inline constexpr int kStandardDpi = 96;

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

struct Box {
    int x = 0, y = 0, width = 0, height = 0;

    int Right() const { return x + width; }    // the first column past the box
    int Bottom() const { return y + height; }  // the first row below it
    bool Contains(Point p) const { return p.x >= x && p.x < Right() && p.y >= y && p.y < Bottom(); }
    Point Centre() const { return {x + width / 2, y + height / 2}; }
    Box Moved(int dx, int dy) const { return {x + dx, y + dy, width, height}; }
    bool operator==(const Box&) const = default;
};

// The pixel edge nearest to a length in twips.
int Px(double twips, int dpi);
// A rectangle given in twips, its edges rounded, so that rectangles that meet
// in twips meet in pixels, without gaps or overlaps.
Box PxBox(double left, double top, double width, double height, int dpi);

}  // namespace vz
