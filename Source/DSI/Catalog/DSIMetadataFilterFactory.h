#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace Orvik {
namespace Support {
class Variant;
class orvik_wstring;
} // namespace Support

namespace DSI {

class IMetadataFilter;

/// Makes the row filters of a catalog function from its arguments, each of the kind that ODBC
/// gives the argument: ordinary, search pattern, value list or small integer, or an identifier
/// for every name when SQL_ATTR_METADATA_ID is true.
class DSIMetadataFilterFactory
{
public:
    /// Appends the filters of table in_tableId (DSIMetadataTableId) to io_filters, which owns
    /// them. in_restrictions holds the function's arguments in ODBC order, missing ones counting
    /// as NULL. An id above 14 throws DSIException "InvalidMetadataTableID" (the id); a numeric
    /// argument that is no number throws what Variant::GetInt16 throws. Filters made before a
    /// failure stay in io_filters.
    static void MakeNewMetadataFilters(const std::vector<Support::Variant>& in_restrictions,
                                       uint32_t in_tableId,
                                       const Support::orvik_wstring& in_escape,
                                       const Support::orvik_wstring& in_quote,
                                       bool in_isMetadataId,
                                       bool in_isOdbc3,
                                       std::vector<std::unique_ptr<IMetadataFilter>>& io_filters);

    /// Argument in_index of in_restrictions; the null Variant past their end, since a caller
    /// that passes fewer arguments passes NULL for the rest.
    static const Support::Variant& GetArgument(const std::vector<Support::Variant>& in_restrictions, size_t in_index);
};

} // namespace DSI
} // namespace Orvik
