#pragma once

#include "DSI/Client/DSIMetadataSource.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Orvik {
namespace Support {
class Variant;
class orvik_wstring;
} // namespace Support

namespace DSI {

class DSILog;
class DSIMetadataColumn;
class DSIMetadataResult;
class DSIStatement;
class IMetadataFilter;
class IQueryExecutor;
class IResult;

/// The abstract per-statement engine of the data-store layer, made by the back end's statement
/// for every prepare, direct execution and catalog call. The back end prepares SQL text and makes
/// the metadata source of a catalog function; the base turns a catalog call into a catalog result:
/// row filters and source restrictions from the arguments, the source, the columns of the catalog
/// result set, and the result over all of them.
class DSIDataEngine
{
public:
    virtual ~DSIDataEngine() = default;

    DSIDataEngine(const DSIDataEngine&) = delete;
    DSIDataEngine& operator=(const DSIDataEngine&) = delete;

    /// The result of catalog function in_tableId (DSIMetadataTableId) called with in_restrictions,
    /// its arguments in ODBC order; in_escape and in_quote are the connection's search-pattern
    /// escape and identifier quote, in_isMetadataId the statement's SQL_ATTR_METADATA_ID. The
    /// caller owns it. An id above 14 throws DSIException "InvalidMetadataTableID" (the id) before
    /// the back end is asked; every other failure propagates, and nothing made survives it.
    virtual std::unique_ptr<IResult> MakeNewMetadataResult(uint32_t in_tableId,
                                                           const std::vector<Support::Variant>& in_restrictions,
                                                           const Support::orvik_wstring& in_escape,
                                                           const Support::orvik_wstring& in_quote,
                                                           bool in_isMetadataId);

    /// The prepared form of in_sql; the caller owns it.
    virtual std::unique_ptr<IQueryExecutor> Prepare(const Support::orvik_wstring& in_sql) = 0;

    /// Marks the engine as preparing for a direct execution, which needs no separate describe
    /// step; the ODBC layer calls it right before Prepare on the SQLExecDirect road.
    virtual void SetDirectExecute() { m_isDirectExecute = true; }

    /// The back end's source of the rows of catalog function in_tableId, narrowed by
    /// in_restrictions as it can; null when it has none (the result is then empty). The caller
    /// owns it.
    virtual std::unique_ptr<DSIMetadataSource> MakeNewMetadataTable(uint32_t in_tableId,
                                                                    const DSIMetadataRestrictions& in_restrictions,
                                                                    const Support::orvik_wstring& in_escape,
                                                                    const Support::orvik_wstring& in_quote,
                                                                    bool in_isMetadataId) = 0;

    /// The catalog result over in_source (an empty source when null), taking over the source and
    /// the contents of both vectors. With a source, an id above 14 throws DSIException
    /// "InvalidMetadataTableID" (the id). SQLStatistics run from a host whose path contains
    /// "MSACCESS" returns NULL in ASC_OR_DESC.
    virtual std::unique_ptr<DSIMetadataResult> CreateMetadataResult(
        uint32_t in_tableId,
        const DSIMetadataRestrictions& in_restrictions,
        std::unique_ptr<DSIMetadataSource> in_source,
        std::vector<std::unique_ptr<DSIMetadataColumn>>& io_columns,
        std::vector<std::unique_ptr<IMetadataFilter>>& io_filters);

    /// True unless the application declared ODBC 2 behaviour.
    virtual bool IsOdbc3Behavior() { return m_isOdbc3Behavior; }

    /// The parent statement's log.
    DSILog* GetLog();

    /// True when driver property 22 is 1: catalog results then apply the row filters themselves.
    bool IsCatalogFilteringEnabled();

    /// Whether SetDirectExecute was called.
    bool IsDirectExecute() const { return m_isDirectExecute; }

protected:
    /// An engine of in_statement (not owned), which reads the catalog convention (environment
    /// property 4) and the application's ODBC version (property 3) through the statement's
    /// connection; a missing property throws DSIException "DSIEnvPropNotFound".
    explicit DSIDataEngine(DSIStatement* in_statement);

    DSIStatement* GetParentStatement() { return m_statement; }

    /// The host program's executable path, which decides the statistics host rule.
    virtual Support::orvik_wstring GetHostExecutablePath();

private:
    /// The int32 environment property in_key, read through the statement's connection.
    int32_t ReadEnvironmentProperty(int32_t in_key);

    /// SQLGetTypeInfo's arguments with the date and time codes of the application's ODBC version.
    std::vector<Support::Variant> MapDataTypeArguments(const std::vector<Support::Variant>& in_restrictions,
                                                       int32_t in_adapterMode);

    /// The result in the form the adapter mode asks for: an OLE DB schema adapter in mode 3 for
    /// the tables that have one, else the result itself.
    std::unique_ptr<IResult> CreateResultAdapter(int32_t in_adapterMode,
                                                 uint32_t in_tableId,
                                                 const std::vector<Support::Variant>& in_restrictions,
                                                 std::unique_ptr<DSIMetadataResult> in_result);

    DSIStatement* m_statement;
    bool m_isDirectExecute = false;
    int32_t m_catalogConvention;
    bool m_isOdbc3Behavior;
};

} // namespace DSI
} // namespace Orvik
