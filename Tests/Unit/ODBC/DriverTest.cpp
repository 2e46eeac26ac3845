#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Driver/Driver.h"
#include "ODBC/Driver/Module.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/Threads/ITask.h"
#include "ODBC/Threads/ThreadPool.h"
#include "Support/EnvironmentCounter.h"
#include "Support/Platform.h"

#include "FakeBackEnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using Orvik::Testing::FakeFactory;

namespace {

class DriverTest : public Orvik::Testing::FakeBackEndTest
{
protected:
    /// The driver's log entries that contain in_text.
    std::vector<std::string> LogLines(const std::string& in_text)
    {
        std::vector<std::string> lines;
        for (const std::string& entry : FakeFactory::s_lastDriver->m_log.m_entries)
        {
            if (entry.find(in_text) != std::string::npos)
            {
                lines.push_back(entry);
            }
        }
        return lines;
    }

    static SQLHANDLE AsHandle(HandleValue in_value) { return reinterpret_cast<SQLHANDLE>(in_value); }
};

TEST_F(DriverTest, StartUpRunsOnceUnderEightConcurrentFirstCalls)
{
    Driver driver;
    std::atomic<int> waiting{8};
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
    {
        threads.emplace_back([&] {
            --waiting;
            while (waiting > 0)
            {
                std::this_thread::yield();
            }
            driver.EnsureInitialized();
            EXPECT_TRUE(driver.IsInitialized());
        });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    EXPECT_EQ(1, FakeFactory::s_calls);
    EXPECT_NE(nullptr, driver.GetLog());
    EXPECT_NE(nullptr, driver.GetConnectionState(2));
    EXPECT_NE(nullptr, driver.GetConnectionState(6));
    EXPECT_EQ(nullptr, driver.GetConnectionState(7));
    EXPECT_TRUE(Driver::IsConnectionLockSkipped());
    EXPECT_EQ(ENC_UTF8, orvik_wstring::GetDatabaseCharEncoding());
    EXPECT_EQ(ENC_UTF16_LE, orvik_wstring::GetDriverManagerEncoding());
}

TEST_F(DriverTest, HandleValuesAcrossKindsAndTheirReuse)
{
    Driver driver;
    driver.EnsureInitialized();
    HandleValue environmentHandle = 0;
    ASSERT_EQ(SQL_SUCCESS, driver.CreateEnvironment(environmentHandle));
    EXPECT_EQ(1u, environmentHandle);
    Environment* environment = driver.GetEnvironment(environmentHandle);
    ASSERT_NE(nullptr, environment);
    SQLHANDLE connection = nullptr;
    ASSERT_EQ(SQL_SUCCESS, environment->SQLAllocHandle(SQL_HANDLE_DBC, AsHandle(environmentHandle), &connection));
    EXPECT_EQ(AsHandle(2), connection);
    // A statement draws its value, then one for each of its four descriptors.
    std::vector<HandleValue> statementValues{driver.NewStatementHandle()};
    for (int i = 0; i < 4; ++i)
    {
        statementValues.push_back(driver.NewAppDescriptorHandle());
    }
    EXPECT_EQ((std::vector<HandleValue>{3, 4, 5, 6, 7}), statementValues);
    int statement = 0;
    int descriptors[4] = {};
    driver.RegisterImplDescriptor(4, reinterpret_cast<Descriptor*>(&descriptors[0]));
    driver.RegisterImplDescriptor(5, reinterpret_cast<Descriptor*>(&descriptors[1]));
    driver.RegisterAppDescriptor(6, reinterpret_cast<Descriptor*>(&descriptors[2]));
    driver.RegisterAppDescriptor(7, reinterpret_cast<Descriptor*>(&descriptors[3]));
    driver.RegisterStatement(3, reinterpret_cast<Statement*>(&statement));
    // A value is found only in the registry of its kind.
    EXPECT_EQ(reinterpret_cast<Descriptor*>(&descriptors[0]), driver.GetDescriptor(4));
    EXPECT_EQ(nullptr, driver.GetAppDescriptor(4));
    EXPECT_EQ(reinterpret_cast<Descriptor*>(&descriptors[2]), driver.GetDescriptor(6));
    EXPECT_EQ(reinterpret_cast<Descriptor*>(&descriptors[2]), driver.GetAppDescriptor(6));
    EXPECT_EQ(nullptr, driver.GetEnvironment(2));
    EXPECT_EQ(nullptr, driver.GetConnection(environmentHandle));
    EXPECT_EQ(nullptr, driver.GetDescriptor(3));
    EXPECT_EQ(nullptr, driver.GetEnvironment(0));
    // Freed in the statement's order, reissued oldest first.
    driver.UnregisterImplDescriptor(4);
    driver.UnregisterImplDescriptor(5);
    driver.UnregisterAppDescriptor(6);
    driver.UnregisterAppDescriptor(7);
    driver.UnregisterStatement(3);
    EXPECT_EQ(nullptr, driver.GetDescriptor(4));
    EXPECT_EQ(4u, driver.NewStatementHandle());
    EXPECT_EQ(5u, driver.NewAppDescriptorHandle());
    EXPECT_EQ(SQL_SUCCESS, environment->SQLFreeHandle(SQL_HANDLE_DBC, connection));
    EXPECT_EQ(SQL_SUCCESS, driver.FreeEnvironment(environmentHandle));
}

TEST_F(DriverTest, ThePoolHasOneUserWhileAnyEnvironmentExists)
{
    Driver driver;
    driver.EnsureInitialized();
    ThreadPool& pool = *Module::GetThreadPool();
    HandleValue first = 0;
    HandleValue second = 0;
    std::vector<int32_t> users;
    ASSERT_EQ(SQL_SUCCESS, driver.CreateEnvironment(first));
    users.push_back(pool.GetUserCount());
    ASSERT_EQ(SQL_SUCCESS, driver.CreateEnvironment(second));
    users.push_back(pool.GetUserCount());
    EXPECT_EQ(SQL_SUCCESS, driver.FreeEnvironment(first));
    users.push_back(pool.GetUserCount());
    EXPECT_EQ(SQL_INVALID_HANDLE, driver.FreeEnvironment(first));
    users.push_back(pool.GetUserCount());
    EXPECT_EQ(SQL_SUCCESS, driver.FreeEnvironment(second));
    users.push_back(pool.GetUserCount());
    EXPECT_EQ((std::vector<int32_t>{1, 1, 1, 1, 0}), users);
    EXPECT_EQ(0, Module::GetEnvironmentCounter()->GetCount());
}

class SlowTask : public ITask
{
public:
    void Run() override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        m_isDone = true;
    }
    std::atomic<bool> m_isDone{false};
};

TEST_F(DriverTest, UnloadingWithEnvironmentsLeftFinishesTheQueuedTasksFirst)
{
    SlowTask task;
    {
        Driver driver;
        driver.EnsureInitialized();
        HandleValue environment = 0;
        ASSERT_EQ(SQL_SUCCESS, driver.CreateEnvironment(environment));
        Module::GetThreadPool()->PostTask(&task);
    }
    EXPECT_TRUE(task.m_isDone);
    EXPECT_EQ(nullptr, Module::GetThreadPool());
}

struct EncodingCase
{
    const char* m_setting;
    const char* m_traced;
};

const EncodingCase ENCODING_CASES[] = {
    {"UTF-7", "[ODBC] Driver initialization error: DriverManagerEncoding setting is not a legal encoding."},
    // Legal elsewhere, but the driver manager's wide characters are UTF-16.
    {"UTF-8", "[ODBC] Driver initialization error: DriverManagerEncoding setting must be UTF-16: the driver "
              "manager's wide characters are UTF-16."},
    {"UTF-32", "[ODBC] Driver initialization error: DriverManagerEncoding setting must be UTF-16: the driver "
               "manager's wide characters are UTF-16."},
};

TEST_F(DriverTest, AnIllegalEncodingMakesEveryEnvironmentAllocationFailWithItsRecord)
{
    for (const EncodingCase& testCase : ENCODING_CASES)
    {
        UseSettings("\"DRIVERMANAGERENCODING\"=\"" + std::string(testCase.m_setting) + "\"\n");
        Driver driver;
        testing::internal::CaptureStderr();
        driver.EnsureInitialized();
        const std::string traced = testing::internal::GetCapturedStderr();
        Orvik::Platform::SetTraceEnabled(false);
        EXPECT_NE(std::string::npos, traced.find(std::string(testCase.m_traced) + "\n")) << traced;
        EXPECT_TRUE(driver.IsInitialized());
        EXPECT_TRUE(driver.HasEncodingError());
        EXPECT_EQ(nullptr, driver.GetConnectionState(2));
        EXPECT_EQ(ENC_UTF16_LE, orvik_wstring::GetDriverManagerEncoding());
        for (int attempt = 0; attempt < 2; ++attempt)
        {
            HandleValue handle = 0;
            EXPECT_EQ(SQL_ERROR, driver.CreateEnvironment(handle));
            Environment* environment = driver.GetEnvironment(handle);
            ASSERT_NE(nullptr, environment) << testCase.m_setting;
            SQLWCHAR sqlState[6];
            SQLWCHAR message[256];
            SQLSMALLINT length = 0;
            ASSERT_EQ(SQL_SUCCESS,
                      environment->GetDiagManager().SQLGetDiagRec(1, sqlState, nullptr, message, 256, &length));
            EXPECT_EQ(u"HY000", std::u16string(reinterpret_cast<char16_t*>(sqlState)));
            EXPECT_NE(std::string::npos,
                      orvik_wstring(reinterpret_cast<char16_t*>(message)).GetAsUTF8().find(
                          "names an encoding that is not supported"));
            // Nor can a connection be made on it.
            SQLHANDLE connection = nullptr;
            EXPECT_EQ(SQL_ERROR, environment->SQLAllocHandle(SQL_HANDLE_DBC, AsHandle(handle), &connection));
            EXPECT_TRUE(environment->GetDiagManager().HasRecordWithState(SqlState("HY000")));
            EXPECT_EQ(SQL_SUCCESS, driver.FreeEnvironment(handle));
        }
    }
}

TEST_F(DriverTest, AnotherStartUpFailureLeavesNothingBehindAndTheNextCallStartsAfresh)
{
    Driver driver;
    FakeFactory::s_failures = 1;
    testing::internal::CaptureStderr();
    driver.EnsureInitialized();
    const std::string traced = testing::internal::GetCapturedStderr();
    Orvik::Platform::SetTraceEnabled(false);
    EXPECT_NE(std::string::npos, traced.find("[ODBC] Driver initialization error: BackEndFailure\n")) << traced;
    EXPECT_FALSE(driver.IsInitialized());
    EXPECT_EQ(nullptr, driver.GetLog());
    EXPECT_EQ(nullptr, Module::GetThreadPool());
    HandleValue handle = 0;
    EXPECT_EQ(SQL_ERROR, driver.CreateEnvironment(handle));
    driver.EnsureInitialized();
    EXPECT_TRUE(driver.IsInitialized());
    EXPECT_EQ(2, FakeFactory::s_calls);
    EXPECT_NE(nullptr, Module::GetThreadPool());
}

struct LogCase
{
    const char* m_level;
    bool m_versions;
    bool m_startUpLines;
};

const LogCase LOG_CASES[] = {
    {"0", false, false},
    {"1", true, false},
    {"4", true, true},
};

TEST_F(DriverTest, VersionLinesAtAnyLevelButOffAndTheLevelKept)
{
    for (const LogCase& testCase : LOG_CASES)
    {
        UseSettings("\"LogLevel\"=\"" + std::string(testCase.m_level) + "\"\n");
        Driver driver;
        driver.EnsureInitialized();
        const std::vector<std::string> expected{"INFO  Driver::LogVersions: SDK Version: 09.05.04.1004",
                                                "INFO  Driver::LogVersions: DSII Version: 01.00.00.1000"};
        EXPECT_EQ(testCase.m_versions ? expected : std::vector<std::string>(), LogLines("Version")) << testCase.m_level;
        EXPECT_EQ(std::stoi(testCase.m_level), FakeFactory::s_lastDriver->m_log.GetLogLevel());
        const std::vector<std::string> startUp = LogLines("Driver::Initialize");
        EXPECT_EQ(testCase.m_startUpLines ? 7u : 0u, startUp.size()) << testCase.m_level;
        if (testCase.m_startUpLines)
        {
            EXPECT_EQ("INFO  Driver::Initialize: Database CHAR Encoding: UTF-8", startUp[0]);
            EXPECT_EQ("INFO  Driver::Initialize: Driver Manager WCHAR Encoding: UTF-16LE", startUp[3]);
            EXPECT_EQ("INFO  Driver::Initialize: Detected Driver Manager: unixODBC, Unknown", startUp[4]);
            EXPECT_EQ("INFO  Driver::Initialize: Bitness: 64-bit", startUp[6]);
        }
    }
}

} // namespace
