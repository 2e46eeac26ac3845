#pragma once

#include "DSI/DSIDataEngine.h"

#include <cstdint>

namespace Pelta {

class PeltaAPI;
struct PeltaConnectionSettings;

/// The back end's data engine: prepares SQL text into a PeltaQueryExecutor and makes the
/// source of each catalog function.
class PeltaDataEngine : public Orvik::DSI::DSIDataEngine
{
public:
    /// An engine of in_statement over the connection's settings and the statement's client,
    /// all borrowed.
    PeltaDataEngine(Orvik::DSI::DSIStatement* in_statement, PeltaConnectionSettings& in_settings, PeltaAPI& in_api);
    ~PeltaDataEngine() override;

    /// The statement text trimmed and escaped for the request, its markers counted, and whether
    /// it is a select (it begins with "select" in any case). Raises "PeltaTooManyParameters"
    /// for more markers than a statement can have.
    std::unique_ptr<Orvik::DSI::IQueryExecutor> Prepare(const Orvik::Support::orvik_wstring& in_sql) override;

    /// The source of catalog function in_tableId: tables, catalogs, schemas, table types,
    /// columns, primary keys and type information; an empty source for every other function.
    /// The query-backed sources run their query now, and its errors pass to the caller.
    std::unique_ptr<Orvik::DSI::DSIMetadataSource> MakeNewMetadataTable(uint32_t in_tableId,
                                                                        const Orvik::DSI::DSIMetadataRestrictions& in_restrictions,
                                                                        const Orvik::Support::orvik_wstring& in_escape,
                                                                        const Orvik::Support::orvik_wstring& in_quote,
                                                                        bool in_isMetadataId) override;

    /// The "?" outside text quoted with double quotes or apostrophes; 0 when a quote is never
    /// closed.
    static uint32_t CountParameterMarkers(const Orvik::Support::orvik_wstring& in_text);

private:
    PeltaConnectionSettings& m_settings;
    PeltaAPI& m_api;
};

} // namespace Pelta
