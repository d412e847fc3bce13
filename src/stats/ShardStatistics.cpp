#include "stats/ShardStatistics.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>

#include "core/AtomicFile.h"
#include "core/FileError.h"
#include "input/TextLineReader.h"

namespace kivo {
namespace {

constexpr std::string_view kFirstCaption = "File Name";

// K and N of a name that ends in ".shard-K-of-N" before its extension.
std::optional<std::pair<int, int>> ShardOfName(const std::string& path) {
    const std::string stem = std::filesystem::path(path).stem().string();
    const std::size_t at = stem.rfind(".shard-");
    if (at == std::string::npos)
        return std::nullopt;
    int shard = 0, count = 0;
    char rest = 0;
    if (std::sscanf(stem.c_str() + at, ".shard-%d-of-%d%c", &shard, &count, &rest) != 2 ||
        shard < 1 || shard > count) {
        return std::nullopt;
    }
    return std::pair{shard, count};
}

// The shard files in shard order: as the names say when they all carry one
// N and each K once, otherwise as given.
std::vector<std::string> InShardOrder(std::vector<std::string> parts) {
    std::vector<std::string> ordered(parts.size());
    for (const std::string& part : parts) {
        const auto shard = ShardOfName(part);
        if (!shard || shard->second != static_cast<int>(parts.size()) ||
            !ordered[shard->first - 1].empty()) {
            return parts;
        }
        ordered[shard->first - 1] = part;
    }
    return ordered;
}

// The lines of one shard file (with their line ends), grouped by input
// file: consecutive lines that name the same file and partner.
struct ShardLines {
    std::string header;
    std::vector<std::vector<std::string>> files;
};

std::string_view FileFields(std::string_view line, char separator) {
    const std::size_t first = line.find(separator);
    const std::size_t second =
        first == std::string_view::npos ? first : line.find(separator, first + 1);
    return line.substr(0, second);
}

ShardLines ReadShard(const std::string& path) {
    TextLineReader reader;
    if (!reader.Open(path))
        throw FileError(path, 0, "", "cannot be opened");
    ShardLines shard;
    std::string line;
    if (!reader.ReadLine(line) || !line.starts_with(kFirstCaption) ||
        line.size() == kFirstCaption.size() ||
        (line[kFirstCaption.size()] != ';' && line[kFirstCaption.size()] != '\t')) {
        throw FileError(path, 1, "",
                        "is not a statistics file (its first line must begin with \"File Name\" "
                        "and a \";\" or a tab)");
    }
    const char separator = line[kFirstCaption.size()];
    shard.header = line;
    std::string previous;
    while (reader.ReadLine(line)) {
        if (line.empty())
            continue;
        const std::string_view file = FileFields(line, separator);
        if (shard.files.empty() || file != previous)
            shard.files.emplace_back();
        previous = std::string(file);
        shard.files.back().push_back(line);
    }
    return shard;
}

}  // namespace

std::string ShardStatisticsFileName(const std::string& fileName, int shard, int shardCount) {
    const std::filesystem::path path(fileName);
    const std::string tag = ".shard-" + std::to_string(shard) + "-of-" + std::to_string(shardCount);
    return (path.parent_path() / (path.stem().string() + tag + path.extension().string())).string();
}

void MergeShardStatistics(const std::string& target, std::vector<std::string> parts) {
    parts = InShardOrder(std::move(parts));
    std::vector<ShardLines> shards;
    for (const std::string& part : parts) {
        shards.push_back(ReadShard(part));
        if (shards.back().header != shards.front().header) {
            throw FileError(part, 1, "",
                            "has other columns than " + parts.front() +
                                " (the shards of one run have the same header)");
        }
    }
    AtomicFile file(target);
    file.Append(shards.empty() ? std::string() : shards.front().header + "\r\n");
    for (std::size_t round = 0;; ++round) {
        bool any = false;
        for (const ShardLines& shard : shards) {
            if (round >= shard.files.size())
                continue;
            any = true;
            for (const std::string& line : shard.files[round])
                file.Append(line + "\r\n");
        }
        if (!any)
            break;
    }
    file.Commit();
}

}  // namespace kivo
