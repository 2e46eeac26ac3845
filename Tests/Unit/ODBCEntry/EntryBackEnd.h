#pragma once

// Test helper: the connection tests' fake back end with statements: each data engine records the
// statement texts it is asked to prepare (and refuses them) and answers every catalog function
// with an empty source, so that catalog results have their columns and no rows.

#include "DSI/DSIDataEngine.h"
#include "DSI/DSIException.h"
#include "DSI/DSIStatement.h"
#include "Support/orvik_wstring.h"

#include "Unit/ODBC/ConnectionTestSupport.h"

#include <sqlext.h>

#include <functional>
#include <memory>
#include <vector>

namespace Orvik {
namespace Testing {

class EntryDataEngine : public DSI::DSIDataEngine
{
public:
    explicit EntryDataEngine(DSI::DSIStatement* in_statement) : DSIDataEngine(in_statement) {}

    std::unique_ptr<DSI::IQueryExecutor> Prepare(const Support::orvik_wstring& in_sql) override
    {
        s_prepared.push_back(in_sql);
        if (s_onPrepare)
        {
            s_onPrepare();
        }
        throw DSI::DSIException(u"FuncNotSupported");
    }

    std::unique_ptr<DSI::DSIMetadataSource> MakeNewMetadataTable(uint32_t,
                                                                  const DSI::DSIMetadataRestrictions&,
                                                                  const Support::orvik_wstring&,
                                                                  const Support::orvik_wstring&,
                                                                  bool) override
    {
        return nullptr;
    }

    /// Every text any engine was asked to prepare, in order.
    static inline std::vector<Support::orvik_wstring> s_prepared;
    /// Runs in every Prepare, before it refuses: a test holds a call there.
    static inline std::function<void()> s_onPrepare;
};

class EntryDataStoreStatement : public DSI::DSIStatement
{
public:
    explicit EntryDataStoreStatement(DSI::DSIConnection* in_connection) : DSIStatement(in_connection, true) {}

    std::unique_ptr<DSI::DSIDataEngine> CreateDataEngine() override { return std::make_unique<EntryDataEngine>(this); }
};

class EntryDataStoreConnection : public FakeDataStoreConnection
{
public:
    explicit EntryDataStoreConnection(DSI::DSIEnvironment* in_environment) : FakeDataStoreConnection(in_environment) {}

    std::unique_ptr<DSI::DSIStatement> CreateStatement() override
    {
        return std::make_unique<EntryDataStoreStatement>(this);
    }
};

class EntryEnvironment : public DSI::DSIEnvironment
{
public:
    explicit EntryEnvironment(DSI::DSIDriver* in_driver) : DSIEnvironment(in_driver) {}

    std::unique_ptr<DSI::DSIConnection> CreateConnection() override
    {
        auto connection = std::make_unique<EntryDataStoreConnection>(this);
        s_lastConnection = connection.get();
        return connection;
    }

    static inline EntryDataStoreConnection* s_lastConnection = nullptr;
};

/// A driver whose connections and statements may run their functions asynchronously.
class EntryDriver : public FakeDriver
{
public:
    EntryDriver()
    {
        SetProperty(DSI::DRIVER_PROP_ASYNC_MODE, std::unique_ptr<Support::AttributeData>(
                                                      Support::AttributeData::MakeNewUInt32AttributeData(SQL_AM_STATEMENT)));
        SetProperty(DSI::DRIVER_PROP_ASYNC_DBC_FUNCTIONS,
                    std::unique_ptr<Support::AttributeData>(
                        Support::AttributeData::MakeNewUInt32AttributeData(SQL_ASYNC_DBC_CAPABLE)));
    }

    std::unique_ptr<DSI::DSIEnvironment> CreateEnvironment() override { return std::make_unique<EntryEnvironment>(this); }
};

struct EntryFactory
{
    static std::unique_ptr<DSI::IDriver> Make(Support::ModuleHandle& out_module)
    {
        out_module = Support::GetDriverModuleHandle();
        Support::OrvikSettingReader::SetBrandingName(u"Pelta");
        return std::make_unique<EntryDriver>();
    }
};

} // namespace Testing
} // namespace Orvik
