#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace Orvik {
namespace DSI {

class DSIMetadataColumn;
class DSIStatement;

/// Makes the columns of the catalog result sets from the closed set of catalog column tags: each
/// column's name in the ODBC or the OLE DB convention, its SQL type, length and nullability. The
/// lengths of name columns come from the statement's connection.
class DSIMetadataColumnFactory
{
public:
    /// The column tagged in_tag (DSIMetadataColumnTag) of table in_tableId, whose value is of
    /// in_kind (DSIMetadataColumnKind). A tag without a column throws DSIException
    /// "InvalidColumnTag" (the tag); a failing connection property read propagates.
    static std::unique_ptr<DSIMetadataColumn> MakeColumn(DSIStatement& in_statement,
                                                         uint32_t in_tableId,
                                                         int32_t in_tag,
                                                         int32_t in_kind,
                                                         bool in_isOleDb);

    /// Appends the columns of table in_tableId in result order. An id above 14 throws DSIException
    /// "InvalidMetadataTableID" (the id) and appends nothing; after another failure the columns
    /// made so far stay in io_columns.
    static void MakeColumns(DSIStatement& in_statement,
                            uint32_t in_tableId,
                            bool in_isOleDb,
                            std::vector<std::unique_ptr<DSIMetadataColumn>>& io_columns);

    /// The connection's uint16 property in_key, a maximum name length; 0 (no limit) gives 1024.
    static uint16_t GetNameLength(DSIStatement& in_statement, int32_t in_key);
};

} // namespace DSI
} // namespace Orvik
