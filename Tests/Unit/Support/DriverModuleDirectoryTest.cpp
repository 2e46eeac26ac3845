#include "Support/DriverModuleDirectory.h"

#include "Common/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

extern char** environ;

using Orvik::Support::GetDriverModuleDirectory;
using Orvik::Support::GetDriverModuleHandle;

namespace {

/// The core library is linked into this test program, so the driver's module is the program,
/// and the loader names it by the path it was started with.
std::string StartedProgramDirectory()
{
    const std::filesystem::path program = std::filesystem::absolute(program_invocation_name);
    return program.parent_path().string() + "/";
}

/// Starts this test program as in_program with only in_test; returns its exit code.
int RunThisProgramAs(std::string in_program, const std::string& in_test)
{
    std::string filter = "--gtest_filter=" + in_test;
    char* arguments[] = {in_program.data(), filter.data(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, in_program.c_str(), nullptr, nullptr, arguments, environ) != 0)
    {
        return -1;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR)
    {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

/// In a process that has not computed the directory yet: exits with 0 when an unknown module
/// leaves it unknown, the next call computes it, and from then on it is kept, even when a
/// later call names another module.
[[noreturn]] void AskAgainUntilKnownThenKeep()
{
    if (!GetDriverModuleDirectory(nullptr).IsNull())
    {
        std::_Exit(1);
    }
    const std::string directory = GetDriverModuleDirectory(GetDriverModuleHandle()).GetAsUTF8();
    if (directory != StartedProgramDirectory())
    {
        std::_Exit(2);
    }
    const void* inTheCLibrary = dlsym(RTLD_DEFAULT, "abort");
    // _Exit skips the leak check at exit, which itself needs a thread.
    std::_Exit(GetDriverModuleDirectory(inTheCLibrary).GetAsUTF8() == directory ? 0 : 3);
}

} // namespace

TEST(DriverModuleDirectory, IsTheDirectoryTheProgramWasStartedFrom)
{
    const std::string directory = GetDriverModuleDirectory(GetDriverModuleHandle()).GetAsUTF8();
    EXPECT_EQ('/', directory.front());
    EXPECT_EQ(StartedProgramDirectory(), directory);
}

TEST(DriverModuleDirectory, HasNoLengthLimit)
{
    Orvik::Testing::TemporaryDirectory temporary;
    std::filesystem::path directory = temporary.Path();
    for (char letter : {'a', 'b', 'c'})
    {
        directory /= std::string(120, letter);
    }
    std::filesystem::create_directories(directory);
    const std::filesystem::path program = directory / "SupportTests";
    std::filesystem::create_symlink(std::filesystem::read_symlink("/proc/self/exe"), program);
    ASSERT_GT(program.string().size(), 360u);
    EXPECT_EQ(0, RunThisProgramAs(program.string(),
                                  "DriverModuleDirectory.IsTheDirectoryTheProgramWasStartedFrom"));
}

TEST(DriverModuleDirectoryDeathTest, StaysUnknownUntilTheSystemTellsThenIsKept)
{
    // This style runs the statement in a new process, where nothing has been computed yet.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(AskAgainUntilKnownThenKeep(), ::testing::ExitedWithCode(0), "");
}
