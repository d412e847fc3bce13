#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "support/TempDir.h"

namespace kivo {
namespace {

TEST(TestFolders, TwoFoldersOfOneTestKeepTheirOwnFiles) {
    const testing::TempDir first;
    const std::string kept = first.Write("kept.txt", "1");
    const testing::TempDir second;
    EXPECT_NE(first.PathOf(""), second.PathOf(""));
    EXPECT_TRUE(std::filesystem::exists(kept));
}

#ifndef NDEBUG
// An overrun inside an object (here into the member after the array) is
// invisible to the address sanitizer; the debug build's library checks stop it.
TEST(DebugBuild, IndexPastTheEndOfAnArrayMemberAborts) {
    struct Record {
        std::array<int, 4> values{};
        int after = 0;
    };
    Record record;
    volatile std::size_t index = 4;
    EXPECT_DEATH(record.values[index] = 1, "");
}
#endif

}  // namespace
}  // namespace kivo
