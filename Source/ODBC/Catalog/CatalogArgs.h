#pragma once

#include "Support/Variant.h"

#include <cstdint>
#include <vector>

namespace Orvik {
namespace ODBC {

class Connection;

/// The checks of a catalog function's arguments before it reaches the data engine: null
/// arguments where ODBC forbids them (HY009), names longer than the data source allows (HY090),
/// catalogs, schemas and bookmarks the data source does not support (HYC00). The first rule broken
/// raises its ErrorException; nothing is changed.
///
/// The arguments come one Variant per argument of the ODBC function after the statement handle,
/// in its order; a null pointer is the null string (unlike the empty one). Lengths count UTF-16
/// code units. Catalog function ids are those of CatalogFunctionNames (0 to 13).
class CatalogArgs
{
public:
    /// The checks for a statement of io_connection whose SQL_ATTR_USE_BOOKMARKS is
    /// in_useBookmarks and SQL_ATTR_CURSOR_TYPE in_cursorType; the information values are the
    /// connection's.
    CatalogArgs(Connection& io_connection, uint64_t in_useBookmarks, uint64_t in_cursorType);

    /// The null and length checks of catalog function in_functionId; in_isMetadataId tells that
    /// SQL_ATTR_METADATA_ID is SQL_TRUE (text arguments are identifiers, not patterns). An id
    /// above 13 throws ODBCInternalException "InvalidCatalogFuncID".
    void CheckArguments(int32_t in_functionId, const std::vector<Support::Variant>& in_arguments, bool in_isMetadataId);

    /// The feature checks of catalog function in_functionId: catalogs, schemas, bookmarks.
    void CheckFunctionId(int32_t in_functionId, const std::vector<Support::Variant>& in_arguments);

    /// The current catalog of io_connection, or the null string when it has none. With
    /// in_isEscaped it is made a search pattern that matches only itself: the data source's escape
    /// character doubled, then "%" and "_" each preceded by it.
    static Support::orvik_wstring SubstituteCurrentCatalog(Connection& io_connection, bool in_isEscaped);

    // The single checks; in_isMetadataId as for CheckArguments.

    void CheckNullCatalogName(const Support::Variant& in_argument, bool in_isMetadataId);
    void CheckNullSchemaName(const Support::Variant& in_argument, bool in_isMetadataId);
    void CheckNullTableName(const Support::Variant& in_argument);
    /// SQLForeignKeys: both table names null.
    void CheckNullTableName(const Support::Variant& in_first, const Support::Variant& in_second);
    void CheckNullColumnName(const Support::Variant& in_argument, bool in_isMetadataId);
    void CheckNullProcName(const Support::Variant& in_argument, bool in_isMetadataId);
    void CheckCatalogNameLength(const Support::Variant& in_argument);
    void CheckSchemaNameLength(const Support::Variant& in_argument);
    void CheckTableNameLength(const Support::Variant& in_argument);
    void CheckColumnNameLength(const Support::Variant& in_argument);
    void CheckProcNameLength(const Support::Variant& in_argument);
    void CheckCatalogSupported(const Support::Variant& in_argument);
    void CheckSchemaSupported(const Support::Variant& in_argument);
    void CheckBookmarkColumn();

private:
    /// Whether the information value in_maximumInfoType is not 0 and below the argument's length
    /// (a null argument has none).
    bool IsTooLong(const Support::Variant& in_argument, int32_t in_maximumInfoType);

    /// Whether the information value in_infoType is the text in_text.
    bool IsInfoText(int32_t in_infoType, const char16_t* in_text);

    Connection& m_connection;
    uint64_t m_useBookmarks;
    uint64_t m_cursorType;
};

} // namespace ODBC
} // namespace Orvik
