#include "Support/TestServer.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <stdexcept>

#ifndef PELTA_PYTHON3
#error "PELTA_PYTHON3 must name the Python interpreter"
#endif
#ifndef PELTA_TEST_SERVER_SCRIPT
#error "PELTA_TEST_SERVER_SCRIPT must name Tests/Server/serve.py"
#endif

namespace Pelta {
namespace Test {

namespace {

// Every wait on the child is bounded by this.
constexpr int WaitSeconds = 30;

int64_t NowMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Reads numbers from the first output line, {"ports":[p0,p1,...],"control":pc}.
std::vector<long> NumbersAfter(const std::string& in_line, const std::string& in_key, bool in_list)
{
    std::vector<long> numbers;
    size_t pos = in_line.find("\"" + in_key + "\"");
    if (pos == std::string::npos)
        return numbers;
    pos = in_line.find(':', pos);
    const size_t end = in_list ? in_line.find(']', pos) : in_line.find_first_of(",}", pos + 1);
    if (pos == std::string::npos || end == std::string::npos)
        return numbers;
    const char* cursor = in_line.c_str() + pos + 1;
    const char* stop = in_line.c_str() + end;
    while (cursor < stop)
    {
        if (*cursor >= '0' && *cursor <= '9')
        {
            char* next = nullptr;
            numbers.push_back(std::strtol(cursor, &next, 10));
            cursor = next;
        }
        else
        {
            ++cursor;
        }
    }
    return numbers;
}

size_t AppendToString(char* in_data, size_t in_size, size_t in_count, void* io_target)
{
    static_cast<std::string*>(io_target)->append(in_data, in_size * in_count);
    return in_size * in_count;
}

} // namespace

TestServer::TestServer(const TestServerOptions& in_options)
{
    // Everything the child needs is built before fork: between fork and exec only
    // async-signal-safe calls are made.
    std::vector<std::string> arguments = {
        PELTA_PYTHON3, "-B", PELTA_TEST_SERVER_SCRIPT, "--watch-stdin",
        "--listeners", std::to_string(in_options.listeners),
        "--max-seconds", std::to_string(in_options.maxSeconds)};
    if (in_options.sampleData)
        arguments.push_back("--sample-data");
    arguments.insert(arguments.end(), in_options.extraArguments.begin(),
                     in_options.extraArguments.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int output[2];
    int input[2];
    if (pipe2(output, O_CLOEXEC) != 0)
        throw std::runtime_error("TestServer: pipe failed");
    if (pipe2(input, O_CLOEXEC) != 0)
    {
        close(output[0]);
        close(output[1]);
        throw std::runtime_error("TestServer: pipe failed");
    }
    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid == 0)
    {
        // The server dies with this process even when the destructor never runs.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(126);
        dup2(input[0], STDIN_FILENO);
        dup2(output[1], STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(output[1]);
    close(input[0]);
    if (m_pid < 0)
    {
        close(output[0]);
        close(input[1]);
        throw std::runtime_error("TestServer: fork failed");
    }
    // The server reads its standard input until the end: it stops when this end closes.
    m_stdin = input[1];
    try
    {
        ReadPorts(output[0]);
    }
    catch (...)
    {
        close(output[0]);
        Stop();
        throw;
    }
    close(output[0]);
}

TestServer::~TestServer()
{
    Stop();
}

void TestServer::ReadPorts(int in_fd)
{
    std::string line;
    const int64_t deadline = NowMilliseconds() + WaitSeconds * 1000;
    while (line.find('\n') == std::string::npos)
    {
        const int64_t left = deadline - NowMilliseconds();
        if (left <= 0)
            throw std::runtime_error("TestServer: no ports from the server within the time limit");
        pollfd descriptor{in_fd, POLLIN, 0};
        const int ready = poll(&descriptor, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            continue;
        char buffer[512];
        const ssize_t got = read(in_fd, buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            throw std::runtime_error("TestServer: the server ended before reporting its ports: " +
                                     line);
        line.append(buffer, size_t(got));
    }
    const std::vector<long> ports = NumbersAfter(line, "ports", true);
    const std::vector<long> control = NumbersAfter(line, "control", false);
    if (ports.empty() || control.size() != 1)
        throw std::runtime_error("TestServer: unexpected first line: " + line);
    for (long port : ports)
        m_ports.push_back(uint16_t(port));
    m_controlPort = uint16_t(control[0]);
}

void TestServer::Stop()
{
    if (m_stdin >= 0)
    {
        close(m_stdin);
        m_stdin = -1;
    }
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGKILL);
    while (waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR)
    {
    }
    m_pid = -1;
}

std::string TestServer::Address(size_t in_listener) const
{
    return "127.0.0.1:" + std::to_string(Port(in_listener));
}

std::string TestServer::Servers() const
{
    std::string servers;
    for (size_t i = 0; i < m_ports.size(); ++i)
        servers += (i ? "," : "") + Address(i);
    return servers;
}

ControlReply TestServer::Control(const std::string& in_method,
                                 const std::string& in_path,
                                 const std::string& in_jsonBody) const
{
    static std::once_flag curlReady;
    std::call_once(curlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    CURL* curl = curl_easy_init();
    if (!curl)
        throw std::runtime_error("TestServer: curl_easy_init failed");
    ControlReply reply;
    const std::string url = "http://127.0.0.1:" + std::to_string(m_controlPort) + in_path;
    curl_slist* headers = curl_slist_append(nullptr, "Content-Type: application/json");
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, long(WaitSeconds));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &AppendToString);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply.body);
    if (!in_jsonBody.empty() || in_method == "POST")
    {
        const std::string& body = in_jsonBody.empty() ? std::string("{}") : in_jsonBody;
        curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, long(body.size()));
        curl_easy_setopt(curl, CURLOPT_COPYPOSTFIELDS, body.c_str());
    }
    else if (in_method != "GET")
    {
        curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, in_method.c_str());
    }
    const CURLcode result = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    if (result != CURLE_OK)
        throw std::runtime_error(std::string("TestServer: control request failed: ") +
                                 curl_easy_strerror(result));
    return reply;
}

} // namespace Test
} // namespace Pelta
