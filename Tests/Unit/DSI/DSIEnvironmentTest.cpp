#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSIException.h"
#include "Support/AttributeData.h"
#include "Support/TypedDataWrapper/WarningListener.h"

#include "DriverSettings.h"
#include "TestDriver.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::DSI;
using Orvik::Support::AttributeData;
using Orvik::Support::ErrorException;

namespace {

std::unique_ptr<AttributeData> Int32(int32_t in_value)
{
    return std::unique_ptr<AttributeData>(AttributeData::MakeNewInt32AttributeData(in_value));
}

std::unique_ptr<AttributeData> UInt32(uint32_t in_value)
{
    return std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt32AttributeData(in_value));
}

// "key state component" of the error a call raises, or "none".
template <class Call>
std::string Raised(Call in_call)
{
    try
    {
        in_call();
        return "none";
    }
    catch (const ErrorException& error)
    {
        return error.GetMessageKey().GetAsUTF8() + " " + Orvik::Support::GetSqlStateForDiagState(error.GetDiagState()).GetText() +
               " " + std::to_string(error.GetComponentId());
    }
}

class EnvironmentTest : public ::testing::Test
{
protected:
    Orvik::Testing::DriverSettings m_settings;
    Orvik::Testing::TestDriver m_driver;
    std::unique_ptr<DSIEnvironment> m_environment = m_driver.CreateEnvironment();
};

} // namespace

TEST_F(EnvironmentTest, DefaultsAndReplacement)
{
    EXPECT_EQ(1u, m_environment->GetProperty(ENV_PROP_OUTPUT_NTS)->GetUInt32Value());
    EXPECT_EQ(0u, m_environment->GetProperty(ENV_PROP_UNUSED_2)->GetUInt16Value());
    EXPECT_EQ(3, m_environment->GetProperty(ENV_PROP_ODBC_VERSION)->GetInt32Value());

    m_environment->SetProperty(ENV_PROP_ODBC_VERSION, Int32(2));
    EXPECT_EQ(2, m_environment->GetProperty(ENV_PROP_ODBC_VERSION)->GetInt32Value());
    m_environment->SetProperty(7, Int32(70));
    m_environment->SetProperty(7, Int32(71));
    EXPECT_EQ(71, m_environment->GetProperty(7)->GetInt32Value());
}

TEST_F(EnvironmentTest, AnAbsentKeyRaisesItsNumber)
{
    EXPECT_EQ("DSIEnvPropNotFound HY000 2", Raised([&] { m_environment->GetProperty(ENV_PROP_CATALOG_CONVENTION); }));
    try
    {
        m_environment->GetProperty(4);
    }
    catch (const DSIException& error)
    {
        EXPECT_NE(std::string::npos, error.ToString().GetAsUTF8().find("MessageParameters=[\"4\"]"));
    }
    m_environment->SetProperty(ENV_PROP_CATALOG_CONVENTION, Int32(0));
    EXPECT_EQ(0, m_environment->GetProperty(ENV_PROP_CATALOG_CONVENTION)->GetInt32Value());
}

TEST_F(EnvironmentTest, OutputNtsCannotBeTurnedOff)
{
    EXPECT_EQ("none", Raised([&] { m_environment->SetProperty(ENV_PROP_OUTPUT_NTS, Int32(1)); }));
    EXPECT_EQ("EnvAttrOutputNtsNotSupported HYC00 2",
              Raised([&] { m_environment->SetProperty(ENV_PROP_OUTPUT_NTS, Int32(0)); }));
    EXPECT_EQ("EnvAttrOutputNtsNotSupported HYC00 2",
              Raised([&] { m_environment->SetProperty(ENV_PROP_OUTPUT_NTS, UInt32(0)); }));
    EXPECT_EQ("none", Raised([&] { m_environment->SetProperty(ENV_PROP_OUTPUT_NTS, Int32(5)); }));
    EXPECT_EQ(Orvik::Support::ATTR_UINT32, m_environment->GetProperty(ENV_PROP_OUTPUT_NTS)->GetAttributeType());
    EXPECT_EQ(1u, m_environment->GetProperty(ENV_PROP_OUTPUT_NTS)->GetUInt32Value());
}

TEST_F(EnvironmentTest, TheParentDriverServesLogAndMessages)
{
    EXPECT_EQ(&m_driver, m_environment->GetParentDriver());
    EXPECT_EQ(m_driver.GetDriverLog(), m_environment->GetLog());
    EXPECT_EQ(m_driver.GetMessageSource().Get(), m_environment->GetMessageSource().Get());

    struct Listener : Orvik::Support::WarningListener
    {
        void PostWarning(const Orvik::Support::ConversionResult&) override {}
    } first, second;
    EXPECT_EQ(nullptr, m_environment->GetWarningListener());
    m_environment->RegisterWarningListener(&first);
    m_environment->RegisterWarningListener(&second);
    EXPECT_EQ(&second, m_environment->GetWarningListener());
}
