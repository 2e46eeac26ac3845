#include "DSI/DSIEnvironment.h"

#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSIDriver.h"
#include "DSI/DSIException.h"
#include "Support/AttributeData.h"
#include "Support/CriticalSectionLock.h"
#include "Support/NumberConverter.h"

namespace Orvik {
namespace DSI {

using Support::AttributeData;

namespace {

constexpr uint32_t OUTPUT_NTS_TRUE = 1;
constexpr int32_t ODBC_VERSION_3 = 3;

// Whether an integer value of any width is zero; a text or pointer value never is.
bool IsZero(const AttributeData& in_value)
{
    switch (in_value.GetAttributeType())
    {
    case Support::ATTR_INT16:
    case Support::ATTR_UINT16:
    case Support::ATTR_INT32:
        return in_value.GetInt32Value() == 0;
    case Support::ATTR_UINT32:
        return in_value.GetUInt32Value() == 0;
    case Support::ATTR_INT_NATIVE:
        return in_value.GetIntNativeValue() == 0;
    case Support::ATTR_UINT_NATIVE:
        return in_value.GetUIntNativeValue() == 0;
    case Support::ATTR_POINTER:
        return in_value.GetPointerValue() == nullptr;
    case Support::ATTR_WSTRING:
        break;
    }
    return false;
}

} // namespace

DSIEnvironment::DSIEnvironment(DSIDriver* in_driver) : m_driver(in_driver)
{
    SetProperty(ENV_PROP_OUTPUT_NTS, std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt32AttributeData(OUTPUT_NTS_TRUE)));
    SetProperty(ENV_PROP_UNUSED_2, std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt16AttributeData(0)));
    SetProperty(ENV_PROP_ODBC_VERSION, std::unique_ptr<AttributeData>(AttributeData::MakeNewInt32AttributeData(ODBC_VERSION_3)));
}

DSIEnvironment::~DSIEnvironment() = default;

Support::SharedPtr<DSIMessageSource> DSIEnvironment::GetMessageSource()
{
    return m_driver->GetMessageSource();
}

std::unique_ptr<DSIConnection> DSIEnvironment::CreateConnectionWithCredentials(Support::ICredentials* /* in_credentials */)
{
    throw DSIException(u"FuncNotSupported");
}

DSILog* DSIEnvironment::GetLog()
{
    return m_driver->GetDriverLog();
}

AttributeData* DSIEnvironment::GetProperty(int32_t in_key)
{
    Support::CriticalSectionLock lock(m_propertyLock);
    const auto found = m_properties.find(in_key);
    if (found == m_properties.end())
    {
        throw DSIException(u"DSIEnvPropNotFound", { Support::NumberConverter::ConvertInt32ToWString(in_key) });
    }
    return found->second.get();
}

void DSIEnvironment::SetProperty(int32_t in_key, std::unique_ptr<AttributeData> in_value)
{
    Support::CriticalSectionLock lock(m_propertyLock);
    std::unique_ptr<AttributeData>& stored = m_properties[in_key];
    if (stored == nullptr || in_key != ENV_PROP_OUTPUT_NTS)
    {
        stored = std::move(in_value);
        return;
    }
    if (in_value != nullptr && IsZero(*in_value))
    {
        throw Support::ErrorException(Support::DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, Support::DSI_COMPONENT_ID,
                                      u"EnvAttrOutputNtsNotSupported", -1, -1);
    }
}

} // namespace DSI
} // namespace Orvik
