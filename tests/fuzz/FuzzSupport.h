#pragma once

// Shared pieces of the fuzzing harnesses: a private folder per process for the
// files made from the fuzzer's bytes, a prompt that answers every question,
// and checks that abort, so that libFuzzer keeps the input that broke a rule.

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "core/OptionFields.h"
#include "core/Workspace.h"
#include "input/StoredOptionRules.h"
#include "support/ScriptedPrompt.h"

namespace kivo::fuzz {

// The folder of this process, removed when the process ends.
inline const char* Folder() {
    static std::string folder;
    if (folder.empty()) {
        folder = (std::filesystem::temp_directory_path() / "kivo-fuzz-XXXXXX").string();
        if (::mkdtemp(folder.data()) == nullptr) {
            std::perror("kivo fuzz: mkdtemp");
            std::abort();
        }
        std::atexit([] {
            std::error_code error;
            std::filesystem::remove_all(folder, error);
        });
    }
    return folder.c_str();
}

inline std::string PathOf(std::string_view name) {
    return (std::filesystem::path(Folder()) / name).string();
}

// Stops the process when a file of the harness cannot be written or read.
inline void RequireFile(bool good, const std::string& path) {
    if (!good) {
        std::fprintf(stderr, "kivo fuzz: cannot write or read %s\n", path.c_str());
        std::abort();
    }
}

// Writes `content` to the file `name` of the folder; returns its path.
inline std::string WriteFile(std::string_view name, std::string_view content) {
    const std::string path = PathOf(name);
    std::ofstream file(path, std::ios::binary);
    RequireFile(file.write(content.data(), static_cast<std::streamsize>(content.size())).good(),
                path);
    return path;
}

// The whole content of a file the harness wrote or had written.
inline std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    RequireFile(file.good(), path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Reports a broken rule and aborts.
[[noreturn]] inline void Fail(std::string_view rule, std::string_view detail = {}) {
    std::fprintf(stderr, "kivo fuzz: rule broken: %.*s\n  %.*s\n", static_cast<int>(rule.size()),
                 rule.data(), static_cast<int>(detail.size() > 400 ? 400 : detail.size()),
                 detail.data());
    std::abort();
}

// The detail is built only when the rule is broken.
template <class Detail>
void Require(bool condition, std::string_view rule, Detail&& detail) {
    if (!condition)
        Fail(rule, detail());
}
inline void Require(bool condition, std::string_view rule) {
    if (!condition)
        Fail(rule);
}

// Answers OK or Yes to every question and keeps the messages.
using AnsweringPrompt = testing::ScriptedPrompt;

// Every option that holds text passes the rule of its box unchanged; `rule`
// says where the options came from.
inline void RequireOptionsPassTheirRules(const Workspace& workspace, std::string_view rule) {
    for (const OptionField& field : OptionFields()) {
        if (!field.HoldsText())
            continue;
        const std::string& text = workspace.options.*field.text;
        const StoredOptionValue value =
            ApplyStoredOptionRule(RuleOfOptionField(field.caption), text);
        Require(value.refusal.empty() && value.text == text, rule, [&] { return text; });
    }
}

}  // namespace kivo::fuzz
