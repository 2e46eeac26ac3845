#pragma once

#include "DSI/DSIStatement.h"

#include <memory>

namespace Pelta {

class PeltaAPI;
struct PeltaConnectionSettings;

/// The back end's data-store statement: the base's properties, its own database client over
/// the connection's shared settings and server queues, and a new PeltaDataEngine for each
/// prepare, execution and catalog call.
class PeltaStatement : public Orvik::DSI::DSIStatement
{
public:
    /// A statement of in_connection (not owned) over in_settings, which outlive it.
    PeltaStatement(Orvik::DSI::DSIConnection* in_connection, PeltaConnectionSettings& in_settings);
    ~PeltaStatement() override;

    /// A new PeltaDataEngine over this statement's client.
    std::unique_ptr<Orvik::DSI::DSIDataEngine> CreateDataEngine() override;

    /// Stores the property; the query timeout also becomes the time limit of the client's
    /// statement requests.
    void SetProperty(int32_t in_key, std::unique_ptr<Orvik::Support::AttributeData> in_value) override;

    /// The statement's database client.
    PeltaAPI& GetAPI() { return *m_api; }

private:
    std::unique_ptr<PeltaAPI> m_api;
    PeltaConnectionSettings& m_settings;
};

} // namespace Pelta
