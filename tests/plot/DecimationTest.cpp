#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "plot/Decimation.h"

namespace kivo {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

// The drawn points as text: "x:y" with "|" for a gap.
std::string Drawn(const std::vector<PlotPoint>& points) {
    std::string text;
    for (const PlotPoint& p : points) {
        if (!text.empty())
            text += ' ';
        text += std::isnan(p.y) ? std::string("|")
                                : std::to_string(static_cast<int>(p.x)) + ":" +
                                      std::to_string(static_cast<int>(p.y));
    }
    return text;
}

struct DecimationCase {
    std::vector<double> y;  // x is the sample index
    std::size_t buckets;
    const char* drawn;
};

class DecimationCases : public ::testing::TestWithParam<DecimationCase> {};

TEST_P(DecimationCases, KeepsExtremesAndGaps) {
    const DecimationCase& c = GetParam();
    std::vector<double> x(c.y.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = static_cast<double>(i);
    EXPECT_EQ(Drawn(DecimateForDrawing(x, c.y, c.buckets)), c.drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecimationCases,
    ::testing::Values(
        // Few samples are drawn as they are; gaps at the ends and repeated
        // gaps leave one gap between values.
        DecimationCase{{kNone, 1, 2, kNone, kNone, 3, kNone}, 10, "1:1 2:2 | 5:3"},
        // Each of two buckets gives its smallest and largest value in order.
        DecimationCase{{5, 9, 1, 4, 2, 7, 0, 3}, 2, "1:9 2:1 5:7 6:0"},
        // A one-sample gap inside a bucket stays a gap.
        DecimationCase{{5, 9, kNone, 4, 2, 7, 0, 3}, 2, "0:5 1:9 | 3:4 5:7 6:0"},
        // A bucket of nothing but gaps is one gap.
        DecimationCase{{1, 2, 3, kNone, kNone, kNone, 6, 5}, 2, "0:1 2:3 | 6:6 7:5"},
        // More than three stretches in a bucket: the middle ones are joined.
        DecimationCase{
            {1, kNone, 8, kNone, -4, kNone, 2, kNone, 6, 0, 0, 0}, 1, "0:1 | 2:8 4:-4 | 8:6 9:0"}),
    [](const auto& testInfo) { return "Case" + std::to_string(testInfo.index); });

}  // namespace
}  // namespace kivo
