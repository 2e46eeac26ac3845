#pragma once

#include <cstdint>

namespace Orvik {
namespace DSI {

/// The numbered properties of a data-store connection, one a row: the key's name, its number and
/// the default that a new connection stores. The ODBC layer answers SQLGetInfo and the data-store
/// side of the connection attributes from them; the names follow the information type or
/// attribute that maps onto each key (CURRENT_CATALOG serves SQL_DATABASE_NAME as well).
/// TEXT rows hold wide text; NUMBER rows an AttributeData of the named type (UINT_NATIVE: pointer
/// sized); HELPER rows get their default from a capability helper of DSIConnection. Bit masks are
/// in hexadecimal.
#define ORVIK_CONNECTION_PROPERTY_TABLE(TEXT, NUMBER, HELPER)             \
    TEXT(CONN_PROP_ACCESSIBLE_PROCEDURES, 1, u"Y")                        \
    TEXT(CONN_PROP_ACCESSIBLE_TABLES, 2, u"Y")                            \
    NUMBER(CONN_PROP_UNUSED_3, 3, UINT16, 0)                              \
    NUMBER(CONN_PROP_AGGREGATE_FUNCTIONS, 4, UINT32, 127)                 \
    NUMBER(CONN_PROP_ALTER_DOMAIN, 5, UINT32, 1)                          \
    NUMBER(CONN_PROP_ALTER_TABLE, 6, UINT32, 0x100)                       \
    NUMBER(CONN_PROP_BOOKMARK_PERSISTENCE, 7, UINT32, 0)                  \
    NUMBER(CONN_PROP_CATALOG_LOCATION, 8, UINT16, 1)                      \
    HELPER(CONN_PROP_CATALOG_NAME, 9)                                     \
    TEXT(CONN_PROP_CATALOG_NAME_SEPARATOR, 10, u".")                      \
    HELPER(CONN_PROP_CATALOG_TERM, 11)                                    \
    HELPER(CONN_PROP_CATALOG_USAGE, 12)                                   \
    TEXT(CONN_PROP_COLLATION_SEQ, 13, u"")                                \
    TEXT(CONN_PROP_COLUMN_ALIAS, 14, u"Y")                                \
    NUMBER(CONN_PROP_CONCAT_NULL_BEHAVIOR, 15, UINT16, 0)                 \
    HELPER(CONN_PROP_ACCESS_MODE, 16)                                     \
    NUMBER(CONN_PROP_ANSI_APP, 17, INT32, 0)                              \
    NUMBER(CONN_PROP_AUTO_IPD, 18, UINT32, 1)                             \
    NUMBER(CONN_PROP_AUTOCOMMIT, 19, UINT32, 1)                           \
    NUMBER(CONN_PROP_CONNECTION_DEAD, 20, UINT32, 0)                      \
    NUMBER(CONN_PROP_CONNECTION_TIMEOUT, 21, UINT32, 0)                   \
    TEXT(CONN_PROP_CURRENT_CATALOG, 22, u"")                              \
    NUMBER(CONN_PROP_LOGIN_TIMEOUT, 23, UINT32, 0)                        \
    NUMBER(CONN_PROP_PACKET_SIZE, 24, UINT32, 0x1000)                     \
    NUMBER(CONN_PROP_QUIET_MODE, 25, UINT_NATIVE, 0)                      \
    NUMBER(CONN_PROP_TXN_ISOLATION, 26, UINT32, 1)                        \
    NUMBER(CONN_PROP_CONVERT_FUNCTIONS, 27, UINT32, 3)                    \
    NUMBER(CONN_PROP_CORRELATION_NAME, 28, UINT16, 2)                     \
    NUMBER(CONN_PROP_CREATE_ASSERTION, 29, UINT32, 0)                     \
    NUMBER(CONN_PROP_CREATE_CHARACTER_SET, 30, UINT32, 0)                 \
    NUMBER(CONN_PROP_CREATE_COLLATION, 31, UINT32, 0)                     \
    NUMBER(CONN_PROP_CREATE_DOMAIN, 32, UINT32, 0)                        \
    NUMBER(CONN_PROP_CREATE_SCHEMA, 33, UINT32, 0)                        \
    NUMBER(CONN_PROP_CREATE_TABLE, 34, UINT32, 0)                         \
    NUMBER(CONN_PROP_CREATE_TRANSLATION, 35, UINT32, 0)                   \
    NUMBER(CONN_PROP_CREATE_VIEW, 36, UINT32, 0)                          \
    NUMBER(CONN_PROP_CURSOR_COMMIT_BEHAVIOR, 37, UINT16, 1)               \
    NUMBER(CONN_PROP_CURSOR_ROLLBACK_BEHAVIOR, 38, UINT16, 1)             \
    NUMBER(CONN_PROP_CURSOR_SENSITIVITY, 39, UINT_NATIVE, 0)              \
    HELPER(CONN_PROP_DATA_SOURCE_READ_ONLY, 40)                           \
    TEXT(CONN_PROP_DBMS_NAME, 41, u"TEXT")                                \
    TEXT(CONN_PROP_DBMS_VER, 42, u"00.00.0000")                           \
    NUMBER(CONN_PROP_DATETIME_LITERALS, 43, UINT32, 0xFFFF)               \
    NUMBER(CONN_PROP_DDL_INDEX, 44, UINT32, 0)                            \
    NUMBER(CONN_PROP_DEFAULT_TXN_ISOLATION, 45, UINT32, 1)                \
    TEXT(CONN_PROP_DESCRIBE_PARAMETER, 46, u"Y")                          \
    NUMBER(CONN_PROP_DROP_ASSERTION, 47, UINT32, 0)                       \
    NUMBER(CONN_PROP_DROP_CHARACTER_SET, 48, UINT32, 0)                   \
    NUMBER(CONN_PROP_DROP_COLLATION, 49, UINT32, 0)                       \
    NUMBER(CONN_PROP_DROP_DOMAIN, 50, UINT32, 0)                          \
    NUMBER(CONN_PROP_DROP_SCHEMA, 51, UINT32, 0)                          \
    NUMBER(CONN_PROP_DROP_TABLE, 52, UINT32, 0)                           \
    NUMBER(CONN_PROP_DROP_TRANSLATION, 53, UINT32, 0)                     \
    NUMBER(CONN_PROP_DROP_VIEW, 54, UINT32, 0)                            \
    TEXT(CONN_PROP_EXPRESSIONS_IN_ORDERBY, 55, u"Y")                      \
    NUMBER(CONN_PROP_GROUP_BY, 56, UINT16, 2)                             \
    NUMBER(CONN_PROP_IDENTIFIER_CASE, 57, UINT16, 4)                      \
    TEXT(CONN_PROP_IDENTIFIER_QUOTE_CHAR, 58, u"\"")                      \
    NUMBER(CONN_PROP_INDEX_KEYWORDS, 59, UINT32, 0)                       \
    NUMBER(CONN_PROP_INSERT_STATEMENT, 60, UINT32, 7)                     \
    TEXT(CONN_PROP_INTEGRITY, 61, u"N")                                   \
    TEXT(CONN_PROP_KEYWORDS, 62, u"")                                     \
    TEXT(CONN_PROP_LIKE_ESCAPE_CLAUSE, 63, u"Y")                          \
    NUMBER(CONN_PROP_MAX_ASYNC_CONCURRENT_STATEMENTS, 64, UINT32, 0)      \
    NUMBER(CONN_PROP_MAX_BINARY_LITERAL_LEN, 65, UINT32, 0)               \
    NUMBER(CONN_PROP_MAX_CATALOG_NAME_LEN, 66, UINT16, 0)                 \
    NUMBER(CONN_PROP_MAX_CHAR_LITERAL_LEN, 67, UINT32, 0)                 \
    NUMBER(CONN_PROP_MAX_COLUMN_NAME_LEN, 68, UINT16, 0)                  \
    NUMBER(CONN_PROP_MAX_COLUMNS_IN_GROUP_BY, 69, UINT16, 0)              \
    NUMBER(CONN_PROP_MAX_COLUMNS_IN_INDEX, 70, UINT16, 0)                 \
    NUMBER(CONN_PROP_MAX_COLUMNS_IN_ORDER_BY, 71, UINT16, 0)              \
    NUMBER(CONN_PROP_MAX_COLUMNS_IN_SELECT, 72, UINT16, 0)                \
    NUMBER(CONN_PROP_MAX_COLUMNS_IN_TABLE, 73, UINT16, 0)                 \
    NUMBER(CONN_PROP_MAX_CONCURRENT_ACTIVITIES, 74, UINT16, 0)            \
    NUMBER(CONN_PROP_MAX_CURSOR_NAME_LEN, 75, UINT16, 0)                  \
    NUMBER(CONN_PROP_MAX_IDENTIFIER_LEN, 76, UINT16, 255)                 \
    NUMBER(CONN_PROP_MAX_INDEX_SIZE, 77, UINT32, 0)                       \
    NUMBER(CONN_PROP_MAX_PROCEDURE_NAME_LEN, 78, UINT16, 0)               \
    NUMBER(CONN_PROP_MAX_ROW_SIZE, 79, UINT32, 0)                         \
    TEXT(CONN_PROP_MAX_ROW_SIZE_INCLUDES_LONG, 80, u"N")                  \
    HELPER(CONN_PROP_MAX_SCHEMA_NAME_LEN, 81)                             \
    NUMBER(CONN_PROP_MAX_STATEMENT_LEN, 82, UINT32, 0)                    \
    NUMBER(CONN_PROP_MAX_TABLE_NAME_LEN, 83, UINT16, 0)                   \
    NUMBER(CONN_PROP_MAX_TABLES_IN_SELECT, 84, UINT16, 0)                 \
    NUMBER(CONN_PROP_MAX_USER_NAME_LEN, 85, UINT16, 0)                    \
    TEXT(CONN_PROP_MULT_RESULT_SETS, 86, u"N")                            \
    TEXT(CONN_PROP_MULTIPLE_ACTIVE_TXN, 87, u"Y")                         \
    NUMBER(CONN_PROP_NON_NULLABLE_COLUMNS, 88, UINT16, 0)                 \
    NUMBER(CONN_PROP_NULL_COLLATION, 89, UINT16, 1)                       \
    NUMBER(CONN_PROP_NUMERIC_FUNCTIONS, 90, UINT32, 0xFFFFFF)             \
    NUMBER(CONN_PROP_ODBC_SQL_CONFORMANCE, 91, INT16, 1)                  \
    NUMBER(CONN_PROP_OJ_CAPABILITIES, 92, UINT32, 127)                    \
    TEXT(CONN_PROP_ORDER_BY_COLUMNS_IN_SELECT, 93, u"N")                  \
    TEXT(CONN_PROP_OUTER_JOINS, 94, u"Y")                                 \
    NUMBER(CONN_PROP_PARAM_ARRAY_ROW_COUNTS, 95, UINT32, 1)               \
    HELPER(CONN_PROP_PROCEDURE_TERM, 96)                                  \
    HELPER(CONN_PROP_PROCEDURES, 97)                                      \
    NUMBER(CONN_PROP_QUOTED_IDENTIFIER_CASE, 98, UINT16, 3)               \
    HELPER(CONN_PROP_SCHEMA_TERM, 99)                                     \
    HELPER(CONN_PROP_SCHEMA_USAGE, 100)                                   \
    TEXT(CONN_PROP_SERVER_NAME, 101, u"")                                 \
    TEXT(CONN_PROP_SPECIAL_CHARACTERS, 102, u"")                          \
    NUMBER(CONN_PROP_SQL_CONFORMANCE, 103, UINT32, 1)                     \
    NUMBER(CONN_PROP_STRING_FUNCTIONS, 104, UINT32, 0x77FFF)              \
    NUMBER(CONN_PROP_SUBQUERIES, 105, UINT32, 31)                         \
    NUMBER(CONN_PROP_CONVERT_BIGINT, 106, UINT32, 0xF87FFF)               \
    NUMBER(CONN_PROP_CONVERT_BINARY, 107, UINT32, 0xE40F01)               \
    NUMBER(CONN_PROP_CONVERT_BIT, 108, UINT32, 0xE47FFF)                  \
    NUMBER(CONN_PROP_CONVERT_CHAR, 109, UINT32, 0x1FFFFFF)                \
    NUMBER(CONN_PROP_CONVERT_GUID, 110, UINT32, 0x1E00F01)                \
    NUMBER(CONN_PROP_CONVERT_DATE, 111, UINT32, 0xE28F01)                 \
    NUMBER(CONN_PROP_CONVERT_DECIMAL, 112, UINT32, 0xF863FF)              \
    NUMBER(CONN_PROP_CONVERT_DOUBLE, 113, UINT32, 0xF87FFF)               \
    NUMBER(CONN_PROP_CONVERT_FLOAT, 114, UINT32, 0xF87FFF)                \
    NUMBER(CONN_PROP_CONVERT_INTEGER, 115, UINT32, 0xF87FFF)              \
    NUMBER(CONN_PROP_CONVERT_INTERVAL_YEAR_MONTH, 116, UINT32, 0xE86F1F)  \
    NUMBER(CONN_PROP_CONVERT_INTERVAL_DAY_TIME, 117, UINT32, 0xF06F1F)    \
    NUMBER(CONN_PROP_CONVERT_LONGVARBINARY, 118, UINT32, 0xE40F01)        \
    NUMBER(CONN_PROP_CONVERT_LONGVARCHAR, 119, UINT32, 0x1FBF3FF)         \
    NUMBER(CONN_PROP_CONVERT_NUMERIC, 120, UINT32, 0xF863FF)              \
    NUMBER(CONN_PROP_CONVERT_REAL, 121, UINT32, 0xF87FFF)                 \
    NUMBER(CONN_PROP_CONVERT_SMALLINT, 122, UINT32, 0xF87FFF)             \
    NUMBER(CONN_PROP_CONVERT_TIME, 123, UINT32, 0xE30F01)                 \
    NUMBER(CONN_PROP_CONVERT_TIMESTAMP, 124, UINT32, 0xE38F01)            \
    NUMBER(CONN_PROP_CONVERT_TINYINT, 125, UINT32, 0xF87FFF)              \
    NUMBER(CONN_PROP_CONVERT_VARBINARY, 126, UINT32, 0xE40F01)            \
    NUMBER(CONN_PROP_CONVERT_VARCHAR, 127, UINT32, 0x1FFFFFF)             \
    NUMBER(CONN_PROP_CONVERT_WCHAR, 128, UINT32, 0x1FFFFFF)               \
    NUMBER(CONN_PROP_CONVERT_WLONGVARCHAR, 129, UINT32, 0x1FBF3FF)        \
    NUMBER(CONN_PROP_CONVERT_WVARCHAR, 130, UINT32, 0x1FFFFFF)            \
    NUMBER(CONN_PROP_SYSTEM_FUNCTIONS, 131, UINT32, 7)                    \
    TEXT(CONN_PROP_TABLE_TERM, 132, u"table")                             \
    NUMBER(CONN_PROP_TIMEDATE_ADD_INTERVALS, 133, UINT32, 0x1FF)          \
    NUMBER(CONN_PROP_TIMEDATE_DIFF_INTERVALS, 134, UINT32, 0x1FF)         \
    NUMBER(CONN_PROP_TIMEDATE_FUNCTIONS, 135, UINT32, 0xFFFFF)            \
    NUMBER(CONN_PROP_TXN_CAPABLE, 136, UINT16, 0)                         \
    NUMBER(CONN_PROP_TXN_ISOLATION_OPTION, 137, UINT32, 1)                \
    NUMBER(CONN_PROP_UNION, 138, UINT32, 3)                               \
    TEXT(CONN_PROP_USER_NAME, 139, u"")                                   \
    NUMBER(CONN_PROP_BATCH_ROW_COUNT, 140, UINT32, 0)                     \
    NUMBER(CONN_PROP_BATCH_SUPPORT, 141, UINT32, 0)                       \
    NUMBER(CONN_PROP_DYNAMIC_CURSOR_ATTRIBUTES1, 142, UINT32, 0)          \
    NUMBER(CONN_PROP_DYNAMIC_CURSOR_ATTRIBUTES2, 143, UINT32, 0)          \
    NUMBER(CONN_PROP_FORWARD_ONLY_CURSOR_ATTRIBUTES1, 144, UINT32, 0)     \
    NUMBER(CONN_PROP_FORWARD_ONLY_CURSOR_ATTRIBUTES2, 145, UINT32, 0)     \
    NUMBER(CONN_PROP_INFO_SCHEMA_VIEWS, 146, UINT32, 0)                   \
    NUMBER(CONN_PROP_KEYSET_CURSOR_ATTRIBUTES1, 147, UINT32, 0)           \
    NUMBER(CONN_PROP_KEYSET_CURSOR_ATTRIBUTES2, 148, UINT32, 0)           \
    NUMBER(CONN_PROP_PARAM_ARRAY_SELECTS, 149, UINT32, 3)                 \
    TEXT(CONN_PROP_ROW_UPDATES, 150, u"N")                                \
    TEXT(CONN_PROP_SEARCH_PATTERN_ESCAPE, 151, u"\\")                     \
    NUMBER(CONN_PROP_STATIC_CURSOR_ATTRIBUTES1, 152, UINT32, 0)           \
    NUMBER(CONN_PROP_STATIC_CURSOR_ATTRIBUTES2, 153, UINT32, 0)           \
    NUMBER(CONN_PROP_SQL92_DATETIME_FUNCTIONS, 154, UINT32, 7)            \
    NUMBER(CONN_PROP_SQL92_FOREIGN_KEY_DELETE_RULE, 155, UINT32, 0)       \
    NUMBER(CONN_PROP_SQL92_FOREIGN_KEY_UPDATE_RULE, 156, UINT32, 0)       \
    NUMBER(CONN_PROP_SQL92_NUMERIC_VALUE_FUNCTIONS, 157, UINT32, 0)       \
    NUMBER(CONN_PROP_SQL92_PREDICATES, 158, UINT32, 0x3F07)               \
    NUMBER(CONN_PROP_SQL92_GRANT, 159, UINT32, 16)                        \
    NUMBER(CONN_PROP_SQL92_RELATIONAL_JOIN_OPERATORS, 160, UINT32, 0x15A) \
    NUMBER(CONN_PROP_SQL92_REVOKE, 161, UINT32, 16)                       \
    NUMBER(CONN_PROP_SQL92_ROW_VALUE_CONSTRUCTOR, 162, UINT32, 15)        \
    NUMBER(CONN_PROP_SQL92_STRING_FUNCTIONS, 163, UINT32, 6)              \
    NUMBER(CONN_PROP_SQL92_VALUE_EXPRESSIONS, 164, UINT32, 13)            \
    NUMBER(CONN_PROP_UNUSED_165, 165, UINT32, 0)                         

enum ConnectionPropertyKey : int32_t
{
#define ORVIK_CONNECTION_PROPERTY_TEXT_KEY(name, key, value) name = key,
#define ORVIK_CONNECTION_PROPERTY_NUMBER_KEY(name, key, type, value) name = key,
#define ORVIK_CONNECTION_PROPERTY_HELPER_KEY(name, key) name = key,
    ORVIK_CONNECTION_PROPERTY_TABLE(ORVIK_CONNECTION_PROPERTY_TEXT_KEY,
                                    ORVIK_CONNECTION_PROPERTY_NUMBER_KEY,
                                    ORVIK_CONNECTION_PROPERTY_HELPER_KEY)
#undef ORVIK_CONNECTION_PROPERTY_TEXT_KEY
#undef ORVIK_CONNECTION_PROPERTY_NUMBER_KEY
#undef ORVIK_CONNECTION_PROPERTY_HELPER_KEY
};

/// The number of connection properties; their keys run from 1 to this.
constexpr int32_t CONNECTION_PROPERTY_COUNT = 165;

} // namespace DSI
} // namespace Orvik
