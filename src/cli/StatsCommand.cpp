#include <cstdio>
#include <memory>
#include <string>

#include "cli/Commands.h"
#include "core/FileError.h"
#include "stats/ShardStatistics.h"
#include "stats/StatisticsTable.h"

namespace kivo::cli {
namespace {

struct StatsOptions {
    std::string file;
    std::string pattern;
    std::string mergeTarget;
    std::vector<std::string> shardFiles;
};

int MergeShards(const StatsOptions& options) {
    try {
        MergeShardStatistics(options.mergeTarget, options.shardFiles);
    } catch (const FileError& error) {
        std::fprintf(stderr, "kivo stats merge: %s\n", error.what());
        return 1;
    }
    std::printf("Statistics file: %s (%zu shards)\n", options.mergeTarget.c_str(),
                options.shardFiles.size());
    return 0;
}

int RunStats(const StatsOptions& options, const std::string& decimalSymbol) {
    StatisticsTable table;
    try {
        table = ReadStatisticsFile(options.file);
    } catch (const FileError& error) {
        std::fprintf(stderr, "kivo stats: %s\n", error.what());
        return 1;
    }
    const std::vector<std::size_t> columns = SelectStatisticsColumns(table, options.pattern);
    if (!options.pattern.empty() && columns.size() == table.identifyingColumns) {
        std::fprintf(stderr, "kivo stats: no column caption of %s contains '%s'\n",
                     options.file.c_str(), options.pattern.c_str());
        return 1;
    }
    const std::string text = FormatStatisticsTable(table, columns, decimalSymbol);
    std::fputs(text.c_str(), stdout);
    return 0;
}

}  // namespace

void RegisterStatsCommand(CLI::App& app, CommandRegistry& registry) {
    auto options = std::make_shared<StatsOptions>();
    auto* command = app.add_subcommand(
        "stats", "Show a statistics file as a table, one row per input file or part file");
    command->add_option("file", options->file, "Statistics file written by a run");
    command->add_option("--columns", options->pattern,
                        "Show only the columns whose caption contains this text (any case), "
                        "besides the file and part columns");
    command->footer("Example: kivo stats results/Statistics.csv --columns Complexity\n");
    auto* merge = command->add_subcommand(
        "merge",
        "Join the statistics files of a run's shards (kivo run --shard K/N) in list order");
    merge->add_option("target", options->mergeTarget, "Statistics file to write")->required();
    merge
        ->add_option("shards", options->shardFiles,
                     "Statistics files of the shards, in shard order (files named "
                     "NAME.shard-K-of-N are put in order by their names)")
        ->required();
    merge->footer(
        "Example: kivo stats merge results/Statistics.csv results/Statistics.shard-*-of-4.csv\n");
    merge->callback(
        [options, &registry] { registry.SetAction([options] { return MergeShards(*options); }); });
    command->callback([options, merge, &registry] {
        if (merge->parsed())
            return;
        if (options->file.empty())
            throw CLI::RequiredError("file");
        registry.SetAction(
            [options, &registry] { return RunStats(*options, registry.DecimalSymbol()); });
    });
}

}  // namespace kivo::cli
