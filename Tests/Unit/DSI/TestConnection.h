#pragma once

// Test helper: the smallest back end's connection and statement over the data-store bases,
// with the protected helpers opened for the tests.

#include "DSI/DSIConnection.h"
#include "DSI/DSIException.h"
#include "DSI/DSIStatement.h"

#include "TestDriver.h"

namespace Orvik {
namespace Testing {

class TestStatement : public DSI::DSIStatement
{
public:
    explicit TestStatement(DSI::DSIConnection* in_connection) : DSIStatement(in_connection, true) {}

    /// These tests run nothing.
    std::unique_ptr<DSI::DSIDataEngine> CreateDataEngine() override { throw DSI::DSIException(u"FuncNotSupported"); }
};

/// A connection that needs "Servers" and can use "Timeout", and refuses the catalog "forbidden".
class TestConnection : public DSI::DSIConnection
{
public:
    explicit TestConnection(DSI::DSIEnvironment* in_environment) : DSIConnection(in_environment, true) {}

    void Connect(const Support::VariantMap& in_settings) override { GetSettings() = in_settings; }
    std::unique_ptr<DSI::DSIStatement> CreateStatement() override { return std::make_unique<TestStatement>(this); }
    void Disconnect() override {}
    bool PromptDialog(const DSI::ConnSettingRequestMap&, Support::VariantMap&, void*, int32_t) override { return false; }

    void UpdateConnectionSettings(const Support::VariantMap& in_settings, DSI::ConnSettingRequestMap& io_requests) override
    {
        VerifyRequiredSetting(u"Servers", in_settings, io_requests);
        VerifyOptionalSetting(u"Timeout", in_settings, io_requests);
    }

    bool IsCurrentCatalogValid(const Support::orvik_wstring& in_catalog) override { return in_catalog != u"forbidden"; }

    using DSIConnection::GetOptionalSetting;
    using DSIConnection::GetRequiredSetting;
    using DSIConnection::SetCatalogSupport;
    using DSIConnection::SetDataSourceReadOnly;
    using DSIConnection::SetProcedureSupport;
    using DSIConnection::SetSchemaSupport;
    using DSIConnection::SetTransactionCapable;
    using DSIConnection::VerifyOptionalSetting;
    using DSIConnection::VerifyRequiredSetting;
};

} // namespace Testing
} // namespace Orvik
