#include "plot/Decimation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kivo {
namespace {

// A stretch of samples with values, between gaps, within one bucket.
struct Stretch {
    std::size_t lowest = 0;   // index of the smallest value
    std::size_t highest = 0;  // index of the largest value
    bool afterGap = false;    // a sample without a value stands before it
};

class PointSink {
  public:
    PointSink(std::span<const double> x, std::span<const double> y, std::vector<PlotPoint>& points)
        : x_(x), y_(y), points_(points) {}

    void Gap() {
        if (!points_.empty() && !std::isnan(points_.back().y))
            points_.push_back({points_.back().x, std::numeric_limits<double>::quiet_NaN()});
    }
    void Sample(std::size_t i) { points_.push_back({x_[i], y_[i]}); }
    void Add(const Stretch& stretch) {
        if (stretch.afterGap)
            Gap();
        const std::size_t first = std::min(stretch.lowest, stretch.highest);
        const std::size_t second = std::max(stretch.lowest, stretch.highest);
        Sample(first);
        if (second != first)
            Sample(second);
    }
    void DropTrailingGap() {
        if (!points_.empty() && std::isnan(points_.back().y))
            points_.pop_back();
    }

  private:
    std::span<const double> x_;
    std::span<const double> y_;
    std::vector<PlotPoint>& points_;
};

Stretch Joined(const Stretch& a, const Stretch& b, std::span<const double> y) {
    Stretch joined = a;
    if (y[b.lowest] < y[joined.lowest])
        joined.lowest = b.lowest;
    if (y[b.highest] > y[joined.highest])
        joined.highest = b.highest;
    return joined;
}

}  // namespace

std::vector<PlotPoint> DecimateForDrawing(std::span<const double> x, std::span<const double> y,
                                          std::size_t buckets) {
    const std::size_t n = std::min(x.size(), y.size());
    std::vector<PlotPoint> points;
    PointSink sink(x, y, points);
    if (buckets == 0 || n <= 2 * buckets) {
        for (std::size_t i = 0; i < n; ++i) {
            if (std::isnan(y[i]))
                sink.Gap();
            else
                sink.Sample(i);
        }
        sink.DropTrailingGap();
        return points;
    }

    points.reserve(4 * buckets);
    std::vector<Stretch> stretches;
    bool gapPending = false;
    for (std::size_t b = 0; b < buckets; ++b) {
        const std::size_t first = b * n / buckets;
        const std::size_t last = (b + 1) * n / buckets;
        stretches.clear();
        bool inStretch = false;
        for (std::size_t i = first; i < last; ++i) {
            if (std::isnan(y[i])) {
                inStretch = false;
                gapPending = true;
                continue;
            }
            if (!inStretch) {
                stretches.push_back({i, i, gapPending});
                gapPending = false;
                inStretch = true;
                continue;
            }
            Stretch& stretch = stretches.back();
            if (y[i] < y[stretch.lowest])
                stretch.lowest = i;
            if (y[i] > y[stretch.highest])
                stretch.highest = i;
        }
        if (stretches.size() > 3) {
            Stretch middle = stretches[1];
            for (std::size_t s = 2; s + 1 < stretches.size(); ++s)
                middle = Joined(middle, stretches[s], y);
            stretches = {stretches.front(), middle, stretches.back()};
        }
        for (const Stretch& stretch : stretches)
            sink.Add(stretch);
    }
    sink.DropTrailingGap();
    return points;
}

}  // namespace kivo
