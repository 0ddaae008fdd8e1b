// Where the rest screen's black covers go, from the monitors' rectangles.

#include <gtest/gtest.h>

#include "frontend/covers.h"

namespace vz {
namespace {

using Boxes = std::vector<Box>;
const Box kPrimary{0, 0, 1920, 1080}, kRight{1920, 0, 1280, 800};

TEST(Covers, EveryMonitorButThePrimaryWholeWhereverThePrimaryIs) {
    EXPECT_EQ(PlaceCovers({kPrimary}, kPrimary), Boxes{});
    EXPECT_EQ(PlaceCovers({kPrimary, kRight}, kPrimary), Boxes{kRight});
    const Box left{-1280, 200, 1280, 1024}, above{0, -800, 1280, 800};
    EXPECT_EQ(PlaceCovers({left, kRight, kPrimary, above}, kPrimary), (Boxes{left, kRight, above}));
    // The primary on the right: the other one is covered, the primary not.
    EXPECT_EQ(PlaceCovers({kRight, kPrimary}, kRight), Boxes{kPrimary});
}

TEST(Covers, AMirrorOfThePrimaryOrOfACoveredMonitorNeedsNoCoverOfItsOwn) {
    EXPECT_EQ(PlaceCovers({kPrimary, kPrimary}, kPrimary), Boxes{});
    EXPECT_EQ(PlaceCovers({kPrimary, Box{0, 0, 1280, 720}}, kPrimary), Boxes{});
    EXPECT_EQ(PlaceCovers({kPrimary, kRight, kRight}, kPrimary), Boxes{kRight});
    EXPECT_EQ(PlaceCovers({kPrimary, Box{1920, 0, 800, 600}, kRight}, kPrimary), Boxes{kRight});
    // Overlapping without lying inside: both covered.
    const Box across{1800, 0, 800, 600};
    EXPECT_EQ(PlaceCovers({kPrimary, across, kRight}, kPrimary), (Boxes{across, kRight}));
    EXPECT_EQ(PlaceCovers({kPrimary, Box{1920, 0, 0, 800}}, kPrimary), Boxes{});
}

}  // namespace
}  // namespace vz
