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

// The child: makes the terminal its controlling one, adds a data source (over a window of its
// own when in_withWindow, with PELTA_SETUP_UI=in_request when it is not null) and writes
// "result section|posted errors" to in_report.
[[noreturn]] void RunSetupOnTerminal(const std::string& in_terminal, bool in_withWindow, const char* in_request, int in_report)
{
    setsid();
    const int terminal = open(in_terminal.c_str(), O_RDWR);
    ioctl(terminal, TIOCSCTTY, 0);
    if (in_request != nullptr)
    {
        setenv("PELTA_SETUP_UI", in_request, 1);
    }
    FakeOdbcInstaller installer;
    ConfigDSNHandler handler(installer, &MakeTestDriver);
    int window = 0;
    const int32_t result = handler.ConfigDSN(in_withWindow ? &window : nullptr, 1, "Pelta", "\0");
    std::string report = std::to_string(result) + " " + installer.Describe("Sales") + "|";
    for (const std::string& posted : installer.m_posted)
    {
        report += posted + ";";
    }
    const ssize_t written = write(in_report, report.data(), report.size());
    _exit(written == static_cast<ssize_t>(report.size()) ? 0 : 1);
}

// Reads what the terminal shows into io_shown until in_until appears (true) or the child has
// closed the terminal (false); gives up after a while.
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
            return false;
        }
        io_shown.append(buffer, static_cast<size_t>(count));
    }
    return true;
}

// One run of setup in a child on a fresh pseudo-terminal, with in_typed typed once the dialog
// asks: what the terminal showed, and the child's report.
struct TerminalRun
{
    std::string m_shown;
    std::string m_report;
    bool m_isExited = false;
};

TerminalRun RunOnTerminal(bool in_withWindow, const char* in_request, const std::string& in_typed)
{
    TerminalRun run;
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    int report[2];
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0 || pipe(report) != 0)
    {
        ADD_FAILURE() << "no pseudo-terminal";
        return run;
    }
    const std::string terminal = ptsname(master);
    const pid_t child = fork();
    if (child == 0)
    {
        close(master);
        close(report[0]);
        RunSetupOnTerminal(terminal, in_withWindow, in_request, report[1]);
    }
    close(report[1]);
    if (ReadTerminal(master, run.m_shown, "> "))
    {
        EXPECT_EQ(static_cast<ssize_t>(in_typed.size()), write(master, in_typed.data(), in_typed.size()));
    }
    ReadTerminal(master, run.m_shown, "");
    kill(child, SIGKILL); // only when it hangs: it has ended by now otherwise
    int status = 0;
    waitpid(child, &status, 0);
    close(master);
    char buffer[1024] = {};
    if (read(report[0], buffer, sizeof buffer - 1) > 0)
    {
        run.m_report = buffer;
    }
    close(report[0]);
    run.m_isExited = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

TEST(TerminalDialogHost, APersonAtTheTerminalAddsADataSource)
{
    PrivateRegistry registry;
    Orvik::Testing::ScopedEnvironment encoding("ORVIK_APP_ANSI_ENCODING", std::string("UTF-8"));
    // Name, servers with blanks around them, a refused letter in the timeout, then Enter: OK.
    const std::string typed = "1\nSales\n3\n h:9200 \n5\n1x\n\n";
    const std::string added = "1 Driver=Pelta;DESCRIPTION=;MaxColumnSize=4000;ReEntryTime=;Servers=h:9200;Timeout=1;|";

    const TerminalRun run = RunOnTerminal(true, nullptr, typed);
    EXPECT_TRUE(run.m_isExited) << run.m_shown;
    EXPECT_EQ(added, run.m_report) << run.m_shown;
    EXPECT_NE(std::string::npos, run.m_shown.find("== Pelta ODBC Driver DSN Setup ==")) << run.m_shown;
    EXPECT_NE(std::string::npos, run.m_shown.find("1. Data Source Name: [Sales]")) << run.m_shown;
    EXPECT_NE(std::string::npos, run.m_shown.find("[o] OK (disabled)")) << "before name and servers: " << run.m_shown;
    EXPECT_NE(std::string::npos, run.m_shown.find("Not every character was taken")) << run.m_shown;

    // Without a window, only the environment's request brings the terminal in.
    const TerminalRun requested = RunOnTerminal(false, "tty", typed);
    EXPECT_EQ(added, requested.m_report) << requested.m_shown;
    const TerminalRun unasked = RunOnTerminal(false, nullptr, typed);
    EXPECT_EQ("", unasked.m_shown);
    EXPECT_EQ(0u, unasked.m_report.find("0 <none>|11 The setup dialog cannot be shown")) << unasked.m_report;
}

} // namespace
