#include "DSI/Client/DSIMessageSource.h"
#include "DSI/StatementPropertyKey.h"
#include "Support/AttributeData.h"

#include "DSITestSupport.h"
#include "DriverSettings.h"
#include "TestConnection.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Orvik::DSI;
using namespace Orvik::Support;
using Orvik::Testing::Outcome;

namespace {

std::unique_ptr<AttributeData> Native(uint64_t in_value)
{
    return std::unique_ptr<AttributeData>(AttributeData::MakeNewUIntNativeAttributeData(in_value));
}

class StatementTest : public ::testing::Test
{
protected:
    /// "in" or "out", and what clamping gives: "none", the bound, or the error.
    std::string Limits(int32_t in_key, uint64_t in_value)
    {
        const std::unique_ptr<AttributeData> value = Native(in_value);
        std::string line;
        const std::string inLimits = Outcome([&] { line = m_statement->IsPropertyValueInLimits(in_key, *value) ? "in" : "out"; });
        if (inLimits != "ok")
        {
            return inLimits;
        }
        std::unique_ptr<AttributeData> bound;
        const std::string clamped = Outcome([&] { bound = m_statement->ClampPropertyValue(in_key, *value); });
        if (clamped != "ok")
        {
            return line + ", clamp " + clamped;
        }
        return line + ", clamp " + (bound == nullptr ? "none" : std::to_string(bound->GetUIntNativeValue()));
    }

    Orvik::Testing::DriverSettings m_settings;
    Orvik::Testing::TestDriver m_driver;
    Orvik::Testing::TestEnvironment m_environment{&m_driver};
    Orvik::Testing::TestConnection m_connection{&m_environment};
    std::unique_ptr<DSIStatement> m_statement = m_connection.CreateStatement();
};

} // namespace

TEST_F(StatementTest, ANewStatementHoldsItsDefaults)
{
    PropertyMap properties;
    properties.emplace(42, Native(1));
    m_statement->GetProperties(properties);
    std::string shown;
    for (const auto& property : properties)
    {
        shown += std::to_string(property.first) + "=" + std::to_string(property.second->GetAttributeType()) + ":"
                 + std::to_string(property.second->GetAttributeType() == ATTR_UINT16 ? property.second->GetUInt16Value()
                                                                                     : property.second->GetUIntNativeValue())
                 + " ";
    }
    EXPECT_EQ("1=8:0 2=8:0 3=8:0 4=6:0 5=8:1 6=8:1 100=8:4294967295 104=8:0 105=8:0 ", shown);
    EXPECT_EQ("HY000 2 DSIStmtPropNotFound [101]", Outcome([&] { m_statement->GetProperty(101); }));
    EXPECT_EQ("HY000 2 DSIStmtPropNotFound [7]", Outcome([&] { m_statement->GetProperty(7); }));
}

TEST_F(StatementTest, ValuesAreCheckedAndClampedAgainstTheirLimits)
{
    struct Case
    {
        int32_t key;
        uint64_t value;
        const char* expected;
    };
    const Case defaults[] = {
        {STMT_PROP_MAX_LENGTH, 4294967296u, "out, clamp 4294967295"},
        {STMT_PROP_MAX_LENGTH, 4294967295u, "in, clamp none"},
        {STMT_PROP_MAX_LENGTH, 0, "in, clamp none"},
        {STMT_PROP_MAX_ROWS, UINT64_MAX, "in, clamp none"},
        // The stored maximum 0 counts as none, and the minimum 0 excludes nothing.
        {STMT_PROP_QUERY_TIMEOUT, UINT64_MAX, "in, clamp none"},
        {STMT_PROP_RETRIEVE_DATA, 12345, "in, clamp HY000 2 DSIStmtPropLimitNotFound [5]"},
        {STMT_PROP_UNUSED_4, 0, "HY000 2 DSIStmtPropLimitNotFound [4]"},
        {STMT_PROP_ROWSET_SIZE, 1000, "in, clamp none"},
    };
    for (const Case& c : defaults)
    {
        EXPECT_EQ(c.expected, Limits(c.key, c.value)) << c.key << " " << c.value;
    }

    // A back end fixes the time-out at 10 and bounds the rows and the rowset size.
    m_statement->SetProperty(STMT_PROP_QUERY_TIMEOUT_MAX, Native(10));
    m_statement->SetProperty(STMT_PROP_QUERY_TIMEOUT_MIN, Native(10));
    m_statement->SetProperty(STMT_PROP_MAX_ROWS_MAX, Native(50));
    m_statement->SetProperty(STMT_PROP_MAX_ROWS_MIN, Native(5));
    m_statement->SetProperty(STMT_PROP_ROWSET_SIZE_MIN, Native(2));
    const Case bounded[] = {
        {STMT_PROP_QUERY_TIMEOUT, 10, "in, clamp none"},
        {STMT_PROP_QUERY_TIMEOUT, 11, "out, clamp none"},
        {STMT_PROP_QUERY_TIMEOUT, 9, "out, clamp none"},
        {STMT_PROP_MAX_ROWS, 51, "out, clamp 50"},
        {STMT_PROP_MAX_ROWS, 50, "in, clamp none"},
        {STMT_PROP_MAX_ROWS, 5, "in, clamp none"},
        {STMT_PROP_MAX_ROWS, 4, "out, clamp 5"},
        {STMT_PROP_ROWSET_SIZE, 1, "out, clamp 2"},
        {STMT_PROP_ROWSET_SIZE, UINT64_MAX, "in, clamp none"},
    };
    for (const Case& c : bounded)
    {
        EXPECT_EQ(c.expected, Limits(c.key, c.value)) << c.key << " " << c.value;
    }
}

TEST_F(StatementTest, OptionalOperationsAreRefusedOrDoNothing)
{
    const std::string customNotFound = "HY000 2 CustomPropNotFound [9]";
    EXPECT_EQ(customNotFound, Outcome([&] { m_statement->GetCustomProperty(9); }));
    EXPECT_EQ(customNotFound, Outcome([&] { m_statement->GetCustomPropertyType(9); }));
    EXPECT_EQ(customNotFound, Outcome([&] { m_statement->SetCustomProperty(9, Native(1)); }));
    EXPECT_FALSE(m_statement->IsCustomProperty(9));
    EXPECT_EQ("ok", Outcome([&] {
                  m_statement->SetCursorName(u"c1");
                  m_statement->Cancel();
                  m_statement->ClearCancel();
              }));
    EXPECT_EQ("HY000 3 InvalidArgument", Outcome([&] { m_statement->SetProperty(1, nullptr); }).substr(0, 23));
    m_statement->SetProperty(STMT_PROP_MAX_ROWS, Native(3));
    EXPECT_EQ(3u, m_statement->GetProperty(STMT_PROP_MAX_ROWS)->GetUIntNativeValue());
    EXPECT_EQ(m_driver.GetDriverLog(), m_statement->GetLog());
    EXPECT_EQ(m_driver.GetMessageSource().Get(), m_statement->GetMessageSource().Get());
    EXPECT_EQ(nullptr, m_statement->GetWarningListener());
}
