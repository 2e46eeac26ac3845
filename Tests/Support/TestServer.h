#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Pelta {
namespace Test {

/// How to start the test server.
struct TestServerOptions
{
    /// Number of statement listeners, each on a free port of 127.0.0.1.
    int listeners = 1;
    /// Load the sample tables: one per server column type, and one with a two-column key.
    bool sampleData = false;
    /// The server ends itself after this many seconds, whatever happens to the test.
    int maxSeconds = 300;
    /// Further command-line arguments for the server (see Tests/Server/serve.py --help).
    std::vector<std::string> extraArguments;
};

/// A reply of the control port.
struct ControlReply
{
    long status = 0;
    std::string body;
};

/// The protocol test server (Tests/Server/serve.py) as a child process of one test. The
/// constructor starts it and reads its ports from its first line of output; the destructor kills
/// and reaps it. The server also ends by itself when its lifetime is over or when this process
/// dies, so it never outlives the test.
class TestServer
{
public:
    /// Starts the server; throws std::runtime_error when it does not come up.
    explicit TestServer(const TestServerOptions& in_options = TestServerOptions());

    /// Stops the server (see Stop).
    ~TestServer();

    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    /// Ports of the statement listeners, in listener order.
    const std::vector<uint16_t>& Ports() const { return m_ports; }

    /// Port of one statement listener.
    uint16_t Port(size_t in_listener = 0) const { return m_ports.at(in_listener); }

    /// Port of the control interface.
    uint16_t ControlPort() const { return m_controlPort; }

    /// "127.0.0.1:<port>" of one listener: a server entry as the "Servers" setting writes it.
    std::string Address(size_t in_listener = 0) const;

    /// Every listener's address, comma-separated, for the "Servers" setting.
    std::string Servers() const;

    /// Sends a request to the control port: a POST with the JSON body when one is given,
    /// otherwise a request of the given method without a body. Throws std::runtime_error when
    /// the control port cannot be reached.
    ControlReply Control(const std::string& in_method,
                         const std::string& in_path,
                         const std::string& in_jsonBody = std::string()) const;

    /// Kills the server and waits for it; does nothing when it is already stopped.
    void Stop();

private:
    void ReadPorts(int in_fd);

    pid_t m_pid = -1;
    int m_stdin = -1;
    std::vector<uint16_t> m_ports;
    uint16_t m_controlPort = 0;
};

} // namespace Test
} // namespace Pelta
