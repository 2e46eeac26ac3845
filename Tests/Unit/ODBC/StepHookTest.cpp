#include "ODBC/Driver/StepHook.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>

using Orvik::ODBC::StepHook;

namespace {

pthread_key_t& StepKey()
{
    static pthread_key_t s_key = [] {
        pthread_key_t key;
        pthread_key_create(&key, nullptr);
        return key;
    }();
    return s_key;
}

} // namespace

// The host's export, as a host program provides it.
extern "C" __attribute__((visibility("default"))) pthread_key_t* Orvik_GetStepKey()
{
    return &StepKey();
}

namespace {

// The host's channel: the socket, then the prefix.
struct Channel
{
    int32_t m_socket;
    char m_prefix[1100];
};

// A socket pair whose host end keeps message boundaries, so one send is one message.
class StepHookTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        int sockets[2];
        ASSERT_EQ(0, socketpair(AF_UNIX, SOCK_SEQPACKET, 0, sockets));
        m_channel.m_socket = sockets[0];
        m_host = sockets[1];
        std::strcpy(m_channel.m_prefix, "abc");
        StepHook::Initialize();
        pthread_setspecific(StepKey(), &m_channel);
    }

    void TearDown() override
    {
        pthread_setspecific(StepKey(), nullptr);
        StepHook::Initialize("Orvik_NoSuchExport");
        if (m_channel.m_socket != -1)
        {
            close(m_channel.m_socket);
        }
        close(m_host);
    }

    /// Reports in_step while the host receives one message and answers in_acknowledgement;
    /// the message the host received.
    std::string ReportAnswered(const char* in_step, int in_acknowledgement)
    {
        std::string received;
        std::thread host([&] {
            char buffer[2048];
            const ssize_t length = recv(m_host, buffer, sizeof(buffer), 0);
            received.assign(buffer, length > 0 ? static_cast<size_t>(length) : 0);
            if (in_acknowledgement >= 0)
            {
                const uint8_t byte = static_cast<uint8_t>(in_acknowledgement);
                send(m_host, &byte, 1, 0);
            }
            else
            {
                shutdown(m_host, SHUT_RDWR);
            }
        });
        StepHook::ReportStep(in_step);
        host.join();
        return received;
    }

    /// Whether the host's end has a message waiting.
    bool HostHasMessage()
    {
        char byte = 0;
        return recv(m_host, &byte, 1, MSG_DONTWAIT) >= 0 || errno != EAGAIN;
    }

    Channel m_channel{};
    int m_host = -1;
};

TEST_F(StepHookTest, AStepGoesAsPrefixNameAndNulInOneSend)
{
    const std::string message = ReportAnswered("SetCancelable_SQLExecute", 0);
    EXPECT_EQ(28u, message.size());
    EXPECT_EQ(std::string("abcSetCancelable_SQLExecute") + '\0', message);
    EXPECT_NE(-1, m_channel.m_socket);
    // The thread goes on reporting.
    EXPECT_EQ(std::string("abcFreeConnectionLock_SQLExecute") + '\0',
              ReportAnswered("FreeConnectionLock_SQLExecute", 0));
}

TEST_F(StepHookTest, ARefusingAcknowledgementEndsTheThreadsReports)
{
    const int socket = m_channel.m_socket;
    ReportAnswered("GetConnectionLock_SQLExecDirect", 1);
    EXPECT_EQ(-1, m_channel.m_socket);
    // The driver's end was closed: the host reads the end of the connection.
    char byte = 0;
    EXPECT_EQ(0, recv(m_host, &byte, 1, 0));
    EXPECT_EQ(-1, fcntl(socket, F_GETFD));
    StepHook::ReportStep("GetConnectionLock_SQLExecute");
    EXPECT_EQ(-1, m_channel.m_socket);
}

TEST_F(StepHookTest, AHostThatHangsUpEndsTheThreadsReports)
{
    ReportAnswered("SetCancelable_SQLExecDirect", -1);
    EXPECT_EQ(-1, m_channel.m_socket);
}

TEST_F(StepHookTest, AThreadWithoutAChannelIsNotObserved)
{
    std::thread other([] { StepHook::ReportStep("GetConnectionLock_SQLPrepare"); });
    other.join();
    EXPECT_FALSE(HostHasMessage());
}

TEST_F(StepHookTest, WithoutTheHostsExportNothingIsSent)
{
    StepHook::Initialize("Orvik_NoSuchExport");
    StepHook::ReportStep("GetConnectionLock_SQLPrepare");
    EXPECT_FALSE(HostHasMessage());
    EXPECT_NE(-1, m_channel.m_socket);
}

TEST_F(StepHookTest, ATooLongMessageIsCutToTheBuffer)
{
    std::memset(m_channel.m_prefix, 'p', 1050);
    m_channel.m_prefix[1050] = '\0';
    const std::string message = ReportAnswered("SetCancelable_SQLExecute", 0);
    EXPECT_EQ(std::string(1007, 'p') + '\0', message);
}

} // namespace
