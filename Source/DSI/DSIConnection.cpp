#include "DSI/DSIConnection.h"

#include "DSI/Client/DSIMessageSource.h"
#include "DSI/ConnectionPropertyKey.h"
#include "DSI/DSIDriver.h"
#include "DSI/DSIEnvironment.h"
#include "DSI/DSIException.h"
#include "DSI/InvalidCatalogException.h"
#include "Support/AttributeData.h"
#include "Support/InvalidArgumentException.h"
#include "Support/NumberConverter.h"
#include "Support/OrvikSettingReader.h"

namespace Orvik {
namespace DSI {

using Support::AttributeData;
using Support::ConnectionSetting;
using Support::ConnectionSettingKind;
using Support::orvik_wstring;
using Support::Variant;
using Support::VariantMap;

namespace {

/// One default of the property table.
struct DefaultRow
{
    int32_t m_key;
    Support::AttributeType m_type;
    const char16_t* m_text;
    uint64_t m_number;
};

constexpr DefaultRow DEFAULTS[] = {
#define ORVIK_CONNECTION_DEFAULT_TEXT(name, key, value) {name, Support::ATTR_WSTRING, value, 0},
#define ORVIK_CONNECTION_DEFAULT_NUMBER(name, key, type, value) {name, Support::ATTR_##type, nullptr, value},
#define ORVIK_CONNECTION_DEFAULT_BY_HELPER(name, key)
    ORVIK_CONNECTION_PROPERTY_TABLE(ORVIK_CONNECTION_DEFAULT_TEXT,
                                    ORVIK_CONNECTION_DEFAULT_NUMBER,
                                    ORVIK_CONNECTION_DEFAULT_BY_HELPER)
#undef ORVIK_CONNECTION_DEFAULT_TEXT
#undef ORVIK_CONNECTION_DEFAULT_NUMBER
#undef ORVIK_CONNECTION_DEFAULT_BY_HELPER
};

// Every key from 1 to the count has exactly one row, in key order.
constexpr int32_t ALL_KEYS[] = {
#define ORVIK_CONNECTION_KEY_OF_TEXT(name, key, value) key,
#define ORVIK_CONNECTION_KEY_OF_NUMBER(name, key, type, value) key,
#define ORVIK_CONNECTION_KEY_OF_HELPER(name, key) key,
    ORVIK_CONNECTION_PROPERTY_TABLE(ORVIK_CONNECTION_KEY_OF_TEXT,
                                    ORVIK_CONNECTION_KEY_OF_NUMBER,
                                    ORVIK_CONNECTION_KEY_OF_HELPER)
#undef ORVIK_CONNECTION_KEY_OF_TEXT
#undef ORVIK_CONNECTION_KEY_OF_NUMBER
#undef ORVIK_CONNECTION_KEY_OF_HELPER
};

constexpr bool AreKeysConsecutive()
{
    for (int32_t index = 0; index < CONNECTION_PROPERTY_COUNT; ++index)
    {
        if (ALL_KEYS[index] != index + 1)
        {
            return false;
        }
    }
    return true;
}

static_assert(sizeof(ALL_KEYS) / sizeof(ALL_KEYS[0]) == CONNECTION_PROPERTY_COUNT, "one row a key");
static_assert(AreKeysConsecutive(), "rows in key order, from 1");

constexpr uint32_t ALL_USAGES = 31;
constexpr uint16_t SCHEMA_NAME_LENGTH = 256;

std::unique_ptr<AttributeData> Text(const char16_t* in_text)
{
    return std::unique_ptr<AttributeData>(AttributeData::MakeNewWStringAttributeData(orvik_wstring(in_text)));
}

std::unique_ptr<AttributeData> UInt32(uint32_t in_value)
{
    return std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt32AttributeData(in_value));
}

std::unique_ptr<AttributeData> UInt16(uint16_t in_value)
{
    return std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt16AttributeData(in_value));
}

std::unique_ptr<AttributeData> MakeDefault(const DefaultRow& in_row)
{
    switch (in_row.m_type)
    {
        case Support::ATTR_WSTRING:
            return Text(in_row.m_text);
        case Support::ATTR_INT16:
            return std::unique_ptr<AttributeData>(
                AttributeData::MakeNewInt16AttributeData(static_cast<int16_t>(in_row.m_number)));
        case Support::ATTR_UINT16:
            return UInt16(static_cast<uint16_t>(in_row.m_number));
        case Support::ATTR_INT32:
            return std::unique_ptr<AttributeData>(
                AttributeData::MakeNewInt32AttributeData(static_cast<int32_t>(in_row.m_number)));
        case Support::ATTR_UINT32:
            return UInt32(static_cast<uint32_t>(in_row.m_number));
        case Support::ATTR_UINT_NATIVE:
            return std::unique_ptr<AttributeData>(AttributeData::MakeNewUIntNativeAttributeData(in_row.m_number));
        default:
            break;
    }
    ORVIK_THROW_INVALID_ARGUMENT();
}

[[noreturn]] void ThrowCustomPropertyNotFound(int32_t in_key)
{
    throw DSIException(u"CustomPropNotFound", {Support::NumberConverter::ConvertInt32ToWString(in_key)});
}

struct BulkConverterFactoryHooks
{
    DSIConnection::BulkConverterFactoryCreator m_creator = nullptr;
    DSIConnection::BulkConverterFactoryDeleter m_deleter = nullptr;
};

BulkConverterFactoryHooks& GetHooks()
{
    static BulkConverterFactoryHooks s_hooks;
    return s_hooks;
}

} // namespace

void DSIConnection::SetBulkConverterFactoryHooks(BulkConverterFactoryCreator in_creator,
                                                 BulkConverterFactoryDeleter in_deleter)
{
    GetHooks() = {in_creator, in_deleter};
}

DSIConnection::DSIConnection(DSIEnvironment* in_environment, bool in_setDefaults)
    : m_environment(in_environment),
      m_locale(Support::OrvikSettingReader::GetDriverLocale())
{
    if (in_setDefaults)
    {
        SetDefaultPropertyValues();
    }
}

DSIConnection::~DSIConnection()
{
    m_properties.clear();
    m_bulkConverterFactory.reset();
}

void DSIConnection::SetDefaultPropertyValues()
{
    SetCatalogSupport(true);
    SetDataSourceReadOnly(true);
    SetSchemaSupport(true);
    SetProcedureSupport(false);
    for (const DefaultRow& row : DEFAULTS)
    {
        SetProperty(row.m_key, MakeDefault(row));
    }
}

Support::SharedPtr<DSIMessageSource> DSIConnection::GetMessageSource()
{
    return m_environment->GetMessageSource();
}

Support::WarningListener* DSIConnection::GetWarningListener()
{
    return m_warningListener;
}

void DSIConnection::RegisterWarningListener(Support::WarningListener* in_listener)
{
    m_warningListener = in_listener;
}

void DSIConnection::BeginTransaction()
{
    throw DSIException(u"FuncNotSupported");
}

void DSIConnection::GetProperties(PropertyMap& io_properties)
{
    io_properties.clear();
    for (const auto& property : m_properties)
    {
        io_properties.emplace(property.first, std::unique_ptr<AttributeData>(property.second->Clone()));
    }
}

void DSIConnection::Commit()
{
    throw DSIException(u"FuncNotSupported");
}

AttributeData* DSIConnection::GetCustomProperty(int32_t in_key)
{
    ThrowCustomPropertyNotFound(in_key);
}

Support::AttributeType DSIConnection::GetCustomPropertyType(int32_t in_key)
{
    ThrowCustomPropertyNotFound(in_key);
}

orvik_wstring DSIConnection::GetDSN()
{
    if (!m_isDataSourceNameResolved)
    {
        const auto found = m_settings.find(u"DSN");
        if (found != m_settings.end())
        {
            m_dataSourceName = found->second.GetWString();
        }
        m_isDataSourceNameResolved = true;
    }
    return m_dataSourceName;
}

std::string DSIConnection::GetLocale()
{
    if (!m_isLocaleResolved)
    {
        const auto found = m_settings.find(u"LOCALE");
        if (found != m_settings.end())
        {
            m_locale = found->second.GetString();
        }
        m_isLocaleResolved = true;
    }
    return m_locale;
}

DSILog* DSIConnection::GetLog()
{
    return m_environment->GetParentDriver()->GetDriverLog();
}

DSIEnvironment* DSIConnection::GetParentEnvironment()
{
    return m_environment;
}

AttributeData* DSIConnection::GetProperty(int32_t in_key)
{
    const auto found = m_properties.find(in_key);
    if (found == m_properties.end())
    {
        throw DSIException(u"DSIConnPropNotFound", {Support::NumberConverter::ConvertInt32ToWString(in_key)});
    }
    return found->second.get();
}

Support::ISqlToCBulkConverterFactory* DSIConnection::GetDataConverterTable()
{
    if (m_bulkConverterFactory == nullptr)
    {
        const BulkConverterFactoryHooks hooks = GetHooks();
        if (hooks.m_creator == nullptr || hooks.m_deleter == nullptr)
        {
            throw DSIException(u"FuncNotSupported");
        }
        m_bulkConverterFactory = {hooks.m_creator(*this), hooks.m_deleter};
    }
    return m_bulkConverterFactory.get();
}

bool DSIConnection::IsCustomProperty(int32_t)
{
    return false;
}

void DSIConnection::SetTransactionListener(ODBC::ConnectionTransactionState* in_listener)
{
    m_transactionListener = in_listener;
}

void DSIConnection::Rollback()
{
    throw DSIException(u"FuncNotSupported");
}

void DSIConnection::SetCustomProperty(int32_t in_key, std::unique_ptr<AttributeData> in_value)
{
    in_value.reset();
    ThrowCustomPropertyNotFound(in_key);
}

void DSIConnection::SetProperty(int32_t in_key, std::unique_ptr<AttributeData> in_value)
{
    if (in_value == nullptr)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    if (in_key == CONN_PROP_CURRENT_CATALOG)
    {
        const orvik_wstring& catalog = *in_value->GetWStringValue();
        if (!IsCurrentCatalogValid(catalog))
        {
            throw InvalidCatalogException(Support::DSI_COMPONENT_ID, u"InvalidCurrentCatalog", {catalog});
        }
    }
    m_properties[in_key] = std::move(in_value);
}

void DSIConnection::ToNativeSQL(const orvik_wstring& in_sql, orvik_wstring& out_sql)
{
    out_sql = in_sql;
}

void DSIConnection::Cancel()
{
}

void DSIConnection::ClearCancel()
{
}

AuxiliarySettingsMap& DSIConnection::GetAuxiliarySettingsMap()
{
    return m_auxiliarySettings;
}

bool DSIConnection::IsCurrentCatalogValid(const orvik_wstring&)
{
    return true;
}

bool DSIConnection::IsSchemaSupported()
{
    try
    {
        const orvik_wstring* term = GetProperty(CONN_PROP_SCHEMA_TERM)->GetWStringValue();
        return term != nullptr && term->GetLength() > 0 && GetProperty(CONN_PROP_SCHEMA_USAGE)->GetUInt32Value() != 0;
    }
    catch (const Support::ErrorException&)
    {
        return false;
    }
}

const Variant& DSIConnection::GetRequiredSetting(const orvik_wstring& in_name, const VariantMap& in_settings)
{
    const auto found = in_settings.find(in_name);
    if (found == in_settings.end())
    {
        throw DSIException::RequiredSettingNotFound(in_name);
    }
    return found->second;
}

const Variant* DSIConnection::GetOptionalSetting(const orvik_wstring& in_name,
                                                 const VariantMap& in_settings,
                                                 const Variant* in_default)
{
    const auto found = in_settings.find(in_name);
    return found == in_settings.end() ? in_default : &found->second;
}

void DSIConnection::VerifySetting(const orvik_wstring& in_name,
                                  const VariantMap& in_settings,
                                  ConnectionSettingKind in_kind,
                                  ConnSettingRequestMap& io_requests)
{
    if (in_settings.count(in_name) != 0 || io_requests.count(in_name) != 0)
    {
        return;
    }
    auto request = std::make_unique<ConnectionSetting>(in_kind);
    request->SetName(in_name);
    request->AddValue(Variant(u"?"));
    io_requests.emplace(in_name, std::move(request));
}

void DSIConnection::VerifyRequiredSetting(const orvik_wstring& in_name,
                                          const VariantMap& in_settings,
                                          ConnSettingRequestMap& io_requests)
{
    VerifySetting(in_name, in_settings, ConnectionSettingKind::Required, io_requests);
}

void DSIConnection::VerifyOptionalSetting(const orvik_wstring& in_name,
                                          const VariantMap& in_settings,
                                          ConnSettingRequestMap& io_requests)
{
    VerifySetting(in_name, in_settings, ConnectionSettingKind::Optional, io_requests);
}

void DSIConnection::SetCatalogSupport(bool in_isSupported)
{
    SetProperty(CONN_PROP_CATALOG_NAME, Text(in_isSupported ? u"Y" : u"N"));
    SetProperty(CONN_PROP_CATALOG_TERM, Text(in_isSupported ? u"catalog" : u""));
    SetProperty(CONN_PROP_CATALOG_USAGE, UInt32(in_isSupported ? ALL_USAGES : 0));
}

void DSIConnection::SetDataSourceReadOnly(bool in_isReadOnly)
{
    SetProperty(CONN_PROP_ACCESS_MODE, UInt32(0));
    SetProperty(CONN_PROP_DATA_SOURCE_READ_ONLY, Text(in_isReadOnly ? u"Y" : u"N"));
}

void DSIConnection::SetSchemaSupport(bool in_isSupported)
{
    SetProperty(CONN_PROP_SCHEMA_TERM, Text(in_isSupported ? u"schema" : u""));
    SetProperty(CONN_PROP_SCHEMA_USAGE, UInt32(in_isSupported ? ALL_USAGES : 0));
    SetProperty(CONN_PROP_MAX_SCHEMA_NAME_LEN, UInt16(in_isSupported ? SCHEMA_NAME_LENGTH : 0));
}

void DSIConnection::SetProcedureSupport(bool in_isSupported)
{
    SetProperty(CONN_PROP_PROCEDURE_TERM, Text(in_isSupported ? u"procedure" : u""));
    SetProperty(CONN_PROP_PROCEDURES, Text(in_isSupported ? u"Y" : u"N"));
}

void DSIConnection::SetTransactionCapable(uint16_t in_value)
{
    SetProperty(CONN_PROP_TXN_CAPABLE, UInt16(in_value));
}

} // namespace DSI
} // namespace Orvik
