#include "ODBC/Catalog/CatalogArgs.h"

#include "DSI/DSIConnection.h"
#include "ODBC/Attributes/ConnectionAttributes.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Connection.h"
#include "Support/AttributeData.h"
#include "Support/ErrorException.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

// The checks, one a row of a catalog function's list, with the argument position they read and
// when they apply (SQL_ATTR_METADATA_ID true, false, or either).
enum Check : uint8_t
{
    NULL_CATALOG,
    NULL_SCHEMA,
    NULL_TABLE,
    NULL_TABLES, ///< both of SQLForeignKeys' table names, positions 2 and 5
    NULL_COLUMN,
    NULL_PROCEDURE,
    CATALOG_LENGTH,
    SCHEMA_LENGTH,
    TABLE_LENGTH,
    COLUMN_LENGTH,
    PROCEDURE_LENGTH,
    CATALOG_SUPPORTED,
    SCHEMA_SUPPORTED,
    BOOKMARK
};

enum When : uint8_t
{
    ALWAYS,
    IDENTIFIERS, ///< only when SQL_ATTR_METADATA_ID is SQL_TRUE
    PATTERNS     ///< only when it is not
};

struct CheckRow
{
    Check m_check;
    uint8_t m_position;
    When m_when;
};

struct CheckList
{
    const CheckRow* m_rows;
    size_t m_count;
};

template <size_t N>
constexpr CheckList List(const CheckRow (&in_rows)[N])
{
    return {in_rows, N};
}

// SQLTables in all forms and SQLTablePrivileges.
constexpr CheckRow TABLES[] = {
    {NULL_CATALOG, 0, ALWAYS},   {NULL_SCHEMA, 1, ALWAYS},   {NULL_TABLE, 2, IDENTIFIERS},
    {CATALOG_LENGTH, 0, ALWAYS}, {SCHEMA_LENGTH, 1, ALWAYS}, {TABLE_LENGTH, 2, ALWAYS},
};
constexpr CheckRow COLUMNS[] = {
    {NULL_CATALOG, 0, ALWAYS},   {NULL_SCHEMA, 1, ALWAYS},   {NULL_TABLE, 2, IDENTIFIERS}, {NULL_COLUMN, 3, ALWAYS},
    {CATALOG_LENGTH, 0, ALWAYS}, {SCHEMA_LENGTH, 1, ALWAYS}, {TABLE_LENGTH, 2, ALWAYS},    {COLUMN_LENGTH, 3, ALWAYS},
};
constexpr CheckRow COLUMN_PRIVILEGES[] = {
    {NULL_CATALOG, 0, ALWAYS},   {NULL_SCHEMA, 1, ALWAYS},   {NULL_TABLE, 2, ALWAYS},   {NULL_COLUMN, 3, ALWAYS},
    {CATALOG_LENGTH, 0, ALWAYS}, {SCHEMA_LENGTH, 1, ALWAYS}, {TABLE_LENGTH, 2, ALWAYS}, {COLUMN_LENGTH, 3, ALWAYS},
};
constexpr CheckRow FOREIGN_KEYS[] = {
    {NULL_CATALOG, 0, ALWAYS},   {NULL_SCHEMA, 1, ALWAYS},   {NULL_TABLE, 2, IDENTIFIERS}, {NULL_TABLE, 5, IDENTIFIERS},
    {NULL_TABLES, 2, PATTERNS},  {CATALOG_LENGTH, 0, ALWAYS}, {SCHEMA_LENGTH, 1, ALWAYS},  {TABLE_LENGTH, 2, ALWAYS},
    {NULL_CATALOG, 3, ALWAYS},   {NULL_SCHEMA, 4, ALWAYS},   {CATALOG_LENGTH, 3, ALWAYS}, {SCHEMA_LENGTH, 4, ALWAYS},
    {TABLE_LENGTH, 5, ALWAYS},
};
// SQLPrimaryKeys and SQLStatistics.
constexpr CheckRow ONE_TABLE[] = {
    {NULL_CATALOG, 0, ALWAYS},   {NULL_SCHEMA, 1, ALWAYS},   {NULL_TABLE, 2, ALWAYS},
    {CATALOG_LENGTH, 0, ALWAYS}, {SCHEMA_LENGTH, 1, ALWAYS}, {TABLE_LENGTH, 2, ALWAYS},
};
constexpr CheckRow SPECIAL_COLUMNS[] = {
    {NULL_CATALOG, 1, ALWAYS},   {NULL_SCHEMA, 2, ALWAYS},   {NULL_TABLE, 3, ALWAYS},
    {CATALOG_LENGTH, 1, ALWAYS}, {SCHEMA_LENGTH, 2, ALWAYS}, {TABLE_LENGTH, 3, ALWAYS},
};
constexpr CheckRow PROCEDURES[] = {
    {NULL_CATALOG, 0, ALWAYS},   {NULL_SCHEMA, 1, ALWAYS},   {NULL_PROCEDURE, 2, ALWAYS},
    {CATALOG_LENGTH, 0, ALWAYS}, {SCHEMA_LENGTH, 1, ALWAYS}, {PROCEDURE_LENGTH, 2, ALWAYS},
};
constexpr CheckRow PROCEDURE_COLUMNS[] = {
    {NULL_CATALOG, 0, ALWAYS},   {NULL_SCHEMA, 1, ALWAYS},   {NULL_PROCEDURE, 2, ALWAYS},   {NULL_COLUMN, 3, ALWAYS},
    {CATALOG_LENGTH, 0, ALWAYS}, {SCHEMA_LENGTH, 1, ALWAYS}, {PROCEDURE_LENGTH, 2, ALWAYS}, {COLUMN_LENGTH, 3, ALWAYS},
};
// The argument checks by catalog function id.
constexpr CheckList ARGUMENT_CHECKS[] = {
    List(TABLES),    List(TABLES),          List(TABLES),     List(TABLES),     List(TABLES),
    List(COLUMNS),   List(COLUMN_PRIVILEGES), List(FOREIGN_KEYS), List(ONE_TABLE), List(SPECIAL_COLUMNS),
    List(ONE_TABLE), List(PROCEDURES),      List(PROCEDURE_COLUMNS), {nullptr, 0},
};

constexpr CheckRow FEATURES[] = {{CATALOG_SUPPORTED, 0, ALWAYS}, {SCHEMA_SUPPORTED, 1, ALWAYS}, {BOOKMARK, 0, ALWAYS}};
constexpr CheckRow FOREIGN_KEY_FEATURES[] = {
    {CATALOG_SUPPORTED, 0, ALWAYS}, {SCHEMA_SUPPORTED, 1, ALWAYS}, {CATALOG_SUPPORTED, 3, ALWAYS},
    {SCHEMA_SUPPORTED, 4, ALWAYS},  {BOOKMARK, 0, ALWAYS},
};
constexpr CheckRow SPECIAL_COLUMN_FEATURES[] = {
    {CATALOG_SUPPORTED, 1, ALWAYS}, {SCHEMA_SUPPORTED, 2, ALWAYS}, {BOOKMARK, 0, ALWAYS}};
constexpr CheckRow TYPE_INFO_FEATURES[] = {{BOOKMARK, 0, ALWAYS}};

// The feature checks by catalog function id.
constexpr CheckList FEATURE_CHECKS[] = {
    List(FEATURES), List(FEATURES), List(FEATURES), List(FEATURES),
    List(FEATURES), List(FEATURES), List(FEATURES), List(FOREIGN_KEY_FEATURES),
    List(FEATURES), List(SPECIAL_COLUMN_FEATURES), List(FEATURES), List(FEATURES),
    List(FEATURES), List(TYPE_INFO_FEATURES),
};

static_assert(sizeof(ARGUMENT_CHECKS) / sizeof(ARGUMENT_CHECKS[0]) == 14, "catalog function ids 0 to 13");
static_assert(sizeof(FEATURE_CHECKS) / sizeof(FEATURE_CHECKS[0]) == 14, "catalog function ids 0 to 13");

const CheckList& FindList(const CheckList (&in_lists)[14], int32_t in_functionId)
{
    if (in_functionId < 0 || in_functionId > 13)
    {
        throw ODBCInternalException(u"InvalidCatalogFuncID");
    }
    return in_lists[in_functionId];
}

/// The argument at in_position; a missing one counts as null.
const Variant& Argument(const std::vector<Variant>& in_arguments, size_t in_position)
{
    static const Variant NONE;
    return in_position < in_arguments.size() ? in_arguments[in_position] : NONE;
}

bool IsNull(const Variant& in_argument)
{
    return in_argument.IsNull() || in_argument.GetWString().IsNull();
}

/// A number of the information tables, whatever integer width its holder keeps; 0 for none.
uint64_t ReadNumber(const AttributeData* in_value)
{
    if (in_value == nullptr)
    {
        return 0;
    }
    switch (in_value->GetAttributeType())
    {
    case ATTR_UINT16:
        return in_value->GetUInt16Value();
    case ATTR_INT16:
    case ATTR_INT32:
        return static_cast<uint64_t>(in_value->GetInt32Value());
    case ATTR_UINT32:
    case ATTR_UINT_NATIVE:
        return in_value->GetUIntNativeValue();
    case ATTR_INT_NATIVE:
        return static_cast<uint64_t>(in_value->GetIntNativeValue());
    default:
        return 0;
    }
}

ErrorException CatalogException(DiagState in_state, const char16_t* in_messageKey)
{
    return ErrorException(in_state, ODBC_COMPONENT_ID, in_messageKey, -1, -1);
}

} // namespace

CatalogArgs::CatalogArgs(Connection& io_connection, uint64_t in_useBookmarks, uint64_t in_cursorType)
    : m_connection(io_connection),
      m_useBookmarks(in_useBookmarks),
      m_cursorType(in_cursorType)
{
}

void CatalogArgs::CheckArguments(int32_t in_functionId, const std::vector<Variant>& in_arguments, bool in_isMetadataId)
{
    const CheckList& list = FindList(ARGUMENT_CHECKS, in_functionId);
    for (size_t i = 0; i < list.m_count; ++i)
    {
        const CheckRow& row = list.m_rows[i];
        if ((row.m_when == IDENTIFIERS && !in_isMetadataId) || (row.m_when == PATTERNS && in_isMetadataId))
        {
            continue;
        }
        const Variant& argument = Argument(in_arguments, row.m_position);
        switch (row.m_check)
        {
        case NULL_CATALOG:
            CheckNullCatalogName(argument, in_isMetadataId);
            break;
        case NULL_SCHEMA:
            CheckNullSchemaName(argument, in_isMetadataId);
            break;
        case NULL_TABLE:
            CheckNullTableName(argument);
            break;
        case NULL_TABLES:
            CheckNullTableName(Argument(in_arguments, 2), Argument(in_arguments, 5));
            break;
        case NULL_COLUMN:
            CheckNullColumnName(argument, in_isMetadataId);
            break;
        case NULL_PROCEDURE:
            CheckNullProcName(argument, in_isMetadataId);
            break;
        case CATALOG_LENGTH:
            CheckCatalogNameLength(argument);
            break;
        case SCHEMA_LENGTH:
            CheckSchemaNameLength(argument);
            break;
        case TABLE_LENGTH:
            CheckTableNameLength(argument);
            break;
        case COLUMN_LENGTH:
            CheckColumnNameLength(argument);
            break;
        case PROCEDURE_LENGTH:
            CheckProcNameLength(argument);
            break;
        default:
            break;
        }
    }
}

void CatalogArgs::CheckFunctionId(int32_t in_functionId, const std::vector<Variant>& in_arguments)
{
    const CheckList& list = FindList(FEATURE_CHECKS, in_functionId);
    for (size_t i = 0; i < list.m_count; ++i)
    {
        const CheckRow& row = list.m_rows[i];
        const Variant& argument = Argument(in_arguments, row.m_position);
        if (row.m_check == CATALOG_SUPPORTED)
        {
            CheckCatalogSupported(argument);
        }
        else if (row.m_check == SCHEMA_SUPPORTED)
        {
            CheckSchemaSupported(argument);
        }
        else
        {
            CheckBookmarkColumn();
        }
    }
}

void CatalogArgs::CheckNullCatalogName(const Variant& in_argument, bool in_isMetadataId)
{
    if (in_isMetadataId && IsNull(in_argument) && IsInfoText(SQL_CATALOG_NAME, u"Y"))
    {
        throw CatalogException(DIAG_INVALID_NULL_POINTER, u"InvalidNullCatalogName");
    }
}

void CatalogArgs::CheckNullSchemaName(const Variant& in_argument, bool in_isMetadataId)
{
    if (in_isMetadataId && IsNull(in_argument) && m_connection.GetDSIConnection().IsSchemaSupported())
    {
        throw CatalogException(DIAG_INVALID_NULL_POINTER, u"InvalidNullSchemaName");
    }
}

void CatalogArgs::CheckNullTableName(const Variant& in_argument)
{
    if (IsNull(in_argument))
    {
        throw CatalogException(DIAG_INVALID_NULL_POINTER, u"InvalidNullTableName");
    }
}

void CatalogArgs::CheckNullTableName(const Variant& in_first, const Variant& in_second)
{
    if (IsNull(in_first) && IsNull(in_second))
    {
        throw CatalogException(DIAG_INVALID_NULL_POINTER, u"InvalidNullTableName");
    }
}

void CatalogArgs::CheckNullColumnName(const Variant& in_argument, bool in_isMetadataId)
{
    if (in_isMetadataId && IsNull(in_argument))
    {
        throw CatalogException(DIAG_INVALID_NULL_POINTER, u"InvalidNullColumnName");
    }
}

void CatalogArgs::CheckNullProcName(const Variant& in_argument, bool in_isMetadataId)
{
    if (in_isMetadataId && IsNull(in_argument))
    {
        throw CatalogException(DIAG_INVALID_NULL_POINTER, u"InvalidNullProcName");
    }
}

void CatalogArgs::CheckCatalogNameLength(const Variant& in_argument)
{
    if (IsTooLong(in_argument, SQL_MAX_CATALOG_NAME_LEN))
    {
        throw CatalogException(DIAG_INVALID_STRING_OR_BUFFER_LENGTH, u"CatalogNameTooLong");
    }
}

void CatalogArgs::CheckSchemaNameLength(const Variant& in_argument)
{
    if (IsTooLong(in_argument, SQL_MAX_SCHEMA_NAME_LEN))
    {
        throw CatalogException(DIAG_INVALID_STRING_OR_BUFFER_LENGTH, u"SchemaNameTooLong");
    }
}

void CatalogArgs::CheckTableNameLength(const Variant& in_argument)
{
    if (IsTooLong(in_argument, SQL_MAX_TABLE_NAME_LEN))
    {
        throw CatalogException(DIAG_INVALID_STRING_OR_BUFFER_LENGTH, u"TableNameTooLong");
    }
}

void CatalogArgs::CheckColumnNameLength(const Variant& in_argument)
{
    if (IsTooLong(in_argument, SQL_MAX_COLUMN_NAME_LEN))
    {
        throw CatalogException(DIAG_INVALID_STRING_OR_BUFFER_LENGTH, u"ColumnNameTooLong");
    }
}

void CatalogArgs::CheckProcNameLength(const Variant& in_argument)
{
    if (IsTooLong(in_argument, SQL_MAX_PROCEDURE_NAME_LEN))
    {
        throw CatalogException(DIAG_INVALID_STRING_OR_BUFFER_LENGTH, u"ProcNameTooLong");
    }
}

bool CatalogArgs::IsTooLong(const Variant& in_argument, int32_t in_maximumInfoType)
{
    if (IsNull(in_argument))
    {
        return false;
    }
    const uint64_t maximum = ReadNumber(m_connection.GetInfoProperty(in_maximumInfoType));
    return maximum != 0 && maximum < static_cast<uint64_t>(in_argument.GetWString().GetLength());
}

void CatalogArgs::CheckCatalogSupported(const Variant& in_argument)
{
    const orvik_wstring& name = in_argument.GetWString();
    if (name.GetLength() > 0 && name != orvik_wstring(u"%") && IsInfoText(SQL_CATALOG_NAME, u"N"))
    {
        throw CatalogException(DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, u"CatalogNameNotSupported");
    }
}

void CatalogArgs::CheckSchemaSupported(const Variant& in_argument)
{
    const orvik_wstring& name = in_argument.GetWString();
    if (name.GetLength() > 0 && name != orvik_wstring(u"%") &&
        ReadNumber(m_connection.GetInfoProperty(SQL_SCHEMA_USAGE)) == 0)
    {
        throw CatalogException(DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, u"SchemaNotSupported");
    }
}

void CatalogArgs::CheckBookmarkColumn()
{
    if (m_useBookmarks == SQL_UB_VARIABLE && m_cursorType == SQL_CURSOR_FORWARD_ONLY)
    {
        throw CatalogException(DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, u"BookmarkNotSupportedForCursorType");
    }
}

bool CatalogArgs::IsInfoText(int32_t in_infoType, const char16_t* in_text)
{
    const AttributeData* value = m_connection.GetInfoProperty(in_infoType);
    return value != nullptr && value->GetAttributeType() == ATTR_WSTRING &&
           *value->GetWStringValue() == orvik_wstring(in_text);
}

orvik_wstring CatalogArgs::SubstituteCurrentCatalog(Connection& io_connection, bool in_isEscaped)
{
    const AttributeData* current = io_connection.GetAttributes().GetAttribute(SQL_ATTR_CURRENT_CATALOG);
    const orvik_wstring* text = current != nullptr ? current->GetWStringValue() : nullptr;
    if (text == nullptr || text->GetLength() == 0)
    {
        return orvik_wstring();
    }
    orvik_wstring catalog(*text);
    if (in_isEscaped)
    {
        const AttributeData* escapeValue = io_connection.GetInfoProperty(SQL_SEARCH_PATTERN_ESCAPE);
        const orvik_wstring escape = escapeValue != nullptr ? *escapeValue->GetWStringValue() : orvik_wstring(u"");
        catalog.Replace(escape, escape + escape);
        catalog.Replace(orvik_wstring(u"%"), escape + orvik_wstring(u"%"));
        catalog.Replace(orvik_wstring(u"_"), escape + orvik_wstring(u"_"));
    }
    return catalog;
}

} // namespace ODBC
} // namespace Orvik
