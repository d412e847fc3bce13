#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace kivo {

// A point of a drawn series. A point whose y is NaN is no point but a gap:
// the line stops before it and starts again after it.
struct PlotPoint {
    double x = 0.0;
    double y = 0.0;
};

// The points to draw for the samples (x[i], y[i]) (y NaN: no value) in at
// most `buckets` columns of the chart. Up to 2 x buckets samples are taken as
// they are. Beyond that the samples are cut into `buckets` runs of equal
// count, and each run gives the smallest and the largest value of each of its
// stretches between gaps, in their order, so that no peak is lost: a bucket
// holding more than three such stretches keeps its first and last stretch
// and joins those in between into one. Gaps are kept wherever a sample
// without a value stands, however short. The result never begins or ends
// with a gap and never holds two gaps in a row.
std::vector<PlotPoint> DecimateForDrawing(std::span<const double> x, std::span<const double> y,
                                          std::size_t buckets);

}  // namespace kivo
