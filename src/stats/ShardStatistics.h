#pragma once

#include <string>
#include <vector>

namespace kivo {

// A study can be run in N shards: shard K (1 to N) processes the input files
// at list positions K, K + N, K + 2N, ... and writes its statistics lines into
// a statistics file of its own, named after the run's with ".shard-K-of-N"
// before the extension ("Statistics.csv" -> "Statistics.shard-2-of-3.csv").
std::string ShardStatisticsFileName(const std::string& fileName, int shard, int shardCount);

// Joins the statistics files of the shards of one run into the file a single
// run would have written: the header once, then the lines of each input file
// (one line, or one per part file) in list order, taken in turn from the
// shards. `parts` are the shard files in shard order; when all of them are
// named as above (of one N, each K once), that order is read from the names.
// Writes `target` whole or not at all. Throws FileError naming the file (and
// the line) that cannot be read, that is not a statistics file, or whose
// header differs from the first one's.
void MergeShardStatistics(const std::string& target, std::vector<std::string> parts);

}  // namespace kivo
