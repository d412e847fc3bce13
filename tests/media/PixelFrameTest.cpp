#include <gtest/gtest.h>

#include "media/PixelFrame.h"

namespace kivo {
namespace {

// 3 x 2 pictures with padded rows: one element differs in its last byte, and
// the padding differs everywhere (it is never compared).
TEST(PixelDifference, ComparesWholeElementsOfEachSizeAndSkipsRowPadding) {
    for (int bytes = 1; bytes <= 5; ++bytes) {
        const int stride = 3 * bytes + 2;
        PixelFrame a{3, 2, bytes, stride, std::vector<std::uint8_t>(2 * stride, 7)};
        PixelFrame b = a;
        b.pixels[stride + 2 * bytes + bytes - 1] = 8;  // element (2, 1)
        for (int y = 0; y < 2; ++y)
            b.pixels[y * stride + stride - 1] = 9;
        const double expected = bytes <= 4 ? 100.0 / 6.0 : -1.0;
        EXPECT_DOUBLE_EQ(GetPixelDifference(a, b, 0, 2), expected) << bytes << " bytes";
        EXPECT_DOUBLE_EQ(GetPixelDifference(a, b, 0, 1), bytes <= 4 ? 0.0 : -1.0);
        EXPECT_DOUBLE_EQ(GetPixelDifference(a, a, 0, 2), bytes <= 4 ? 0.0 : -1.0);
    }
}

}  // namespace
}  // namespace kivo
