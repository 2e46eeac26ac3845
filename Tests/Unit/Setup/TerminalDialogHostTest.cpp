// The terminal host under a pseudo-terminal: a child process whose controlling terminal it is
// runs ConfigDSN with a window, and the test, as the person at that terminal, adds a data source.

#include "Pelta/Setup/ConfigDSNHandler.h"

#include "SetupTestSupport.h"
#include "Unit/DSI/TestDriver.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

using namespace Pelta;
using Pelta::Test::FakeOdbcInstaller;
using Pelta::Test::PrivateRegistry;

namespace {

std::unique_ptr<Orvik::DSI::IDriver> MakeTestDriver(Orvik::Support::ModuleHandle& out_module)
{
    out_module = Orvik::Support::GetDriverModuleHandle();
    return std::make_unique<Orvik::Testing::TestDriver>();
}

// The child: makes the terminal its controlling one, adds a data source over a window of its
// own, and writes "result section|posted errors" to in_report.
[[noreturn]] void RunSetupOnTerminal(const std::string& in_terminal, int in_report)
{
    setsid();
    const int terminal = open(in_terminal.c_str(), O_RDWR);
    ioctl(terminal, TIOCSCTTY, 0);
    FakeOdbcInstaller installer;
    ConfigDSNHandler handler(installer, &MakeTestDriver);
    int window = 0;
    const int32_t result = handler.ConfigDSN(&window, 1, "Pelta", "\0");
    std::string report = std::to_string(result) + " " + installer.Describe("Sales") + "|";
    for (const std::string& posted : installer.m_posted)
    {
        report += posted + ";";
    }
    const ssize_t written = write(in_report, report.data(), report.size());
    _exit(written == static_cast<ssize_t>(report.size()) ? 0 : 1);
}

// What the terminal showed, read until in_until appears or the child closes it; empty on a
// time-out.
bool ReadTerminal(int in_master, std::string& io_shown, const std::string& in_until)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (in_until.empty() || io_shown.find(in_until) == std::string::npos)
    {
        pollfd ready{ in_master, POLLIN, 0 };
        if (std::chrono::steady_clock::now() > deadline || poll(&ready, 1, 200) < 0)
        {
            return false;
        }
        if ((ready.revents & (POLLIN | POLLHUP)) == 0)
        {
            continue;
        }
        char buffer[512];
        const ssize_t count = read(in_master, buffer, sizeof buffer);
        if (count <= 0)
        {
            return in_until.empty();
        }
        io_shown.append(buffer, static_cast<size_t>(count));
    }
    return true;
}

TEST(TerminalDialogHost, APersonAtTheTerminalAddsADataSource)
{
    PrivateRegistry registry;
    Orvik::Testing::ScopedEnvironment encoding("ORVIK_APP_ANSI_ENCODING", std::string("UTF-8"));
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(0, grantpt(master));
    ASSERT_EQ(0, unlockpt(master));
    const std::string terminal = ptsname(master);
    int report[2];
    ASSERT_EQ(0, pipe(report));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        close(master);
        close(report[0]);
        RunSetupOnTerminal(terminal, report[1]);
    }
    close(report[1]);

    std::string shown;
    const bool isDialogShown = ReadTerminal(master, shown, "> ");
    if (isDialogShown)
    {
        // Name, servers with blanks around them, a refused letter in the timeout, then Enter: OK.
        const std::string typed = "1\nSales\n3\n h:9200 \n5\n1x\n\n";
        EXPECT_EQ(static_cast<ssize_t>(typed.size()), write(master, typed.data(), typed.size()));
        EXPECT_TRUE(ReadTerminal(master, shown, "")) << shown;
    }
    else
    {
        kill(child, SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    close(master);
    char buffer[1024] = {};
    const ssize_t count = read(report[0], buffer, sizeof buffer - 1);
    close(report[0]);

    ASSERT_TRUE(isDialogShown) << shown;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << shown;
    ASSERT_GT(count, 0) << shown;
    EXPECT_EQ("1 Driver=Pelta;DESCRIPTION=;MaxColumnSize=4000;ReEntryTime=;Servers=h:9200;Timeout=1;|", std::string(buffer))
        << shown;
    EXPECT_NE(std::string::npos, shown.find("== Pelta ODBC Driver DSN Setup ==")) << shown;
    EXPECT_NE(std::string::npos, shown.find("1. Data Source Name: [Sales]")) << shown;
    EXPECT_NE(std::string::npos, shown.find("[o] OK (disabled)")) << "before name and servers: " << shown;
    EXPECT_NE(std::string::npos, shown.find("Not every character was taken")) << shown;
}

} // namespace
