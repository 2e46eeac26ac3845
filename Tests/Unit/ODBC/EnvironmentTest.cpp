#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Driver/Driver.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"

#include "FakeBackEnd.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <string>

#ifndef SQL_ATTR_DRIVER_UNICODE_TYPE
#define SQL_ATTR_DRIVER_UNICODE_TYPE 1065
#endif

using namespace Orvik::ODBC;
using namespace Orvik::Support;

namespace {


class EnvironmentTest : public Orvik::Testing::FakeBackEndTest
{
protected:
    EnvironmentTest()
    {
        m_driver.EnsureInitialized();
        m_driver.CreateEnvironment(m_handle);
        m_environment = m_driver.GetEnvironment(m_handle);
    }

    ~EnvironmentTest() override { m_driver.FreeEnvironment(m_handle); }

    /// The outcome of a call as "SQLRETURN SQLSTATE(s)", the SQLSTATEs of its records.
    std::string Outcome(SQLRETURN in_result)
    {
        std::string outcome = std::to_string(in_result);
        DiagManager& diagnostics = m_environment->GetDiagManager();
        for (SQLSMALLINT number = 1; number <= diagnostics.GetRecordCount(); ++number)
        {
            SQLWCHAR sqlState[6];
            diagnostics.SQLGetDiagRec(number, sqlState, nullptr, nullptr, 0, nullptr);
            outcome += " " + orvik_wstring(reinterpret_cast<char16_t*>(sqlState)).GetAsUTF8();
        }
        return outcome;
    }

    std::string Set(SQLINTEGER in_attribute, intptr_t in_value)
    {
        return Outcome(m_environment->SQLSetEnvAttr(in_attribute, reinterpret_cast<SQLPOINTER>(in_value), 0));
    }

    /// The outcome, and the value read as a 32-bit number.
    std::string Get(SQLINTEGER in_attribute)
    {
        SQLUINTEGER value = 12345;
        SQLINTEGER length = -1;
        const std::string outcome = Outcome(m_environment->SQLGetEnvAttr(in_attribute, &value, 0, &length));
        return outcome + (length == 4 ? " = " + std::to_string(value) : "");
    }

    std::string AllocateConnection(SQLHANDLE& out_connection)
    {
        return Outcome(m_environment->SQLAllocHandle(SQL_HANDLE_DBC, reinterpret_cast<SQLHANDLE>(m_handle),
                                                     &out_connection));
    }

    std::string FreeConnection(SQLHANDLE in_connection)
    {
        return Outcome(m_environment->SQLFreeHandle(SQL_HANDLE_DBC, in_connection));
    }

    Driver m_driver;
    HandleValue m_handle = 0;
    Environment* m_environment = nullptr;
};

struct AttributeStep
{
    bool m_isSet;
    SQLINTEGER m_attribute;
    intptr_t m_value;
    const char* m_outcome;
};

// One environment's life, each step with what it returns, posts and reads.
const AttributeStep ATTRIBUTE_STEPS[] = {
    {false, SQL_ATTR_ODBC_VERSION, 0, "0 = 3"},
    {false, SQL_ATTR_CONNECTION_POOLING, 0, "-1 HY010"},
    {false, SQL_ATTR_DRIVER_UNICODE_TYPE, 0, "-1 HY010"},
    {true, SQL_ATTR_OUTPUT_NTS, SQL_TRUE, "-1 HY010"},
    {true, SQL_ATTR_CP_MATCH, SQL_CP_RELAXED_MATCH, "-1 HY010"},
    // A refused version is not kept.
    {true, SQL_ATTR_ODBC_VERSION, 7, "-1 HY024"},
    {false, SQL_ATTR_ODBC_VERSION, 0, "0 = 3"},
    {true, SQL_ATTR_ODBC_VERSION, SQL_OV_ODBC3_80, "0"},
    {false, SQL_ATTR_ODBC_VERSION, 0, "0 = 380"},
    {false, SQL_ATTR_DRIVER_UNICODE_TYPE, 0, "0 = 1"},
    {true, SQL_ATTR_DRIVER_UNICODE_TYPE, 2, "-1 HY000"},
    {true, 9999, 1, "-1 HY000"},
    {false, 9999, 0, "100"},
    {false, SQL_ATTR_OUTPUT_NTS, 0, "0 = 1"},
    {true, SQL_ATTR_OUTPUT_NTS, SQL_FALSE, "-1 HYC00"},
    {false, SQL_ATTR_OUTPUT_NTS, 0, "0 = 1"},
    {true, SQL_ATTR_OUTPUT_NTS, SQL_TRUE, "0"},
    {false, SQL_ATTR_CONNECTION_POOLING, 0, "0 = 0"},
    {true, SQL_ATTR_CONNECTION_POOLING, SQL_CP_ONE_PER_DRIVER, "0"},
    {false, SQL_ATTR_CONNECTION_POOLING, 0, "0 = 1"},
    {false, SQL_ATTR_CP_MATCH, 0, "0 = 0"},
    // ODBC 2 behaviour: later records take the ODBC 2 forms.
    {true, SQL_ATTR_ODBC_VERSION, SQL_OV_ODBC2, "0"},
    {false, SQL_ATTR_ODBC_VERSION, 0, "0 = 2"},
    {true, SQL_ATTR_OUTPUT_NTS, SQL_FALSE, "-1 S1C00"},
    {true, SQL_ATTR_ODBC_VERSION, 0, "-1 S1000"},
};

TEST_F(EnvironmentTest, AttributesBeforeAndAfterTheVersionIsSet)
{
    for (const AttributeStep& step : ATTRIBUTE_STEPS)
    {
        const std::string outcome = step.m_isSet ? Set(step.m_attribute, step.m_value) : Get(step.m_attribute);
        EXPECT_EQ(step.m_outcome, outcome) << (step.m_isSet ? "set " : "get ") << step.m_attribute;
    }
}

TEST_F(EnvironmentTest, TheTwoStatesWithConnectionsAllocatedAndFreed)
{
    // No state checks the version before the first connection.
    SQLHANDLE first = nullptr;
    SQLHANDLE second = nullptr;
    EXPECT_EQ("-1 HY000", FreeConnection(reinterpret_cast<SQLHANDLE>(99)));
    EXPECT_EQ("-1", Outcome(m_environment->SQLEndTran(SQL_COMMIT)));
    EXPECT_EQ("0", AllocateConnection(first));
    EXPECT_EQ(1u, m_environment->GetConnectionCount());
    EXPECT_EQ("-1 HY010", Set(SQL_ATTR_ODBC_VERSION, SQL_OV_ODBC3));
    EXPECT_EQ("0", AllocateConnection(second));
    EXPECT_EQ(2u, m_environment->GetConnectionCount());
    EXPECT_NE(first, second);
    Connection* connection = m_driver.GetConnection(reinterpret_cast<HandleValue>(first));
    ASSERT_NE(nullptr, connection);
    EXPECT_EQ(m_environment, &connection->GetEnvironment());
    SQLHANDLE statement = nullptr;
    EXPECT_EQ("-1 HY000", Outcome(m_environment->SQLAllocHandle(SQL_HANDLE_STMT, first, &statement)));
    EXPECT_EQ(nullptr, statement);
    EXPECT_EQ("-1 HY012", Outcome(m_environment->SQLEndTran(5)));
    EXPECT_EQ("0", Outcome(m_environment->SQLEndTran(SQL_COMMIT)));
    EXPECT_EQ("0", Outcome(m_environment->SQLEndTran(SQL_ROLLBACK)));
    EXPECT_EQ("0", FreeConnection(first));
    EXPECT_EQ(nullptr, m_driver.GetConnection(reinterpret_cast<HandleValue>(first)));
    EXPECT_EQ("-1 HY000", FreeConnection(first));
    EXPECT_EQ("-1 HY010", Set(SQL_ATTR_ODBC_VERSION, SQL_OV_ODBC3));
    EXPECT_EQ("0", FreeConnection(second));
    EXPECT_EQ(0u, m_environment->GetConnectionCount());
    // Back in E1: the attributes can be set again, and there is nothing to free.
    EXPECT_EQ("0", Set(SQL_ATTR_ODBC_VERSION, SQL_OV_ODBC3));
    EXPECT_EQ("-1 HY000", FreeConnection(second));
    EXPECT_EQ("0", AllocateConnection(first));
    EXPECT_EQ("0", FreeConnection(first));
}

TEST_F(EnvironmentTest, AConnectionOfAnotherEnvironmentIsNotFreedHere)
{
    HandleValue otherHandle = 0;
    ASSERT_EQ(SQL_SUCCESS, m_driver.CreateEnvironment(otherHandle));
    Environment* other = m_driver.GetEnvironment(otherHandle);
    SQLHANDLE mine = nullptr;
    SQLHANDLE theirs = nullptr;
    ASSERT_EQ("0", AllocateConnection(mine));
    ASSERT_EQ(SQL_SUCCESS, other->SQLAllocHandle(SQL_HANDLE_DBC, reinterpret_cast<SQLHANDLE>(otherHandle), &theirs));
    EXPECT_EQ("-1 HY000", FreeConnection(theirs));
    EXPECT_NE(nullptr, m_driver.GetConnection(reinterpret_cast<HandleValue>(theirs)));
    EXPECT_EQ(SQL_SUCCESS, other->SQLFreeHandle(SQL_HANDLE_DBC, theirs));
    EXPECT_EQ(SQL_SUCCESS, m_driver.FreeEnvironment(otherHandle));
    EXPECT_EQ("0", FreeConnection(mine));
}

TEST_F(EnvironmentTest, AConnectionsDiagnosticsFollowTheEnvironmentsVersion)
{
    ASSERT_EQ("0", Set(SQL_ATTR_ODBC_VERSION, SQL_OV_ODBC2));
    SQLHANDLE handle = nullptr;
    ASSERT_EQ("0", AllocateConnection(handle));
    DiagManager& diagnostics = m_driver.GetConnection(reinterpret_cast<HandleValue>(handle))->GetDiagManager();
    EXPECT_TRUE(diagnostics.MatchesOdbcVersion(SQL_OV_ODBC2));
    EXPECT_FALSE(diagnostics.MatchesOdbcVersion(SQL_OV_ODBC3));
    EXPECT_EQ("0", FreeConnection(handle));
}

} // namespace
