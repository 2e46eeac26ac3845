#include "DSI/DSIStatement.h"

#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSIException.h"
#include "DSI/StatementPropertyKey.h"
#include "DSI/ValuePairMap.h"
#include "Support/AttributeData.h"
#include "Support/InvalidArgumentException.h"
#include "Support/NumberConverter.h"

namespace Orvik {
namespace DSI {

using Support::AttributeData;

namespace {

struct DefaultRow
{
    int32_t m_key;
    Support::AttributeType m_type;
    uint64_t m_value;
};

// The maximum length's bound is the largest 32-bit value, whatever the width of the property.
constexpr DefaultRow DEFAULTS[] = {
    {STMT_PROP_MAX_LENGTH, Support::ATTR_UINT_NATIVE, 0},
    {STMT_PROP_MAX_ROWS, Support::ATTR_UINT_NATIVE, 0},
    {STMT_PROP_QUERY_TIMEOUT, Support::ATTR_UINT_NATIVE, 0},
    {STMT_PROP_UNUSED_4, Support::ATTR_UINT16, 0},
    {STMT_PROP_RETRIEVE_DATA, Support::ATTR_UINT_NATIVE, 1},
    {STMT_PROP_ROWSET_SIZE, Support::ATTR_UINT_NATIVE, 1},
    {STMT_PROP_MAX_LENGTH_MAX, Support::ATTR_UINT_NATIVE, 0xFFFFFFFF},
    {STMT_PROP_QUERY_TIMEOUT_MAX, Support::ATTR_UINT_NATIVE, 0},
    {STMT_PROP_QUERY_TIMEOUT_MIN, Support::ATTR_UINT_NATIVE, 0},
};

std::unique_ptr<AttributeData> MakeDefault(const DefaultRow& in_row)
{
    if (in_row.m_type == Support::ATTR_UINT16)
    {
        return std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt16AttributeData(static_cast<uint16_t>(in_row.m_value)));
    }
    return std::unique_ptr<AttributeData>(AttributeData::MakeNewUIntNativeAttributeData(in_row.m_value));
}

[[noreturn]] void ThrowWithKey(const char16_t* in_messageKey, int32_t in_key)
{
    throw DSIException(in_messageKey, {Support::NumberConverter::ConvertInt32ToWString(in_key)});
}

} // namespace

DSIStatement::DSIStatement(DSIConnection* in_connection, bool in_setDefaults) : m_connection(in_connection)
{
    if (in_setDefaults)
    {
        SetDefaultPropertyValues();
    }
}

DSIStatement::~DSIStatement() = default;

void DSIStatement::SetDefaultPropertyValues()
{
    for (const DefaultRow& row : DEFAULTS)
    {
        SetProperty(row.m_key, MakeDefault(row));
    }
}

Support::SharedPtr<DSIMessageSource> DSIStatement::GetMessageSource()
{
    return m_connection->GetMessageSource();
}

Support::WarningListener* DSIStatement::GetWarningListener()
{
    return m_warningListener;
}

void DSIStatement::RegisterWarningListener(Support::WarningListener* in_listener)
{
    m_warningListener = in_listener;
}

void DSIStatement::GetProperties(PropertyMap& io_properties)
{
    io_properties.clear();
    for (const auto& property : m_properties)
    {
        io_properties.emplace(property.first, std::unique_ptr<AttributeData>(property.second->Clone()));
    }
}

AttributeData* DSIStatement::GetCustomProperty(int32_t in_key)
{
    ThrowWithKey(u"CustomPropNotFound", in_key);
}

Support::AttributeType DSIStatement::GetCustomPropertyType(int32_t in_key)
{
    ThrowWithKey(u"CustomPropNotFound", in_key);
}

DSILog* DSIStatement::GetLog()
{
    return m_connection->GetLog();
}

DSIStatement::Limits DSIStatement::GetLimits(int32_t in_key)
{
    ValuePairMap::LimitKeys keys;
    if (!ValuePairMap::GetInstance().FindLimitKeys(in_key, keys))
    {
        ThrowWithKey(u"DSIStmtPropLimitNotFound", in_key);
    }
    Limits limits;
    limits.m_maximumKey = keys.first;
    limits.m_minimumKey = keys.second;
    const auto maximum = m_properties.find(keys.first);
    if (maximum != m_properties.end())
    {
        // A stored maximum of 0 means that there is none.
        limits.m_maximum = maximum->second->GetUIntNativeValue();
        limits.m_hasMaximum = limits.m_maximum != 0;
    }
    const auto minimum = m_properties.find(keys.second);
    if (minimum != m_properties.end())
    {
        limits.m_minimum = minimum->second->GetUIntNativeValue();
        limits.m_hasMinimum = true;
    }
    return limits;
}

std::unique_ptr<AttributeData> DSIStatement::ClampPropertyValue(int32_t in_key, const AttributeData& in_value)
{
    const Limits limits = GetLimits(in_key);
    const uint64_t value = in_value.GetUIntNativeValue();
    if (limits.m_hasMaximum && limits.m_hasMinimum && limits.m_maximum == limits.m_minimum)
    {
        return nullptr;
    }
    if (limits.m_hasMaximum && value > limits.m_maximum)
    {
        return std::unique_ptr<AttributeData>(m_properties[limits.m_maximumKey]->Clone());
    }
    if (limits.m_hasMinimum && value < limits.m_minimum)
    {
        return std::unique_ptr<AttributeData>(m_properties[limits.m_minimumKey]->Clone());
    }
    return nullptr;
}

DSIConnection* DSIStatement::GetParentConnection()
{
    return m_connection;
}

AttributeData* DSIStatement::GetProperty(int32_t in_key)
{
    const auto found = m_properties.find(in_key);
    if (found == m_properties.end())
    {
        ThrowWithKey(u"DSIStmtPropNotFound", in_key);
    }
    return found->second.get();
}

bool DSIStatement::IsCustomProperty(int32_t)
{
    return false;
}

bool DSIStatement::IsPropertyValueInLimits(int32_t in_key, const AttributeData& in_value)
{
    if (in_key == STMT_PROP_RETRIEVE_DATA)
    {
        return true;
    }
    const Limits limits = GetLimits(in_key);
    const uint64_t value = in_value.GetUIntNativeValue();
    if (limits.m_hasMaximum)
    {
        if (limits.m_hasMinimum && limits.m_minimum == limits.m_maximum)
        {
            return value == limits.m_maximum;
        }
        if (value > limits.m_maximum)
        {
            return false;
        }
    }
    return !(limits.m_hasMinimum && value < limits.m_minimum);
}

void DSIStatement::SetCursorName(const Support::orvik_wstring&)
{
}

void DSIStatement::SetCustomProperty(int32_t in_key, std::unique_ptr<AttributeData> in_value)
{
    in_value.reset();
    ThrowWithKey(u"CustomPropNotFound", in_key);
}

void DSIStatement::SetProperty(int32_t in_key, std::unique_ptr<AttributeData> in_value)
{
    if (in_value == nullptr)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    m_properties[in_key] = std::move(in_value);
}

void DSIStatement::Cancel()
{
}

void DSIStatement::ClearCancel()
{
}

} // namespace DSI
} // namespace Orvik
