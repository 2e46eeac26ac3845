#pragma once

// Test helper: a fake back end for the catalog road. Its data engine answers every catalog
// function with a scripted source (or none), records what the road handed it, and runs as if the
// host program were a path the test chooses.

#include "DSI/Catalog/DSIMetadataResult.h"
#include "DSI/Client/IColumn.h"
#include "DSI/Client/IColumns.h"
#include "DSI/DSIDataEngine.h"
#include "DSI/DSIDriver.h"
#include "DSI/DSIEnvironment.h"
#include "Support/AttributeData.h"
#include "Support/Variant.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include "DriverSettings.h"
#include "ScriptedMetadataSource.h"
#include "TestConnection.h"
#include "Unit/Support/StringTestSupport.h"

#include <sqlext.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace Orvik {
namespace Testing {

class ScriptedDataEngine : public DSI::DSIDataEngine
{
public:
    explicit ScriptedDataEngine(DSI::DSIStatement* in_statement) : DSIDataEngine(in_statement) {}

    std::unique_ptr<DSI::IQueryExecutor> Prepare(const Support::orvik_wstring&) override
    {
        throw DSI::DSIException(u"FuncNotSupported");
    }

    /// A source over the scripted rows, or none when no rows are scripted.
    std::unique_ptr<DSI::DSIMetadataSource> MakeNewMetadataTable(uint32_t in_tableId,
                                                                 const DSI::DSIMetadataRestrictions& in_restrictions,
                                                                 const Support::orvik_wstring&,
                                                                 const Support::orvik_wstring&,
                                                                 bool) override
    {
        ++m_tableRequests;
        m_tableId = in_tableId;
        m_restrictions = in_restrictions;
        if (m_failure != nullptr)
        {
            throw DSI::DSIException(m_failure);
        }
        if (!m_hasRows)
        {
            return nullptr;
        }
        auto source = std::make_unique<ScriptedMetadataSource>(m_rows, in_restrictions);
        source->m_deleted = &m_deletedSources;
        m_source = source.get();
        return source;
    }

    void Script(std::vector<ScriptedRow> in_rows)
    {
        m_rows = std::move(in_rows);
        m_hasRows = true;
    }

    Support::orvik_wstring m_hostPath = u"/usr/bin/isql";
    int32_t m_tableRequests = 0;
    uint32_t m_tableId = 0;
    DSI::DSIMetadataRestrictions m_restrictions;
    /// The last source handed out; it belongs to the result.
    ScriptedMetadataSource* m_source = nullptr;
    int m_deletedSources = 0;
    /// When set, the key MakeNewMetadataTable fails with instead of making a source.
    const char16_t* m_failure = nullptr;

protected:
    Support::orvik_wstring GetHostExecutablePath() override { return m_hostPath; }

private:
    std::vector<ScriptedRow> m_rows;
    bool m_hasRows = false;
};

/// A driver, environment, connection and statement as the ODBC layer leaves them: environment
/// property 4 (the catalog convention) stored as 0.
class CatalogFixture : public Support::EncodingsRestored
{
protected:
    CatalogFixture()
    {
        Support::orvik_wstring::SetDatabaseWCharEncoding(Support::ENC_UTF16_LE);
        SetEnvironment(DSI::ENV_PROP_CATALOG_CONVENTION, 0);
    }

    void SetEnvironment(int32_t in_key, int32_t in_value)
    {
        m_environment.SetProperty(in_key, std::unique_ptr<Support::AttributeData>(
                                              Support::AttributeData::MakeNewInt32AttributeData(in_value)));
    }

    void SetConnection(int32_t in_key, Support::AttributeData* in_value)
    {
        m_connection.SetProperty(in_key, std::unique_ptr<Support::AttributeData>(in_value));
    }

    void SetCatalogFiltering(uint32_t in_value)
    {
        m_driver.SetProperty(DSI::DRIVER_PROP_CATALOG_FILTERING,
                             std::unique_ptr<Support::AttributeData>(Support::AttributeData::MakeNewUInt32AttributeData(in_value)));
    }

    DriverSettings m_settings;
    TestDriver m_driver;
    TestEnvironment m_environment{&m_driver};
    TestConnection m_connection{&m_environment};
    std::unique_ptr<DSI::DSIStatement> m_statement = m_connection.CreateStatement();
};

/// "tag=value" per restriction in tag order, joined by " ".
inline std::string DescribeRestrictions(const DSI::DSIMetadataRestrictions& in_restrictions)
{
    std::string text;
    for (const auto& entry : in_restrictions)
    {
        text += (text.empty() ? "" : " ") + std::to_string(entry.first) + "=" + Support::Show(entry.second);
    }
    return text;
}

/// A fixed-size value as decimal text, read in the width of its type.
inline std::string ReadNumber(const Support::SqlData& in_value)
{
    const Support::SqlTypeMetadata& type = in_value.GetMetadata();
    int8_t tiny = 0;
    int16_t small = 0;
    int32_t number = 0;
    switch (type.GetOctetLength())
    {
        case 1:
            std::memcpy(&tiny, in_value.GetBuffer(), 1);
            return std::to_string(tiny);
        case 2:
            std::memcpy(&small, in_value.GetBuffer(), 2);
            return std::to_string(type.IsUnsigned() ? static_cast<uint16_t>(small) : small);
        default:
            std::memcpy(&number, in_value.GetBuffer(), 4);
            return std::to_string(type.IsUnsigned() ? static_cast<uint32_t>(number) : number);
    }
}

/// The value of in_column in the current row as text; "<null>" for NULL.
inline std::string ReadValue(DSI::IResult& io_result, uint16_t in_column)
{
    const Support::SqlTypeMetadata& type = *io_result.GetSelectColumns()->GetColumn(in_column)->GetMetadata();
    std::unique_ptr<Support::SqlData> value = Support::SqlDataFactory().CreateNewSqlData(type);
    io_result.RetrieveData(in_column, *value, 0, -1);
    if (value->IsNull())
    {
        return "<null>";
    }
    const int16_t sqlType = type.GetConciseType();
    return sqlType == SQL_WVARCHAR || sqlType == SQL_WCHAR ? Support::orvik_wstring(*value).GetAsUTF8() : ReadNumber(*value);
}

/// Every remaining row of in_result, the values of in_columns (all columns when empty) joined by
/// "|", rows by "; ".
inline std::string ReadAll(DSI::IResult& io_result, std::vector<uint16_t> in_columns = {})
{
    if (in_columns.empty())
    {
        for (uint16_t column = 0; column < io_result.GetSelectColumns()->GetCount(); ++column)
        {
            in_columns.push_back(column);
        }
    }
    std::string text;
    while (io_result.Move(DSI::DSI_DIR_NEXT, 0))
    {
        text += text.empty() ? "" : "; ";
        for (size_t i = 0; i < in_columns.size(); ++i)
        {
            text += (i == 0 ? "" : "|") + ReadValue(io_result, in_columns[i]);
        }
    }
    return text;
}

} // namespace Testing
} // namespace Orvik
