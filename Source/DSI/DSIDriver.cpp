#include "DSI/DSIDriver.h"

#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSIException.h"
#include "DSI/DSIFileLogger.h"
#include "Support/AttributeData.h"
#include "Support/CriticalSectionLock.h"
#include "Support/EnvironmentCounter.h"
#include "Support/ICredentialFactory.h"
#include "Support/NumberConverter.h"
#include "Support/OrvikSettingReader.h"
#include "Support/Platform.h"
#include "Support/StartupInitException.h"
#include "Support/TypedDataWrapper/TypedDataWrapperFactory.h"

#include <limits>

namespace Orvik {
namespace DSI {

using Support::AttributeData;
using Support::orvik_wstring;

namespace {

enum class PropertyKind
{
    UINT16,
    INT16,
    UINT32,
    INT32,
    TEXT,     // an owned string
    NULL_TEXT // an owned null string
};

struct DefaultProperty
{
    int32_t m_key;
    PropertyKind m_kind;
    int64_t m_number;
    const char16_t* m_text;
};

// The fixed defaults, in the order they are set; keys 14, 2, 28, 18, 19 and 23 depend on the
// settings and the host program and follow them.
constexpr DefaultProperty DEFAULT_PROPERTIES[] = {
    { DRIVER_PROP_ACTIVE_ENVIRONMENTS, PropertyKind::UINT16, 0, nullptr },
    { DRIVER_PROP_SKIP_CONNECTION_LOCK, PropertyKind::UINT32, 1, nullptr },
    { DRIVER_PROP_DRIVER_VER, PropertyKind::TEXT, 0, u"09.05.1004" },
    { DRIVER_PROP_DRIVER_NAME, PropertyKind::TEXT, 0, u"" },
    { DRIVER_PROP_DRIVER_ODBC_VER, PropertyKind::TEXT, 0, u"03.80" },
    { DRIVER_PROP_XOPEN_CLI_YEAR, PropertyKind::TEXT, 0, u"1995" },
    { DRIVER_PROP_FILE_USAGE, PropertyKind::UINT16, 0, nullptr },
    { DRIVER_PROP_DATA_AT_EXECUTION_SIZE, PropertyKind::INT32, 65532, nullptr },
    { DRIVER_PROP_PARAMETER_SOURCE_SIZE, PropertyKind::INT32, 65532, nullptr },
    { DRIVER_PROP_RETRIEVAL_SIZE, PropertyKind::INT32, 65532, nullptr },
    { DRIVER_PROP_NATIVE_SQL_FIRST, PropertyKind::INT32, 0, nullptr },
    { DRIVER_PROP_ODBC_INTERFACE_CONFORMANCE, PropertyKind::UINT32, 1, nullptr },
    { DRIVER_PROP_GETDATA_EXTENSIONS, PropertyKind::INT16, 0, nullptr },
    { DRIVER_PROP_STANDARD_CLI_CONFORMANCE, PropertyKind::UINT32, 2, nullptr },
    { DRIVER_PROP_NUMERIC_LEADING_ZERO, PropertyKind::UINT32, 0, nullptr },
    { DRIVER_PROP_NUMERIC_ZERO_AS_DIGIT, PropertyKind::UINT32, 1, nullptr },
    { DRIVER_PROP_PAD_INTERVAL_LEADING_FIELD, PropertyKind::UINT32, 0, nullptr },
    { DRIVER_PROP_SHOW_ZERO_TIMESTAMP_FRACTION, PropertyKind::UINT32, 0, nullptr },
    { DRIVER_PROP_SHOW_ZERO_TIME_FRACTION, PropertyKind::UINT32, 0, nullptr },
    { DRIVER_PROP_CATALOG_FILTERING, PropertyKind::UINT32, 1, nullptr },
    { DRIVER_PROP_APPROXIMATE_SIZE_IS_PRECISION, PropertyKind::UINT32, 1, nullptr },
    { DRIVER_PROP_WCHAR_ENCODING, PropertyKind::INT16, 1, nullptr },
    { DRIVER_PROP_CONNECT_WITH_CREDENTIALS, PropertyKind::UINT32, 0, nullptr },
    { DRIVER_PROP_UNUSED_24, PropertyKind::NULL_TEXT, 0, nullptr },
};

// Executable names of the host programs that get no asynchronous support.
constexpr const char16_t* KNOWN_HOST_PROGRAMS[] = { u"QV.EXE", u"QLIKSENSE.EXE", u"QLIKSENSEBROWSER.EXE",
                                                   u"MSQRY64.EXE", u"QVCONNECT64.EXE" };

constexpr uint32_t ASYNC_MODE_STATEMENT = 2;
constexpr uint32_t ASYNC_DBC_CAPABLE = 1;
constexpr uint32_t MEGABYTE = 1048576;
constexpr uint32_t DEFAULT_MEMORY_LIMIT_MEGABYTES = 1024;
constexpr uint16_t DEFAULT_MEMORY_STRATEGY = 2;
constexpr uint16_t DEFAULT_MEMORY_THRESHOLD_PERCENT = 80;

std::unique_ptr<AttributeData> Make(const DefaultProperty& in_row)
{
    switch (in_row.m_kind)
    {
    case PropertyKind::UINT16:
        return std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt16AttributeData(static_cast<uint16_t>(in_row.m_number)));
    case PropertyKind::INT16:
        return std::unique_ptr<AttributeData>(AttributeData::MakeNewInt16AttributeData(static_cast<int16_t>(in_row.m_number)));
    case PropertyKind::UINT32:
        return std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt32AttributeData(static_cast<uint32_t>(in_row.m_number)));
    case PropertyKind::INT32:
        return std::unique_ptr<AttributeData>(AttributeData::MakeNewInt32AttributeData(static_cast<int32_t>(in_row.m_number)));
    case PropertyKind::TEXT:
        return std::unique_ptr<AttributeData>(AttributeData::MakeNewWStringAttributeData(orvik_wstring(in_row.m_text)));
    case PropertyKind::NULL_TEXT:
        break;
    }
    return std::unique_ptr<AttributeData>(AttributeData::MakeNewWStringAttributeData(orvik_wstring()));
}

// A memory-manager setting as a strict decimal number, or in_fallback when it is not one.
uint32_t ReadNumberSetting(const std::string& in_text, uint32_t in_fallback)
{
    try
    {
        return Support::NumberConverter::ConvertStringToUInt32(in_text, true);
    }
    catch (const Support::ErrorException&)
    {
        return in_fallback;
    }
}

uint16_t MemoryStrategy(const std::string& in_text)
{
    const uint32_t strategy = ReadNumberSetting(in_text, 0);
    return strategy >= 1 && strategy <= 3 ? static_cast<uint16_t>(strategy) : DEFAULT_MEMORY_STRATEGY;
}

// The limit in bytes. A limit of 4096 megabytes or more does not fit and reads as the largest
// value, rather than wrapping round to a small one.
uint32_t MemoryLimit(const std::string& in_text)
{
    uint64_t megabytes = ReadNumberSetting(in_text, 0);
    if (megabytes == 0)
    {
        megabytes = DEFAULT_MEMORY_LIMIT_MEGABYTES;
    }
    const uint64_t bytes = megabytes * MEGABYTE;
    return bytes > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max()
                                                        : static_cast<uint32_t>(bytes);
}

uint16_t MemoryThresholdPercent(const std::string& in_text)
{
    const uint32_t percent = ReadNumberSetting(in_text, DEFAULT_MEMORY_THRESHOLD_PERCENT);
    return percent > 100 ? DEFAULT_MEMORY_THRESHOLD_PERCENT : static_cast<uint16_t>(percent);
}

} // namespace

DSIDriver::DSIDriver() : DSIDriver(Platform::GetExecutablePath())
{
}

DSIDriver::DSIDriver(const orvik_wstring& in_hostPath) : m_messageSource(new DSIMessageSource(true))
{
    SetDefaultPropertyValues(in_hostPath);
}

DSIDriver::~DSIDriver() = default;

void DSIDriver::SetDefaultPropertyValues(const orvik_wstring& in_hostPath)
{
    for (const DefaultProperty& row : DEFAULT_PROPERTIES)
    {
        if (row.m_key == DRIVER_PROP_WCHAR_ENCODING)
        {
            SetCharEncodingProperty();
        }
        SetProperty(row.m_key, Make(row));
    }
    const bool knownHost = IsKnownHostApplication(in_hostPath);
    SetProperty(DRIVER_PROP_ASYNC_DBC_FUNCTIONS,
                std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt32AttributeData(knownHost ? 0 : ASYNC_DBC_CAPABLE)));
    SetProperty(DRIVER_PROP_ASYNC_MODE,
                std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt32AttributeData(knownHost ? 0 : ASYNC_MODE_STATEMENT)));
    ApplyMemoryManagerSettings();
}

void DSIDriver::SetCharEncodingProperty()
{
    Support::EncodingType ansi = Support::ENC_NONE;
    try
    {
        ansi = Support::OrvikSettingReader::GetAppCharEncoding();
    }
    catch (const Support::StartupInitException&)
    {
        // The ODBC layer's start-up reports an illegal encoding setting; the driver is built.
    }
    orvik_wstring::InitializeAnsiEncoding(ansi);
    SetProperty(DRIVER_PROP_CHAR_ENCODING,
                std::unique_ptr<AttributeData>(AttributeData::MakeNewInt16AttributeData(
                    static_cast<int16_t>(orvik_wstring::GetAnsiEncoding()))));
}

void DSIDriver::ApplyMemoryManagerSettings()
{
    using Support::OrvikSettingReader;
    SetProperty(DRIVER_PROP_MEMORY_STRATEGY,
                std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt16AttributeData(
                    MemoryStrategy(OrvikSettingReader::GetMemoryManagerStrategy()))));
    SetProperty(DRIVER_PROP_MEMORY_LIMIT,
                std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt32AttributeData(
                    MemoryLimit(OrvikSettingReader::GetMemoryManagerMemoryLimit()))));
    SetProperty(DRIVER_PROP_MEMORY_THRESHOLD_PERCENT,
                std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt16AttributeData(
                    MemoryThresholdPercent(OrvikSettingReader::GetMemoryManagerThresholdPercent()))));
}

bool DSIDriver::IsKnownHostApplication(const orvik_wstring& in_hostPath)
{
    const int32_t pathLength = in_hostPath.GetLength();
    for (const char16_t* name : KNOWN_HOST_PROGRAMS)
    {
        const orvik_wstring program(name);
        const int32_t nameLength = program.GetLength();
        if (nameLength < pathLength && in_hostPath.Substr(pathLength - nameLength).IsEqual(program, false))
        {
            return true;
        }
    }
    return false;
}

void DSIDriver::SetProperty(int32_t in_key, std::unique_ptr<AttributeData> in_value)
{
    m_properties[in_key] = std::move(in_value);
}

AttributeData* DSIDriver::GetProperty(int32_t in_key)
{
    const auto found = m_properties.find(in_key);
    if (found == m_properties.end())
    {
        throw DSIException(u"DSIDriverPropNotFound", { Support::NumberConverter::ConvertInt32ToWString(in_key) });
    }
    return found->second.get();
}

DSILog* DSIDriver::GetDriverLog()
{
    Support::CriticalSectionLock lock(m_driverLock);
    if (m_defaultLog == nullptr)
    {
        m_defaultLog = std::make_unique<DSIFileLogger>("driver.log");
    }
    return m_defaultLog.get();
}

Support::SharedPtr<DSIMessageSource> DSIDriver::GetMessageSource()
{
    return m_messageSource;
}

void DSIDriver::SetModuleHandle(Support::ModuleHandle in_module)
{
    m_module = in_module;
    m_messageDirectory = Support::GetDriverModuleDirectory(in_module);
}

std::unique_ptr<Support::TypedDataWrapperFactory> DSIDriver::CreateTypeServices()
{
    return std::make_unique<Support::TypedDataWrapperFactory>();
}

std::unique_ptr<Support::ICredentialFactory> DSIDriver::CreateCredentialFactory()
{
    return std::unique_ptr<Support::ICredentialFactory>(Support::EnvironmentCounter().CreateCredentialFactory());
}

} // namespace DSI
} // namespace Orvik
