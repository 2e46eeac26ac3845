#include "Pelta/PeltaStatement.h"

#include "DSI/DSILog.h"
#include "DSI/StatementPropertyKey.h"
#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/PeltaDataEngine.h"
#include "Support/AttributeData.h"

namespace Pelta {

namespace {

constexpr char LOG_CLASS[] = "PeltaStatement";

} // namespace

PeltaStatement::PeltaStatement(Orvik::DSI::DSIConnection* in_connection, PeltaConnectionSettings& in_settings)
    : DSIStatement(in_connection, true), m_api(std::make_unique<PeltaAPI>(*GetLog(), in_settings)), m_settings(in_settings)
{
    GetLog()->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, LOG_CLASS);
}

PeltaStatement::~PeltaStatement()
{
    m_api.reset();
}

std::unique_ptr<Orvik::DSI::DSIDataEngine> PeltaStatement::CreateDataEngine()
{
    GetLog()->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "CreateDataEngine");
    return std::make_unique<PeltaDataEngine>(this, m_settings, *m_api);
}

void PeltaStatement::SetProperty(int32_t in_key, std::unique_ptr<Orvik::Support::AttributeData> in_value)
{
    const bool isQueryTimeout = in_key == Orvik::DSI::STMT_PROP_QUERY_TIMEOUT;
    DSIStatement::SetProperty(in_key, std::move(in_value));
    if (isQueryTimeout)
    {
        m_api->SetRequestTimeout(GetProperty(in_key)->GetUIntNativeValue());
    }
}

} // namespace Pelta
