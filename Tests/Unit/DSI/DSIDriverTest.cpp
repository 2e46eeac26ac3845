#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSIDriverSingleton.h"
#include "DSI/DSIException.h"
#include "DSI/DSIFileLogger.h"
#include "Support/AttributeData.h"
#include "Support/ICredentialFactory.h"
#include "Support/TypedDataWrapper/TypedDataWrapperFactory.h"

#include "DriverSettings.h"
#include "TestDriver.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::DSI;
using Orvik::Support::AttributeData;
using Orvik::Support::orvik_wstring;
using Orvik::Testing::DriverSettings;
using Orvik::Testing::PublishedDriver;
using Orvik::Testing::TestDriver;

namespace {

// A property as "type value": u16, i16, u32, i32 or text (null for the null string).
std::string Describe(const AttributeData& in_value)
{
    switch (in_value.GetAttributeType())
    {
    case Orvik::Support::ATTR_UINT16:
        return "u16 " + std::to_string(in_value.GetUInt16Value());
    case Orvik::Support::ATTR_INT16:
        return "i16 " + std::to_string(in_value.GetInt16Value());
    case Orvik::Support::ATTR_UINT32:
        return "u32 " + std::to_string(in_value.GetUInt32Value());
    case Orvik::Support::ATTR_INT32:
        return "i32 " + std::to_string(in_value.GetInt32Value());
    case Orvik::Support::ATTR_WSTRING:
        return in_value.GetWStringValue()->IsNull() ? "null" : "text " + in_value.GetWStringValue()->GetAsUTF8();
    default:
        return "other";
    }
}

// A driver built for each case with fresh settings.
class DriverTest : public ::testing::Test
{
protected:
    DriverSettings m_settings;
};

} // namespace

TEST_F(DriverTest, PropertiesOneToThirtyHaveTheirDefaults)
{
    TestDriver driver;
    const std::string ansi = "i16 " + std::to_string(orvik_wstring::GetAnsiEncoding());
    const char* const expected[] = {
        nullptr,          "u16 0",          "u32 2",     "text ",     "text 03.80", "text 09.05.1004",
        "u16 0",          "i32 65532",      "i32 65532", "i32 65532", "i32 0",      "u32 1",
        "i16 0",          "u32 2",          nullptr,     "i16 1",     "text 1995",  "u32 0",
        "u16 2",          "u32 1073741824", "u32 0",     "u32 0",     "u32 1",      "u16 80",
        "null",           "u32 0",          "u32 0",     "u32 1",     "u32 1",      "u32 1",
        "u32 1",
    };
    for (int32_t key = 1; key <= 30; ++key)
    {
        const std::string want = key == DRIVER_PROP_CHAR_ENCODING ? ansi : expected[key];
        EXPECT_EQ(want, Describe(*driver.GetProperty(key))) << "property " << key;
    }
}

TEST_F(DriverTest, AnUnknownPropertyRaisesItsKey)
{
    TestDriver driver;
    try
    {
        driver.GetProperty(31);
        FAIL() << "no exception";
    }
    catch (const DSIException& error)
    {
        EXPECT_EQ("DSIDriverPropNotFound", error.GetMessageKey().GetAsUTF8());
        EXPECT_EQ(Orvik::Support::DIAG_GENERAL_ERROR, error.GetDiagState());
        EXPECT_EQ(2, error.GetComponentId());
        EXPECT_EQ("Unformatted ErrorException: {MessageKey=\"DSIDriverPropNotFound\" ComponentID=2' RowNumber=UNKNOWN "
                  "ColumnNumber=UNKNOWN DiagState=63 MessageParameters=[\"31\"]}",
                  error.ToString().GetAsUTF8());
    }
    driver.SetProperty(31, std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt32AttributeData(7)));
    driver.SetProperty(3, std::unique_ptr<AttributeData>(AttributeData::MakeNewWStringAttributeData(u"Pelta")));
    EXPECT_EQ("u32 7", Describe(*driver.GetProperty(31)));
    EXPECT_EQ("text Pelta", Describe(*driver.GetProperty(3)));
}

TEST_F(DriverTest, KnownHostProgramsGetNoAsynchronousSupport)
{
    const struct
    {
        const char16_t* m_path;
        bool m_known;
    } cases[] = {
        { u"/opt/apps/qv.exe", true },          { u"/opt/apps/QLIKSENSE.EXE", true },
        { u"/x/QlikSenseBrowser.exe", true },    { u"C:/tools/msqry64.exe", true },
        { u"/qvconnect64.EXE", true },           { u"/opt/apps/XQV.EXE", true },
        { u"QV.EXE", false },                    { u"/opt/apps/other.exe", false },
        { u"/opt/apps/qv.exe.bak", false },      { u"", false },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.m_known, DSIDriver::IsKnownHostApplication(c.m_path)) << orvik_wstring(c.m_path).GetAsUTF8();
        TestDriver driver(c.m_path);
        EXPECT_EQ(c.m_known ? "u32 0" : "u32 2", Describe(*driver.GetProperty(DRIVER_PROP_ASYNC_MODE)));
        EXPECT_EQ(c.m_known ? "u32 0" : "u32 1", Describe(*driver.GetProperty(DRIVER_PROP_ASYNC_DBC_FUNCTIONS)));
    }
}

TEST_F(DriverTest, MemoryManagerSettings)
{
    const struct
    {
        const char* m_name;
        const char* m_value;
        int32_t m_key;
        const char* m_property;
    } cases[] = {
        { "MemoryManagerStrategy", "5", DRIVER_PROP_MEMORY_STRATEGY, "u16 2" },
        { "MemoryManagerStrategy", "3", DRIVER_PROP_MEMORY_STRATEGY, "u16 3" },
        { "MemoryManagerStrategy", "1", DRIVER_PROP_MEMORY_STRATEGY, "u16 1" },
        { "MemoryManagerStrategy", "abc", DRIVER_PROP_MEMORY_STRATEGY, "u16 2" },
        { "MemoryManagerMemoryLimit", "512", DRIVER_PROP_MEMORY_LIMIT, "u32 536870912" },
        { "MemoryManagerMemoryLimit", "0", DRIVER_PROP_MEMORY_LIMIT, "u32 1073741824" },
        { "MemoryManagerMemoryLimit", "lots", DRIVER_PROP_MEMORY_LIMIT, "u32 1073741824" },
        { "MemoryManagerMemoryLimit", "4095", DRIVER_PROP_MEMORY_LIMIT, "u32 4293918720" },
        { "MemoryManagerMemoryLimit", "4096", DRIVER_PROP_MEMORY_LIMIT, "u32 4294967295" },
        { "MemoryManagerThresholdPercent", "100", DRIVER_PROP_MEMORY_THRESHOLD_PERCENT, "u16 100" },
        { "MemoryManagerThresholdPercent", "101", DRIVER_PROP_MEMORY_THRESHOLD_PERCENT, "u16 80" },
        { "MemoryManagerThresholdPercent", "0", DRIVER_PROP_MEMORY_THRESHOLD_PERCENT, "u16 0" },
        { "MemoryManagerThresholdPercent", "-5", DRIVER_PROP_MEMORY_THRESHOLD_PERCENT, "u16 80" },
    };
    for (const auto& c : cases)
    {
        m_settings.Use(DriverSettings::Value(c.m_name, c.m_value));
        TestDriver driver;
        EXPECT_EQ(c.m_property, Describe(*driver.GetProperty(c.m_key))) << c.m_name << " " << c.m_value;
    }
}

TEST_F(DriverTest, TheCharEncodingIsTheApplicationAnsiEncoding)
{
    {
        Orvik::Testing::ScopedEnvironment ansi("ORVIK_APP_ANSI_ENCODING", std::string("latin1"));
        TestDriver driver;
        EXPECT_EQ("i16 5", Describe(*driver.GetProperty(DRIVER_PROP_CHAR_ENCODING)));
    }
    {
        // An illegal name is left to the ODBC layer's start-up to report; the driver is built.
        Orvik::Testing::ScopedEnvironment ansi("ORVIK_APP_ANSI_ENCODING", std::string("no-such-encoding"));
        TestDriver driver;
        EXPECT_EQ("i16 " + std::to_string(orvik_wstring::GetAnsiEncoding()),
                  Describe(*driver.GetProperty(DRIVER_PROP_CHAR_ENCODING)));
    }
    orvik_wstring::InitializeAnsiEncoding(Orvik::Support::ENC_UTF8);
}

TEST_F(DriverTest, TheMessageSourceIsSharedAndOutlivesTheDriver)
{
    Orvik::Support::SharedPtr<DSIMessageSource> kept;
    {
        TestDriver driver;
        const Orvik::Support::SharedPtr<DSIMessageSource> first = driver.GetMessageSource();
        kept = driver.GetMessageSource();
        EXPECT_EQ(first.Get(), kept.Get());
        EXPECT_NE(nullptr, kept.Get());
    }
    // The driver dropped its reference; the source lives on for its other holders.
    orvik_wstring text;
    kept->LoadMessage("en-US", u"K", 99, text);
    EXPECT_EQ("[DSI] Invalid source component ID: 99", text.GetAsUTF8());
}

TEST_F(DriverTest, TheBaseLogIsMadeOnceOnDriverLog)
{
    m_settings.Use(DriverSettings::Value("LogLevel", "4") + DriverSettings::Value("LogPath", m_settings.Directory().Path()));
    struct BaseLogDriver : DSIDriver
    {
        BaseLogDriver() : DSIDriver(u"/bin/x") {}
        std::unique_ptr<DSIEnvironment> CreateEnvironment() override { throw DSIException(u"FuncNotSupported"); }
    } driver;
    DSILog* log = driver.GetDriverLog();
    EXPECT_EQ(log, driver.GetDriverLog());
    log->LogInfo("Orvik::DSI", "C", "M", "into driver.log");
    EXPECT_NE(std::string::npos, Orvik::Testing::ReadTextFile(m_settings.Directory() / "driver.log").find("C::M: into driver.log"));
}

TEST_F(DriverTest, PublishingGivesTheModuleHandleAndCopiesTheSizes)
{
    TestDriver driver;
    EXPECT_TRUE(driver.GetErrorMessagePath().IsNull());
    driver.SetProperty(DRIVER_PROP_DATA_AT_EXECUTION_SIZE,
                       std::unique_ptr<AttributeData>(AttributeData::MakeNewInt32AttributeData(100)));
    {
        PublishedDriver published(driver);
        EXPECT_EQ(&driver, DSIDriverSingleton::GetDriver());
        EXPECT_EQ(Orvik::Support::GetDriverModuleHandle(), driver.GetModuleHandle());
        const std::string directory = driver.GetErrorMessagePath().GetAsUTF8();
        ASSERT_FALSE(directory.empty());
        EXPECT_EQ('/', directory.back());
        EXPECT_EQ(100, DSIDriverSingleton::GetCopiedSize(7));
        EXPECT_EQ(65532, DSIDriverSingleton::GetCopiedSize(8));
        EXPECT_EQ(65532, DSIDriverSingleton::GetCopiedSize(9));
        EXPECT_THROW(DSIDriverSingleton::GetCopiedSize(10), Orvik::Support::ErrorException);
    }
    EXPECT_EQ(nullptr, DSIDriverSingleton::GetDriver());
}

TEST_F(DriverTest, ServicesAndTermination)
{
    TestDriver driver;
    EXPECT_NE(nullptr, driver.CreateTypeServices());
    EXPECT_NE(nullptr, driver.CreateCredentialFactory());
    EXPECT_EQ(nullptr, driver.GetThreadCallback());
    EXPECT_FALSE(driver.IsTerminated());
    driver.Terminate();
    EXPECT_TRUE(driver.IsTerminated());
}
