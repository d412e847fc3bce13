#include "media/PixelFrame.h"

#include <algorithm>
#include <cstring>

namespace kivo {
namespace {

template <int Bytes>
long CountChanged(const PixelFrame& a, const PixelFrame& b, int firstColumn, int lastColumn) {
    long count = 0;
    for (int y = 0; y < a.height; ++y) {
        const std::uint8_t* rowA = a.Row(y) + firstColumn * Bytes;
        const std::uint8_t* rowB = b.Row(y) + firstColumn * Bytes;
        for (int x = firstColumn; x <= lastColumn; ++x, rowA += Bytes, rowB += Bytes) {
            count += std::memcmp(rowA, rowB, Bytes) != 0 ? 1 : 0;
        }
    }
    return count;
}

}  // namespace

double GetPixelDifference(const PixelFrame& a, const PixelFrame& b, int firstColumn,
                          int lastColumn) {
    if (a.width != b.width || a.height != b.height || a.bytesPerPixel != b.bytesPerPixel ||
        a.stride != b.stride || a.width < 1 || a.height < 1 || a.bytesPerPixel < 1 ||
        a.bytesPerPixel > 4) {
        return -1.0;
    }
    firstColumn = std::max(firstColumn, 0);
    lastColumn = std::min(lastColumn, a.width - 1);
    long count = 0;
    if (firstColumn <= lastColumn) {
        switch (a.bytesPerPixel) {
            case 1:
                count = CountChanged<1>(a, b, firstColumn, lastColumn);
                break;
            case 2:
                count = CountChanged<2>(a, b, firstColumn, lastColumn);
                break;
            case 3:
                count = CountChanged<3>(a, b, firstColumn, lastColumn);
                break;
            case 4:
                count = CountChanged<4>(a, b, firstColumn, lastColumn);
                break;
            default:
                return -1.0;
        }
    }
    const double pixelCount = static_cast<double>(a.width) * static_cast<double>(a.height);
    return static_cast<double>(count) * 100.0 / pixelCount;
}

}  // namespace kivo
