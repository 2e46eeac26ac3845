#include "Pelta/PeltaEnvironment.h"

#include "DSI/DSILog.h"
#include "Pelta/PeltaConnection.h"
#include "Pelta/PeltaConstants.h"

namespace Pelta {

namespace {

constexpr char LOG_CLASS[] = "PeltaEnvironment";

} // namespace

PeltaEnvironment::PeltaEnvironment(Orvik::DSI::DSIDriver* in_driver) : DSIEnvironment(in_driver)
{
    GetLog()->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, LOG_CLASS);
}

PeltaEnvironment::~PeltaEnvironment() = default;

std::unique_ptr<Orvik::DSI::DSIConnection> PeltaEnvironment::CreateConnection()
{
    GetLog()->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "CreateConnection");
    return std::make_unique<PeltaConnection>(this);
}

} // namespace Pelta
