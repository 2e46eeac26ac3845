#include "ODBC/Info/InfoTypes.h"

#include "Support/ErrorException.h"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <iterator>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

// Every information type, by number, with the ODBC name that log lines show; where ODBC gives a
// number two names, the older one. The value type of each: S wide string, I signed 32-bit,
// H signed 16-bit, UH unsigned 16-bit, UN unsigned pointer-sized, U unsigned 32-bit.
#define ORVIK_INFO_TYPE_TABLE(ROW)                 \
    ROW(SQL_ACTIVE_CONNECTIONS, UH)                \
    ROW(SQL_ACTIVE_STATEMENTS, UH)                 \
    ROW(SQL_DATA_SOURCE_NAME, S)                   \
    ROW(SQL_DRIVER_HDBC, UN)                       \
    ROW(SQL_DRIVER_HENV, UN)                       \
    ROW(SQL_DRIVER_HSTMT, UN)                      \
    ROW(SQL_DRIVER_NAME, S)                        \
    ROW(SQL_DRIVER_VER, S)                         \
    ROW(SQL_FETCH_DIRECTION, I)                    \
    ROW(SQL_ODBC_API_CONFORMANCE, H)               \
    ROW(SQL_ODBC_VER, S)                           \
    ROW(SQL_ROW_UPDATES, S)                        \
    ROW(SQL_ODBC_SAG_CLI_CONFORMANCE, H)           \
    ROW(SQL_SERVER_NAME, S)                        \
    ROW(SQL_SEARCH_PATTERN_ESCAPE, S)              \
    ROW(SQL_ODBC_SQL_CONFORMANCE, H)               \
    ROW(SQL_DATABASE_NAME, S)                      \
    ROW(SQL_DBMS_NAME, S)                          \
    ROW(SQL_DBMS_VER, S)                           \
    ROW(SQL_ACCESSIBLE_TABLES, S)                  \
    ROW(SQL_ACCESSIBLE_PROCEDURES, S)              \
    ROW(SQL_PROCEDURES, S)                         \
    ROW(SQL_CONCAT_NULL_BEHAVIOR, UH)              \
    ROW(SQL_CURSOR_COMMIT_BEHAVIOR, UH)            \
    ROW(SQL_CURSOR_ROLLBACK_BEHAVIOR, UH)          \
    ROW(SQL_DATA_SOURCE_READ_ONLY, S)              \
    ROW(SQL_DEFAULT_TXN_ISOLATION, U)              \
    ROW(SQL_EXPRESSIONS_IN_ORDERBY, S)             \
    ROW(SQL_IDENTIFIER_CASE, UH)                   \
    ROW(SQL_IDENTIFIER_QUOTE_CHAR, S)              \
    ROW(SQL_MAX_COLUMN_NAME_LEN, UH)               \
    ROW(SQL_MAX_CURSOR_NAME_LEN, UH)               \
    ROW(SQL_MAX_SCHEMA_NAME_LEN, UH)               \
    ROW(SQL_MAX_PROCEDURE_NAME_LEN, UH)            \
    ROW(SQL_MAX_CATALOG_NAME_LEN, UH)              \
    ROW(SQL_MAX_TABLE_NAME_LEN, UH)                \
    ROW(SQL_MULT_RESULT_SETS, S)                   \
    ROW(SQL_MULTIPLE_ACTIVE_TXN, S)                \
    ROW(SQL_OUTER_JOINS, S)                        \
    ROW(SQL_OWNER_TERM, S)                         \
    ROW(SQL_PROCEDURE_TERM, S)                     \
    ROW(SQL_CATALOG_NAME_SEPARATOR, S)             \
    ROW(SQL_CATALOG_TERM, S)                       \
    ROW(SQL_SCROLL_CONCURRENCY, I)                 \
    ROW(SQL_SCROLL_OPTIONS, U)                     \
    ROW(SQL_TABLE_TERM, S)                         \
    ROW(SQL_TXN_CAPABLE, UH)                       \
    ROW(SQL_USER_NAME, S)                          \
    ROW(SQL_CONVERT_FUNCTIONS, U)                  \
    ROW(SQL_NUMERIC_FUNCTIONS, U)                  \
    ROW(SQL_STRING_FUNCTIONS, U)                   \
    ROW(SQL_SYSTEM_FUNCTIONS, U)                   \
    ROW(SQL_TIMEDATE_FUNCTIONS, U)                 \
    ROW(SQL_CONVERT_BIGINT, U)                     \
    ROW(SQL_CONVERT_BINARY, U)                     \
    ROW(SQL_CONVERT_BIT, U)                        \
    ROW(SQL_CONVERT_CHAR, U)                       \
    ROW(SQL_CONVERT_DATE, U)                       \
    ROW(SQL_CONVERT_DECIMAL, U)                    \
    ROW(SQL_CONVERT_DOUBLE, U)                     \
    ROW(SQL_CONVERT_FLOAT, U)                      \
    ROW(SQL_CONVERT_INTEGER, U)                    \
    ROW(SQL_CONVERT_LONGVARCHAR, U)                \
    ROW(SQL_CONVERT_NUMERIC, U)                    \
    ROW(SQL_CONVERT_REAL, U)                       \
    ROW(SQL_CONVERT_SMALLINT, U)                   \
    ROW(SQL_CONVERT_TIME, U)                       \
    ROW(SQL_CONVERT_TIMESTAMP, U)                  \
    ROW(SQL_CONVERT_TINYINT, U)                    \
    ROW(SQL_CONVERT_VARBINARY, U)                  \
    ROW(SQL_CONVERT_VARCHAR, U)                    \
    ROW(SQL_CONVERT_LONGVARBINARY, U)              \
    ROW(SQL_TXN_ISOLATION_OPTION, U)               \
    ROW(SQL_INTEGRITY, S)                          \
    ROW(SQL_CORRELATION_NAME, UH)                  \
    ROW(SQL_NON_NULLABLE_COLUMNS, UH)              \
    ROW(SQL_DRIVER_HLIB, UN)                       \
    ROW(SQL_DRIVER_ODBC_VER, S)                    \
    ROW(SQL_LOCK_TYPES, I)                         \
    ROW(SQL_POS_OPERATIONS, I)                     \
    ROW(SQL_POSITIONED_STATEMENTS, I)              \
    ROW(SQL_GETDATA_EXTENSIONS, U)                 \
    ROW(SQL_BOOKMARK_PERSISTENCE, U)               \
    ROW(SQL_STATIC_SENSITIVITY, I)                 \
    ROW(SQL_FILE_USAGE, UH)                        \
    ROW(SQL_NULL_COLLATION, UH)                    \
    ROW(SQL_ALTER_TABLE, I)                        \
    ROW(SQL_COLUMN_ALIAS, S)                       \
    ROW(SQL_GROUP_BY, UH)                          \
    ROW(SQL_KEYWORDS, S)                           \
    ROW(SQL_ORDER_BY_COLUMNS_IN_SELECT, S)         \
    ROW(SQL_OWNER_USAGE, U)                        \
    ROW(SQL_CATALOG_USAGE, U)                      \
    ROW(SQL_QUOTED_IDENTIFIER_CASE, UH)            \
    ROW(SQL_SPECIAL_CHARACTERS, S)                 \
    ROW(SQL_SUBQUERIES, U)                         \
    ROW(SQL_UNION, U)                              \
    ROW(SQL_MAX_COLUMNS_IN_GROUP_BY, UH)           \
    ROW(SQL_MAX_COLUMNS_IN_INDEX, UH)              \
    ROW(SQL_MAX_COLUMNS_IN_ORDER_BY, UH)           \
    ROW(SQL_MAX_COLUMNS_IN_SELECT, UH)             \
    ROW(SQL_MAX_COLUMNS_IN_TABLE, UH)              \
    ROW(SQL_MAX_INDEX_SIZE, U)                     \
    ROW(SQL_MAX_ROW_SIZE_INCLUDES_LONG, S)         \
    ROW(SQL_MAX_ROW_SIZE, U)                       \
    ROW(SQL_MAX_STATEMENT_LEN, U)                  \
    ROW(SQL_MAX_TABLES_IN_SELECT, UH)              \
    ROW(SQL_MAX_USER_NAME_LEN, UH)                 \
    ROW(SQL_MAX_CHAR_LITERAL_LEN, U)               \
    ROW(SQL_TIMEDATE_ADD_INTERVALS, U)             \
    ROW(SQL_TIMEDATE_DIFF_INTERVALS, U)            \
    ROW(SQL_NEED_LONG_DATA_LEN, S)                 \
    ROW(SQL_MAX_BINARY_LITERAL_LEN, U)             \
    ROW(SQL_LIKE_ESCAPE_CLAUSE, S)                 \
    ROW(SQL_CATALOG_LOCATION, UH)                  \
    ROW(SQL_OJ_CAPABILITIES, U)                    \
    ROW(SQL_ACTIVE_ENVIRONMENTS, UH)               \
    ROW(SQL_ALTER_DOMAIN, U)                       \
    ROW(SQL_SQL_CONFORMANCE, U)                    \
    ROW(SQL_DATETIME_LITERALS, U)                  \
    ROW(SQL_BATCH_ROW_COUNT, U)                    \
    ROW(SQL_BATCH_SUPPORT, U)                      \
    ROW(SQL_CONVERT_WCHAR, U)                      \
    ROW(SQL_CONVERT_INTERVAL_DAY_TIME, U)          \
    ROW(SQL_CONVERT_INTERVAL_YEAR_MONTH, U)        \
    ROW(SQL_CONVERT_WLONGVARCHAR, U)               \
    ROW(SQL_CONVERT_WVARCHAR, U)                   \
    ROW(SQL_CREATE_ASSERTION, U)                   \
    ROW(SQL_CREATE_CHARACTER_SET, U)               \
    ROW(SQL_CREATE_COLLATION, U)                   \
    ROW(SQL_CREATE_DOMAIN, U)                      \
    ROW(SQL_CREATE_SCHEMA, U)                      \
    ROW(SQL_CREATE_TABLE, U)                       \
    ROW(SQL_CREATE_TRANSLATION, U)                 \
    ROW(SQL_CREATE_VIEW, U)                        \
    ROW(SQL_DRIVER_HDESC, UN)                      \
    ROW(SQL_DROP_ASSERTION, U)                     \
    ROW(SQL_DROP_CHARACTER_SET, U)                 \
    ROW(SQL_DROP_COLLATION, U)                     \
    ROW(SQL_DROP_DOMAIN, U)                        \
    ROW(SQL_DROP_SCHEMA, U)                        \
    ROW(SQL_DROP_TABLE, U)                         \
    ROW(SQL_DROP_TRANSLATION, U)                   \
    ROW(SQL_DROP_VIEW, U)                          \
    ROW(SQL_DYNAMIC_CURSOR_ATTRIBUTES1, U)         \
    ROW(SQL_DYNAMIC_CURSOR_ATTRIBUTES2, U)         \
    ROW(SQL_FORWARD_ONLY_CURSOR_ATTRIBUTES1, U)    \
    ROW(SQL_FORWARD_ONLY_CURSOR_ATTRIBUTES2, U)    \
    ROW(SQL_INDEX_KEYWORDS, U)                     \
    ROW(SQL_INFO_SCHEMA_VIEWS, U)                  \
    ROW(SQL_KEYSET_CURSOR_ATTRIBUTES1, U)          \
    ROW(SQL_KEYSET_CURSOR_ATTRIBUTES2, U)          \
    ROW(SQL_ODBC_INTERFACE_CONFORMANCE, U)         \
    ROW(SQL_PARAM_ARRAY_ROW_COUNTS, U)             \
    ROW(SQL_PARAM_ARRAY_SELECTS, U)                \
    ROW(SQL_SQL92_DATETIME_FUNCTIONS, U)           \
    ROW(SQL_SQL92_FOREIGN_KEY_DELETE_RULE, U)      \
    ROW(SQL_SQL92_FOREIGN_KEY_UPDATE_RULE, U)      \
    ROW(SQL_SQL92_GRANT, U)                        \
    ROW(SQL_SQL92_NUMERIC_VALUE_FUNCTIONS, U)      \
    ROW(SQL_SQL92_PREDICATES, U)                   \
    ROW(SQL_SQL92_RELATIONAL_JOIN_OPERATORS, U)    \
    ROW(SQL_SQL92_REVOKE, U)                       \
    ROW(SQL_SQL92_ROW_VALUE_CONSTRUCTOR, U)        \
    ROW(SQL_SQL92_STRING_FUNCTIONS, U)             \
    ROW(SQL_SQL92_VALUE_EXPRESSIONS, U)            \
    ROW(SQL_STANDARD_CLI_CONFORMANCE, U)           \
    ROW(SQL_STATIC_CURSOR_ATTRIBUTES1, U)          \
    ROW(SQL_STATIC_CURSOR_ATTRIBUTES2, U)          \
    ROW(SQL_AGGREGATE_FUNCTIONS, U)                \
    ROW(SQL_DDL_INDEX, U)                          \
    ROW(SQL_DM_VER, S)                             \
    ROW(SQL_INSERT_STATEMENT, U)                   \
    ROW(SQL_CONVERT_GUID, U)                       \
    ROW(SQL_XOPEN_CLI_YEAR, S)                     \
    ROW(SQL_CURSOR_SENSITIVITY, U)                 \
    ROW(SQL_DESCRIBE_PARAMETER, S)                 \
    ROW(SQL_CATALOG_NAME, S)                       \
    ROW(SQL_COLLATION_SEQ, S)                      \
    ROW(SQL_MAX_IDENTIFIER_LEN, UH)                \
    ROW(SQL_ASYNC_MODE, U)                         \
    ROW(SQL_MAX_ASYNC_CONCURRENT_STATEMENTS, U)    \
    ROW(SQL_ASYNC_DBC_FUNCTIONS, U)

struct InfoTypeRow
{
    int32_t m_infoType;
    AttributeType m_kind;
    const char* m_name;
};

constexpr AttributeType S = ATTR_WSTRING;
constexpr AttributeType I = ATTR_INT32;
constexpr AttributeType H = ATTR_INT16;
constexpr AttributeType UH = ATTR_UINT16;
constexpr AttributeType UN = ATTR_UINT_NATIVE;
constexpr AttributeType U = ATTR_UINT32;

constexpr InfoTypeRow ROWS[] = {
#define ORVIK_INFO_TYPE_ROW(name, kind) {name, kind, #name},
    ORVIK_INFO_TYPE_TABLE(ORVIK_INFO_TYPE_ROW)
#undef ORVIK_INFO_TYPE_ROW
};

constexpr bool IsAscending()
{
    for (size_t i = 1; i < std::size(ROWS); ++i)
    {
        if (ROWS[i - 1].m_infoType >= ROWS[i].m_infoType)
        {
            return false;
        }
    }
    return true;
}

static_assert(IsAscending(), "the information types are listed once each, in ascending order");
static_assert(std::size(ROWS) == 174 + 9, "0 to 173, 10000 to 10005 and 10021 to 10023");

const InfoTypeRow* Find(int32_t in_infoType)
{
    const InfoTypeRow* row = std::lower_bound(std::begin(ROWS), std::end(ROWS), in_infoType,
                                              [](const InfoTypeRow& in_row, int32_t in_type) {
                                                  return in_row.m_infoType < in_type;
                                              });
    return row != std::end(ROWS) && row->m_infoType == in_infoType ? row : nullptr;
}

} // namespace

AttributeType InfoTypes::GetInfoValueKind(int32_t in_infoType)
{
    const InfoTypeRow* row = Find(in_infoType);
    if (row == nullptr)
    {
        throw ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"InvalidGetInfoField", -1, -1);
    }
    return row->m_kind;
}

const char* InfoTypes::GetName(int32_t in_infoType)
{
    const InfoTypeRow* row = Find(in_infoType);
    return row != nullptr ? row->m_name : "Unknown InfoType";
}

} // namespace ODBC
} // namespace Orvik
