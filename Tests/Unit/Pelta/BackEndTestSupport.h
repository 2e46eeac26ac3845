#pragma once

// Test helpers of the back end's data-store objects: a connected driver, environment and
// connection over the test server; parameter sets as the ODBC layer would hand them over; and
// results read into one comparable line per row.

#include "DSI/Client/DSIResults.h"
#include "DSI/Client/IColumn.h"
#include "DSI/Client/IColumns.h"
#include "DSI/Client/IResult.h"
#include "DSI/DSIDataEngine.h"
#include "DSI/DSIEnvironment.h"
#include "DSI/DSIStatement.h"
#include "DSI/IQueryExecutor.h"
#include "DSI/ParameterList.h"
#include "DSI/ParameterSet.h"
#include "DSI/ParameterSetIterator.h"
#include "DSI/ParameterSetStatus.h"
#include "DSI/ParameterSource.h"
#include "Pelta/PeltaConnection.h"
#include "Pelta/PeltaDriver.h"
#include "Support/AttributeData.h"
#include "Support/InvalidOperationException.h"
#include "Support/Platform.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"
#include "Support/VariantMap.h"

#include "Unit/DSI/DriverSettings.h"
#include "Unit/Pelta/PeltaTestSupport.h"

#include <sqlext.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Pelta {
namespace Test {

/// One parameter value of a set, as the ODBC layer holds it after conversion.
struct TestValue
{
    int16_t sqlType = SQL_WVARCHAR;
    std::string bytes;
    bool isNull = false;
    bool isDefault = false;
};

inline TestValue Text(const std::string& in_text)
{
    return {SQL_WVARCHAR, in_text};
}

template <class T>
TestValue Binary(int16_t in_sqlType, const T& in_value)
{
    return {in_sqlType, std::string(reinterpret_cast<const char*>(&in_value), sizeof(T))};
}

inline TestValue Integer(int32_t in_value)
{
    return Binary(SQL_INTEGER, in_value);
}

inline TestValue Null()
{
    return {SQL_WVARCHAR, "", true, false};
}

inline TestValue Default()
{
    return {SQL_WVARCHAR, "", false, true};
}

/// A parameter: its value in the current set while executing, its description afterwards. The
/// back end reads the value and its type and describes type, direction and size; the rest of the
/// interface answers defaults, and setters the back end should never call record themselves.
class TestParameter : public Orvik::DSI::ParameterSource
{
public:
    uint64_t GetColumnSize() override { return 0; }
    uint64_t GetLength() override { return 0; }
    Orvik::Support::orvik_wstring GetName() override { return u""; }
    int32_t GetNumPrecRadix() override { return 0; }
    int16_t GetInputOutputType() override { return SQL_PARAM_INPUT; }
    int16_t GetPrecision() override { return 0; }
    int16_t GetScale() override { return 0; }
    Orvik::Support::EncodingType GetEncoding() override { return Orvik::Support::ENC_UTF8; }
    int16_t GetSqlType() override { return m_value.sqlType; }
    int16_t GetNullable() override { return SQL_NULLABLE; }
    bool IsUnsigned() override { return false; }
    uint16_t GetParameterNumber() override { return 0; }
    bool IsCaseSensitive() override { return false; }
    bool IsUnnamed() override { return true; }
    uint64_t GetOctetLength() override { return 0; }
    bool IsModified() override { return false; }

    void SetCaseSensitive(bool) override { m_description += "case;"; }
    void SetColumnSize(uint64_t in_size) override { m_description += "size " + std::to_string(in_size) + ";"; }
    void SetLength(uint64_t) override { m_description += "length;"; }
    void SetName(const Orvik::Support::orvik_wstring&) override { m_description += "name;"; }
    void SetInputOutputType(int16_t in_type) override { m_description += "io " + std::to_string(in_type) + ";"; }
    void SetPrecision(int16_t) override { m_description += "precision;"; }
    void SetScale(int16_t) override { m_description += "scale;"; }
    void SetEncoding(Orvik::Support::EncodingType) override { m_description += "encoding;"; }
    void SetNullable(int16_t) override { m_description += "nullable;"; }
    void SetConciseType(int16_t in_type) override { m_description += "type " + std::to_string(in_type) + ";"; }
    void SetUnnamed(bool) override { m_description += "unnamed;"; }
    void SetUnsigned(bool) override { m_description += "unsigned;"; }

    Orvik::Support::SqlData& GetOutputData() override { ORVIK_THROW_INVALID_OPERATION(); }
    bool IsPushed() override { return false; }
    bool IsNull() override { return m_value.isNull; }
    bool IsDefault() override { return m_value.isDefault; }
    const void* GetData(uint64_t& out_length) override
    {
        out_length = m_value.bytes.size();
        return m_value.bytes.data();
    }
    Orvik::Support::SqlData& GetSqlData() override { ORVIK_THROW_INVALID_OPERATION(); }

    TestValue m_value;
    std::string m_description;
};

/// The parameter sets of one execution, and the status each set gets.
class TestParameterSets : public Orvik::DSI::ParameterSetIterator,
                          public Orvik::DSI::ParameterSet,
                          public Orvik::DSI::ParameterSetStatus,
                          public Orvik::DSI::ParameterList
{
public:
    explicit TestParameterSets(std::vector<std::vector<TestValue>> in_sets = {}) : m_sets(std::move(in_sets)) {}

    bool MoveToNext() override
    {
        if (m_next >= m_sets.size())
        {
            return false;
        }
        m_parameters.clear();
        m_parameters.resize(m_sets[m_next].size());
        for (size_t i = 0; i < m_parameters.size(); ++i)
        {
            m_parameters[i].m_value = m_sets[m_next][i];
        }
        ++m_next;
        return true;
    }
    Orvik::DSI::ParameterSet& GetCurrentSet() override { return *this; }
    uint64_t GetCurrentRow() override { return m_next; }
    uint64_t GetNumberOfSets() override { return m_sets.size(); }

    void GetParameters(std::vector<Orvik::DSI::ParameterSource*>& out_parameters) override
    {
        for (TestParameter& parameter : m_parameters)
        {
            out_parameters.push_back(&parameter);
        }
    }
    uint16_t GetCount() override { return static_cast<uint16_t>(m_parameters.size()); }

    Orvik::DSI::ParameterStatus GetStatus(uint64_t in_row) override
    {
        const auto status = m_statuses.find(in_row);
        return status != m_statuses.end() ? static_cast<Orvik::DSI::ParameterStatus>(status->second)
                                          : Orvik::DSI::PARAM_STATUS_UNUSED;
    }
    void SetStatus(uint64_t in_row, Orvik::DSI::ParameterStatus in_status) override { m_statuses[in_row] = in_status; }
    uint64_t GetSize() override { return m_sets.size(); }
    bool IsEmpty() override { return m_sets.empty(); }

    Orvik::DSI::ParameterSource& GetParameter(uint16_t in_number) override
    {
        if (m_parameters.size() < in_number)
        {
            m_parameters.resize(in_number);
        }
        return m_parameters[in_number - 1];
    }

    /// "row:status" of every set that got a status, in row order.
    std::string Statuses() const
    {
        std::string text;
        for (const auto& status : m_statuses)
        {
            text += (text.empty() ? "" : " ") + std::to_string(status.first) + ":" + std::to_string(status.second);
        }
        return text;
    }

    std::vector<TestParameter> m_parameters;

private:
    std::vector<std::vector<TestValue>> m_sets;
    size_t m_next = 0;
    std::map<uint64_t, int32_t> m_statuses;
};

/// One value holder of a result column's type.
inline std::unique_ptr<Orvik::Support::SqlData> MakeHolder(const Orvik::Support::SqlTypeMetadata& in_metadata)
{
    return Orvik::Support::TypedDataSingleton<Orvik::Support::SqlDataFactory>::GetOrDefault().CreateNewSqlData(in_metadata);
}

/// A value holder of an SQL type, with the description it needs.
struct TypedHolder
{
    explicit TypedHolder(int16_t in_sqlType)
        : metadata(Orvik::Support::TypedDataSingleton<Orvik::Support::SqlTypeMetadataFactory>::GetOrDefault()
                       .CreateNewSqlTypeMetadata(in_sqlType, false, 0)),
          data(MakeHolder(*metadata))
    {
    }

    std::unique_ptr<Orvik::Support::SqlTypeMetadata> metadata;
    std::unique_ptr<Orvik::Support::SqlData> data;
};

/// A value as text: NULL, characters as UTF-8, numbers in decimal, timestamps in full.
inline std::string Render(const Orvik::Support::SqlData& in_value)
{
    using namespace Orvik::Support;
    if (in_value.IsNull())
    {
        return "NULL";
    }
    const void* buffer = in_value.GetBuffer();
    char text[64];
    switch (in_value.GetMetadata().GetTDWType())
    {
    case TDW_SQL_BIT:
    case TDW_SQL_UTINYINT: return std::to_string(*static_cast<const uint8_t*>(buffer));
    case TDW_SQL_STINYINT: return std::to_string(*static_cast<const int8_t*>(buffer));
    case TDW_SQL_SSMALLINT: return std::to_string(*static_cast<const int16_t*>(buffer));
    case TDW_SQL_USMALLINT: return std::to_string(*static_cast<const uint16_t*>(buffer));
    case TDW_SQL_UINTEGER: return std::to_string(*static_cast<const uint32_t*>(buffer));
    case TDW_SQL_SINTEGER: return std::to_string(*static_cast<const int32_t*>(buffer));
    case TDW_SQL_SBIGINT: return std::to_string(*static_cast<const int64_t*>(buffer));
    case TDW_SQL_REAL: std::snprintf(text, sizeof(text), "%.9g", *static_cast<const float*>(buffer)); return text;
    case TDW_SQL_DOUBLE: std::snprintf(text, sizeof(text), "%.17g", *static_cast<const double*>(buffer)); return text;
    case TDW_SQL_TYPE_TIMESTAMP:
    {
        const auto* t = static_cast<const TDWTimestampValue*>(buffer);
        std::snprintf(text, sizeof(text), "%04d-%02u-%02u %02u:%02u:%02u.%09u", t->m_year, t->m_month, t->m_day,
                      t->m_hour, t->m_minute, t->m_second, t->m_fraction);
        return text;
    }
    default: return std::string(static_cast<const char*>(buffer), in_value.GetLength());
    }
}

/// The name and SQL type of each column: "name:type".
inline std::vector<std::string> DescribeColumns(Orvik::DSI::IResult& in_result)
{
    std::vector<std::string> columns;
    Orvik::DSI::IColumns* list = in_result.GetSelectColumns();
    for (uint16_t i = 0; list != nullptr && i < list->GetCount(); ++i)
    {
        Orvik::Support::orvik_wstring name;
        list->GetColumn(i)->GetName(name);
        columns.push_back(name.GetAsUTF8() + ":" + std::to_string(list->GetColumn(i)->GetMetadata()->GetConciseType()));
    }
    return columns;
}

/// Every remaining row, its values rendered and joined by "|".
inline std::vector<std::string> ReadRows(Orvik::DSI::IResult& in_result)
{
    std::vector<std::string> rows;
    Orvik::DSI::IColumns* columns = in_result.GetSelectColumns();
    std::vector<std::unique_ptr<Orvik::Support::SqlData>> holders;
    for (uint16_t i = 0; i < columns->GetCount(); ++i)
    {
        holders.push_back(MakeHolder(*columns->GetColumn(i)->GetMetadata()));
    }
    while (in_result.Move(Orvik::DSI::DSI_DIR_NEXT, 0))
    {
        std::string row;
        for (uint16_t i = 0; i < holders.size(); ++i)
        {
            in_result.RetrieveData(i, *holders[i], 0, -1);
            row += (i ? "|" : "") + Render(*holders[i]);
        }
        rows.push_back(row);
    }
    return rows;
}

/// The platform services (encoding converters) for the length of a scope, as the module
/// starts them.
class PlatformScope
{
public:
    PlatformScope() { Orvik::Platform::InitializePlatform(false); }
    ~PlatformScope() { Orvik::Platform::UninitializePlatform(); }

    PlatformScope(const PlatformScope&) = delete;
    PlatformScope& operator=(const PlatformScope&) = delete;
};

/// A back end over the test server: driver, environment and one connection, made for each test.
class BackEndTest : public ServerTest
{
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        m_driver = std::make_unique<PeltaDriver>();
        m_environment = m_driver->CreateEnvironment();
        // What the ODBC layer stores in every new environment: the ODBC catalog convention.
        SetEnvironmentProperty(Orvik::DSI::ENV_PROP_CATALOG_CONVENTION, 0);
        m_connection = m_environment->CreateConnection();
    }

    PeltaConnection& Connection() { return static_cast<PeltaConnection&>(*m_connection); }

    /// Connects to the listeners' servers with further settings.
    void Connect(Orvik::Support::VariantMap in_settings = {})
    {
        in_settings.emplace(u"SERVERS", Orvik::Support::Variant(Server().Address(0).c_str()));
        m_connection->Connect(in_settings);
    }

    /// The application declares ODBC 2 behaviour.
    void UseOdbc2() { SetEnvironmentProperty(Orvik::DSI::ENV_PROP_ODBC_VERSION, 2); }

    void SetEnvironmentProperty(int32_t in_key, int32_t in_value)
    {
        m_environment->SetProperty(
            in_key, std::unique_ptr<Orvik::Support::AttributeData>(Orvik::Support::AttributeData::MakeNewInt32AttributeData(in_value)));
    }

    /// A new statement's engine, marked for direct execution when asked.
    std::unique_ptr<Orvik::DSI::DSIDataEngine> Engine(bool in_isDirect = false)
    {
        if (!m_statement)
        {
            m_statement = m_connection->CreateStatement();
        }
        std::unique_ptr<Orvik::DSI::DSIDataEngine> engine = m_statement->CreateDataEngine();
        if (in_isDirect)
        {
            engine->SetDirectExecute();
        }
        return engine;
    }

    /// Runs a statement directly and returns its executor.
    std::unique_ptr<Orvik::DSI::IQueryExecutor> Run(const char16_t* in_sql, TestParameterSets&& io_sets = TestParameterSets())
    {
        std::unique_ptr<Orvik::DSI::IQueryExecutor> executor = Engine(true)->Prepare(in_sql);
        executor->Execute(nullptr, io_sets, io_sets, io_sets);
        return executor;
    }

    /// Creates test data on the server without going through the request log.
    void ServerSql(const std::string& in_statement)
    {
        const ControlReply reply = Server().Control("POST", "/sql", "{\"stmt\":\"" + in_statement + "\"}");
        ASSERT_EQ(200, reply.status) << reply.body;
        ASSERT_EQ(std::string::npos, reply.body.find("\"error\"")) << reply.body;
    }

    /// Clears the request log; the tables stay.
    void ClearRequestLog() { ASSERT_EQ(200, Server().Control("POST", "/reset", "{}").status); }

    PlatformScope m_platform;
    Orvik::Testing::DriverSettings m_settings;
    std::unique_ptr<PeltaDriver> m_driver;
    std::unique_ptr<Orvik::DSI::DSIEnvironment> m_environment;
    std::unique_ptr<Orvik::DSI::DSIConnection> m_connection;
    std::unique_ptr<Orvik::DSI::DSIStatement> m_statement;
};

} // namespace Test
} // namespace Pelta
