#pragma once

#include "DSI/Client/DSIMetadataSource.h"

#include <memory>
#include <string>

namespace Orvik {
namespace DSI {
class DSIStatement;
class IQueryExecutor;
} // namespace DSI
} // namespace Orvik

namespace Pelta {

class PeltaResultSet;

/// The base of the catalog sources that answer from an ordinary query on information_schema,
/// prepared and executed through a new data engine of the statement that runs the catalog
/// function; the rows are those of the query's result set.
class PeltaQueryMetadataSource : public Orvik::DSI::DSIMetadataSource
{
public:
    ~PeltaQueryMetadataSource() override;

    /// Back to before the first row of the result.
    void CloseCursor() override;

    /// The result's next row (next only).
    bool Move(int32_t in_direction, int64_t in_offset) override;

protected:
    /// A source for in_statement (borrowed).
    PeltaQueryMetadataSource(Orvik::DSI::DSIStatement* in_statement, const Orvik::DSI::DSIMetadataRestrictions& in_restrictions);

    /// Prepares and executes in_query (UTF-8) without parameters; its result set becomes the
    /// source's rows. Errors of the query pass to the caller.
    void ExecuteQuery(const std::string& in_query);

    PeltaResultSet& GetResult();

    /// Writes column in_column of the current row as a value of io_target's type, with the
    /// caller's offset and limit.
    bool ReadColumn(uint16_t in_column, Orvik::Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength);

private:
    Orvik::DSI::DSIStatement* m_statement;
    std::unique_ptr<Orvik::DSI::IQueryExecutor> m_executor;
    PeltaResultSet* m_result = nullptr;
};

} // namespace Pelta
