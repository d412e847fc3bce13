#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace kivo::testing {

// A fresh folder, removed afterwards. Its name holds the test's name, the
// process and a count, so that tests of two build trees run at the same time
// (or two folders of one test) never share a folder.
class TempDir {
  public:
    TempDir() {
        static std::atomic<int> count{0};
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("kivo-") + info->test_suite_name() + "-" + info->name() +
                           "-" + std::to_string(::getpid()) + "-" + std::to_string(++count);
        for (char& c : name) {
            if (c == '/')
                c = '_';
        }
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }

    // Writes `content` byte for byte into a file of the folder; returns its path.
    std::string Write(const std::string& name, std::string_view content) const {
        const std::string file = (path_ / name).string();
        std::ofstream(file, std::ios::binary) << content;
        return file;
    }

    std::string PathOf(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// The whole content of a file, byte for byte; empty when it cannot be read.
inline std::string ReadFileText(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

}  // namespace kivo::testing
