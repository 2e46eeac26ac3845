#include "Pelta/PeltaStatement.h"

#include "DSI/DSILog.h"
#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/PeltaDataEngine.h"

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

} // namespace Pelta
