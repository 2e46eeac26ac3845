#include "Support/DriverModuleDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

using Orvik::Support::GetDriverModuleDirectory;
using Orvik::Support::GetDriverModuleHandle;

TEST(DriverModuleDirectory, IsTheAbsoluteDirectoryOfTheModuleWithATrailingSlash)
{
    // The core library is linked into this test program, so the module is the program.
    const std::string directory = GetDriverModuleDirectory(GetDriverModuleHandle()).GetAsUTF8();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ('/', directory.front());
    EXPECT_EQ('/', directory.back());
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_TRUE(std::filesystem::equivalent(directory, program.parent_path())) << directory;
}

TEST(DriverModuleDirectory, IsComputedOnceAndKept)
{
    const auto& first = GetDriverModuleDirectory(GetDriverModuleHandle());
    // Once known, the directory no longer depends on the handle given.
    const auto& second = GetDriverModuleDirectory(nullptr);
    EXPECT_EQ(&first, &second);
    EXPECT_FALSE(second.IsNull());
}
