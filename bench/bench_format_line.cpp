// A format line of very many distinct data-field names (80,000 and 300,000):
// the file check and the column search take time linear in the number of
// names; 300,000 names stay well under a second.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/DataFieldNameList.h"
#include "core/InputVariableTable.h"
#include "core/UserPrompt.h"
#include "input/BodyDataPositions.h"
#include "input/DataFileCheck.h"
#include "input/DataFileFormat.h"
#include "input/TextLineReader.h"

namespace {

namespace fs = std::filesystem;
using namespace kivo;

class SilentPrompt : public UserPrompt {
  public:
    PromptAnswer Ask(const PromptMessage&) override { return PromptAnswer::Ok; }
    using UserPrompt::Ask;
};

// "Time;B0:Tx;B1:Tx;...", then two frames.
std::string WriteWideFile(int names) {
    const fs::path path =
        fs::temp_directory_path() /
        ("kivo-bench-format-" + std::to_string(::getpid()) + "-" + std::to_string(names) + ".csv");
    std::string content = "Time";
    for (int i = 0; i < names; ++i)
        content += ";B" + std::to_string(i) + ":Tx";
    content += "\n";
    for (const char* time : {"0", "0.01"}) {
        content += time;
        for (int i = 0; i < names; ++i)
            content += ";1";
        content += "\n";
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
    return path.string();
}

void FormatLine(benchmark::State& state) {
    const int names = static_cast<int>(state.range(0));
    const std::string path = WriteWideFile(names);
    SilentPrompt prompt;
    for (auto _ : state) {
        DataFieldNameList offered;
        const FileCheckResult check = CheckFile(path, "Time", ".", prompt, &offered);
        TextLineReader reader;
        reader.Open(path);
        std::string formatLine;
        FindFormatLine(reader, "Time", formatLine);
        InputVariableTable table;
        table[kHips].dataFieldName = std::string("B").append(std::to_string(names - 1));
        const BodyDataPositionsResult positions =
            GetBodyDataPositions(1, formatLine, "Time", "wide.csv", table, prompt);
        benchmark::DoNotOptimize(check.accepted);
        benchmark::DoNotOptimize(positions.answer);
        if (offered.Names().size() != static_cast<std::size_t>(names) + 1)
            state.SkipWithError("not every name was offered");
    }
    fs::remove(path);
}

BENCHMARK(FormatLine)->Arg(80000)->Arg(300000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
