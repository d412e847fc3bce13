#pragma once

#include <cstdint>
#include <vector>

namespace kivo {

// One decoded video picture: rows of `stride` bytes, of which the first
// width x bytesPerPixel hold the pixels (element (x, y) at byte offset
// y x stride + x x bytesPerPixel).
struct PixelFrame {
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;
    int stride = 0;
    std::vector<std::uint8_t> pixels;

    const std::uint8_t* Row(int y) const {
        return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride);
    }
};

// Share of pixels that differ in any bit between `a` and `b` within the
// columns firstColumn..lastColumn, in percent of the whole picture
// (width x height). Elements of 1, 2, 3 or 4 bytes are compared; any other
// pixel size, or pictures of different shape, give -1.
double GetPixelDifference(const PixelFrame& a, const PixelFrame& b, int firstColumn,
                          int lastColumn);

}  // namespace kivo
