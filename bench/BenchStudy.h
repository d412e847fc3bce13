#pragma once

// The study the benchmarks run: data files with the default list, bound
// through a bindings file, every question answered so that the run goes on.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/UserPrompt.h"
#include "core/Workspace.h"
#include "input/DataFieldBindings.h"
#include "input/InputFileList.h"
#include "params/DefaultParameterList.h"
#include "settings/BindingsFile.h"

namespace kivo::bench {

class SilentPrompt : public UserPrompt {
  public:
    PromptAnswer Ask(const PromptMessage& message) override {
        switch (message.buttons) {
            case PromptButtons::Ok:
            case PromptButtons::OkCancel:
                return PromptAnswer::Ok;
            default:
                return PromptAnswer::Yes;
        }
    }
    using UserPrompt::Ask;
};

inline Workspace MakeStudy(const std::vector<std::string>& files, const std::string& bindings,
                           const std::string& outputDirectory) {
    SilentPrompt prompt;
    Workspace workspace;
    workspace.options.timeField = "Time";
    for (const std::string& path : files) {
        const auto [directory, name] = SplitDirectoryAndName(path);
        if (!AddFile(workspace, name, directory, prompt)) {
            std::fprintf(stderr, "%s was not accepted\n", path.c_str());
            std::exit(1);
        }
    }
    CreateDefaultParameterList(workspace.parameters);
    BindMatchingDataFields(workspace);
    ApplyBindings(workspace, ReadBindingsFile(bindings), bindings);
    workspace.options.directoryOutputFiles = outputDirectory;
    return workspace;
}

}  // namespace kivo::bench
