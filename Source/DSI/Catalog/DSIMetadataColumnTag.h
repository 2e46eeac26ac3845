#pragma once

#include <cstdint>

namespace Orvik {
namespace DSI {

/// Every catalog column, one a row in tag order: tag, name of the enumerator, ODBC name, OLE DB
/// schema-rowset name, ODBC SQL type, signedness, column length, nullability. A length is a number
/// of characters, NO_LENGTH, or one of the name lengths that the connection's maximum-length
/// properties give. A few names depend on the table; DSIMetadataColumnFactory applies those rules.
// clang-format off
#define ORVIK_METADATA_COLUMN_TABLE(ROW)                                                                                     \
    ROW(0,   TABLE_CAT,                     "TABLE_CAT",                     "TABLE_CATALOG",                 SQL_WVARCHAR,       SIGNED,   CATALOG_NAME_LENGTH,   NULLABLE) \
    ROW(1,   TABLE_SCHEM,                   "TABLE_SCHEM",                   "TABLE_SCHEMA",                  SQL_WVARCHAR,       SIGNED,   SCHEMA_NAME_LENGTH,    NULLABLE) \
    ROW(2,   TABLE_NAME,                    "TABLE_NAME",                    "TABLE_NAME",                    SQL_WVARCHAR,       SIGNED,   TABLE_NAME_LENGTH,     NULLABLE) \
    ROW(3,   TABLE_TYPE,                    "TABLE_TYPE",                    "TABLE_TYPE",                    SQL_WVARCHAR,       SIGNED,   32,                    NULLABLE) \
    ROW(4,   REMARKS,                       "REMARKS",                       "DESCRIPTION",                   SQL_WVARCHAR,       SIGNED,   254,                   NULLABLE) \
    ROW(5,   PROCEDURE_NAME,                "PROCEDURE_NAME",                "PROCEDURE_NAME",                SQL_WVARCHAR,       SIGNED,   PROCEDURE_NAME_LENGTH, NO_NULLS) \
    ROW(6,   NUM_INPUT_PARAMS,              "NUM_INPUT_PARAMS",              "NUM_INPUT_PARAMS",              SQL_INTEGER,        SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(7,   NUM_OUTPUT_PARAMS,             "NUM_OUTPUT_PARAMS",             "NUM_OUTPUT_PARAMS",             SQL_INTEGER,        SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(8,   NUM_RESULT_SETS,               "NUM_RESULT_SETS",               "NUM_RESULT_SETS",               SQL_INTEGER,        SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(9,   PROCEDURE_TYPE,                "PROCEDURE_TYPE",                "PROCEDURE_TYPE",                SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(10,  COLUMN_NAME,                   "COLUMN_NAME",                   "COLUMN_NAME",                   SQL_WVARCHAR,       SIGNED,   COLUMN_NAME_LENGTH,    NO_NULLS) \
    ROW(11,  GRANTOR,                       "GRANTOR",                       "GRANTOR",                       SQL_WVARCHAR,       SIGNED,   USER_NAME_LENGTH,      NULLABLE) \
    ROW(12,  GRANTEE,                       "GRANTEE",                       "GRANTEE",                       SQL_WVARCHAR,       SIGNED,   USER_NAME_LENGTH,      NO_NULLS) \
    ROW(13,  PRIVILEGE,                     "PRIVILEGE",                     "PRIVILEGE_TYPE",                SQL_WVARCHAR,       SIGNED,   32,                    NO_NULLS) \
    ROW(14,  IS_GRANTABLE,                  "IS_GRANTABLE",                  "IS_GRANTABLE",                  SQL_WVARCHAR,       SIGNED,   3,                     NULLABLE) \
    ROW(15,  DATA_TYPE,                     "DATA_TYPE",                     "DATA_TYPE",                     SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(16,  TYPE_NAME,                     "TYPE_NAME",                     "TYPE_NAME",                     SQL_WVARCHAR,       SIGNED,   128,                   NO_NULLS) \
    ROW(17,  COLUMN_SIZE,                   "COLUMN_SIZE",                   "COLUMN_SIZE",                   SQL_INTEGER,        SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(18,  BUFFER_LENGTH,                 "BUFFER_LENGTH",                 "BUFFER_LENGTH",                 SQL_INTEGER,        SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(19,  DECIMAL_DIGITS,                "DECIMAL_DIGITS",                "DECIMAL_DIGITS",                SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(20,  NUM_PREC_RADIX,                "NUM_PREC_RADIX",                "NUM_PREC_RADIX",                SQL_INTEGER,        SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(21,  NULLABLE,                      "NULLABLE",                      "NULLABLE",                      SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(22,  COLUMN_DEF,                    "COLUMN_DEF",                    "COLUMN_DEFAULT",                SQL_WVARCHAR,       SIGNED,   4000,                  NULLABLE) \
    ROW(23,  SQL_DATA_TYPE,                 "SQL_DATA_TYPE",                 "SQL_DATA_TYPE",                 SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(24,  SQL_DATETIME_SUB,              "SQL_DATETIME_SUB",              "SQL_DATETIME_SUB",              SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(25,  CHAR_OCTET_LENGTH,             "CHAR_OCTET_LENGTH",             "CHARACTER_OCTET_LENGTH",        SQL_INTEGER,        SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(26,  ORDINAL_POSITION,              "ORDINAL_POSITION",              "ORDINAL_POSITION",              SQL_INTEGER,        SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(27,  IS_NULLABLE,                   "IS_NULLABLE",                   "IS_NULLABLE",                   SQL_WVARCHAR,       SIGNED,   254,                   NULLABLE) \
    ROW(28,  COLUMN_TYPE,                   "COLUMN_TYPE",                   "COLUMN_TYPE",                   SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(29,  PKTABLE_CAT,                   "TABLE_CAT",                     "TABLE_CATALOG",                 SQL_WVARCHAR,       SIGNED,   CATALOG_NAME_LENGTH,   NULLABLE) \
    ROW(30,  PKTABLE_SCHEM,                 "TABLE_SCHEM",                   "TABLE_SCHEMA",                  SQL_WVARCHAR,       SIGNED,   SCHEMA_NAME_LENGTH,    NULLABLE) \
    ROW(31,  PKTABLE_NAME,                  "TABLE_NAME",                    "TABLE_NAME",                    SQL_WVARCHAR,       SIGNED,   TABLE_NAME_LENGTH,     NO_NULLS) \
    ROW(32,  PKCOLUMN_NAME,                 "COLUMN_NAME",                   "COLUMN_NAME",                   SQL_WVARCHAR,       SIGNED,   COLUMN_NAME_LENGTH,    NO_NULLS) \
    ROW(33,  PK_NAME,                       "PK_NAME",                       "PK_NAME",                       SQL_WVARCHAR,       SIGNED,   COLUMN_NAME_LENGTH,    NULLABLE) \
    ROW(34,  FKTABLE_CAT,                   "FKTABLE_CAT",                   "FK_TABLE_CATALOG",              SQL_WVARCHAR,       SIGNED,   CATALOG_NAME_LENGTH,   NULLABLE) \
    ROW(35,  FKTABLE_SCHEM,                 "FKTABLE_SCHEM",                 "FK_TABLE_SCHEMA",               SQL_WVARCHAR,       SIGNED,   SCHEMA_NAME_LENGTH,    NULLABLE) \
    ROW(36,  FKTABLE_NAME,                  "FKTABLE_NAME",                  "FK_TABLE_NAME",                 SQL_WVARCHAR,       SIGNED,   TABLE_NAME_LENGTH,     NO_NULLS) \
    ROW(37,  FKCOLUMN_NAME,                 "FKCOLUMN_NAME",                 "FK_COLUMN_NAME",                SQL_WVARCHAR,       SIGNED,   COLUMN_NAME_LENGTH,    NO_NULLS) \
    ROW(38,  KEY_SEQ,                       "KEY_SEQ",                       "ORDINAL",                       SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(39,  UPDATE_RULE,                   "UPDATE_RULE",                   "UPDATE_RULE",                   SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(40,  DELETE_RULE,                   "DELETE_RULE",                   "DELETE_RULE",                   SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(41,  FK_NAME,                       "FK_NAME",                       "FK_NAME",                       SQL_WVARCHAR,       SIGNED,   COLUMN_NAME_LENGTH,    NULLABLE) \
    ROW(42,  DEFERRABILITY,                 "DEFERRABILITY",                 "DEFERRABILITY",                 SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(43,  NON_UNIQUE,                    "NON_UNIQUE",                    "NON_UNIQUE",                    SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(44,  INDEX_QUALIFIER,               "INDEX_QUALIFIER",               "INDEX_QUALIFIER",               SQL_WVARCHAR,       SIGNED,   IDENTIFIER_LENGTH,     NULLABLE) \
    ROW(45,  INDEX_NAME,                    "INDEX_NAME",                    "INDEX_NAME",                    SQL_WVARCHAR,       SIGNED,   COLUMN_NAME_LENGTH,    NULLABLE) \
    ROW(46,  TYPE,                          "TYPE",                          "TYPE",                          SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(47,  ASC_OR_DESC,                   "ASC_OR_DESC",                   "ASC_OR_DESC",                   SQL_WCHAR,          SIGNED,   1,                     NULLABLE) \
    ROW(48,  CARDINALITY,                   "CARDINALITY",                   "CARDINALITY",                   SQL_INTEGER,        SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(49,  PAGES,                         "PAGES",                         "PAGES",                         SQL_INTEGER,        SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(50,  FILTER_CONDITION,              "FILTER_CONDITION",              "FILTER_CONDITION",              SQL_WVARCHAR,       SIGNED,   COLUMN_NAME_LENGTH,    NULLABLE) \
    ROW(53,  LITERAL_PREFIX,                "LITERAL_PREFIX",                "LITERAL_PREFIX",                SQL_WVARCHAR,       SIGNED,   32,                    NULLABLE) \
    ROW(54,  LITERAL_SUFFIX,                "LITERAL_SUFFIX",                "LITERAL_SUFFIX",                SQL_WVARCHAR,       SIGNED,   32,                    NULLABLE) \
    ROW(55,  CREATE_PARAMS,                 "CREATE_PARAMS",                 "CREATE_PARAMS",                 SQL_WVARCHAR,       SIGNED,   32,                    NULLABLE) \
    ROW(56,  CASE_SENSITIVE,                "CASE_SENSITIVE",                "CASE_SENSITIVE",                SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(57,  SEARCHABLE,                    "SEARCHABLE",                    "SEARCHABLE",                    SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(58,  UNSIGNED_ATTRIBUTE,            "UNSIGNED_ATTRIBUTE",            "UNSIGNED_ATTRIBUTE",            SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(59,  FIXED_PREC_SCALE,              "FIXED_PREC_SCALE",              "FIXED_PREC_SCALE",              SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(60,  AUTO_UNIQUE_VALUE,             "AUTO_UNIQUE_VALUE",             "AUTO_UNIQUE_VALUE",             SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(61,  LOCAL_TYPE_NAME,               "LOCAL_TYPE_NAME",               "LOCAL_TYPE_NAME",               SQL_WVARCHAR,       SIGNED,   128,                   NULLABLE) \
    ROW(62,  MINIMUM_SCALE,                 "MINIMUM_SCALE",                 "MINIMUM_SCALE",                 SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(63,  MAXIMUM_SCALE,                 "MAXIMUM_SCALE",                 "MAXIMUM_SCALE",                 SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(64,  INTERVAL_PRECISION,            "INTERVAL_PRECISION",            "INTERVAL_PRECISION",            SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(65,  SCOPE,                         "SCOPE",                         "SCOPE",                         SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(66,  PSEUDO_COLUMN,                 "PSEUDO_COLUMN",                 "PSEUDO_COLUMN",                 SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(71,  IS_RESULT_SET_COLUMN,          "IS RESULT SET COLUMN",          "IS RESULT SET COLUMN",          SQL_SMALLINT,       UNSIGNED, NO_LENGTH,             NO_NULLS) \
    ROW(72,  USER_DATA_TYPE,                "USER_DATA_TYPE",                "USER_DATA_TYPE",                SQL_SMALLINT,       UNSIGNED, NO_LENGTH,             NO_NULLS) \
    ROW(75,  DATE_CREATED,                  "DATE_CREATED",                  "DATE_CREATED",                  SQL_TYPE_TIMESTAMP, SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(76,  DATE_MODIFIED,                 "DATE_MODIFIED",                 "DATE_MODIFIED",                 SQL_TYPE_TIMESTAMP, SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(77,  COLUMN_HASDEFAULT,             "COLUMN_HASDEFAULT",             "COLUMN_HASDEFAULT",             SQL_BIT,            SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(78,  COLUMN_FLAGS,                  "COLUMN_FLAGS",                  "COLUMN_FLAGS",                  SQL_INTEGER,        UNSIGNED, NO_LENGTH,             NO_NULLS) \
    ROW(79,  NUMERIC_PRECISION,             "NUMERIC_PRECISION",             "NUMERIC_PRECISION",             SQL_INTEGER,        SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(80,  NUMERIC_SCALE,                 "NUMERIC_SCALE",                 "NUMERIC_SCALE",                 SQL_SMALLINT,       SIGNED,   NO_LENGTH,             NULLABLE) \
    ROW(81,  DATETIME_PRECISION,            "DATETIME_PRECISION",            "DATETIME_PRECISION",            SQL_INTEGER,        UNSIGNED, NO_LENGTH,             NULLABLE) \
    ROW(82,  CHARACTER_SET_CATALOG,         "CHARACTER_SET_CATALOG",         "CHARACTER_SET_CATALOG",         SQL_WVARCHAR,       SIGNED,   CATALOG_NAME_LENGTH,   NULLABLE) \
    ROW(83,  CHARACTER_SET_SCHEMA,          "CHARACTER_SET_SCHEMA",          "CHARACTER_SET_SCHEMA",          SQL_WVARCHAR,       SIGNED,   SCHEMA_NAME_LENGTH,    NULLABLE) \
    ROW(84,  COLLATION_CATALOG,             "COLLATION_CATALOG",             "COLLATION_CATALOG",             SQL_WVARCHAR,       SIGNED,   CATALOG_NAME_LENGTH,   NULLABLE) \
    ROW(85,  COLLATION_SCHEMA,              "COLLATION_SCHEMA",              "COLLATION_SCHEMA",              SQL_WVARCHAR,       SIGNED,   SCHEMA_NAME_LENGTH,    NULLABLE) \
    ROW(86,  COLLATION_NAME,                "COLLATION_NAME",                "COLLATION_NAME",                SQL_WVARCHAR,       SIGNED,   128,                   NULLABLE) \
    ROW(87,  DOMAIN_CATALOG,                "DOMAIN_CATALOG",                "DOMAIN_CATALOG",                SQL_WVARCHAR,       SIGNED,   CATALOG_NAME_LENGTH,   NULLABLE) \
    ROW(88,  DOMAIN_SCHEMA,                 "DOMAIN_SCHEMA",                 "DOMAIN_SCHEMA",                 SQL_WVARCHAR,       SIGNED,   SCHEMA_NAME_LENGTH,    NULLABLE) \
    ROW(89,  DOMAIN_NAME,                   "DOMAIN_NAME",                   "DOMAIN_NAME",                   SQL_WVARCHAR,       SIGNED,   128,                   NULLABLE) \
    ROW(90,  CHARACTER_SET_NAME,            "CHARACTER_SET_NAME",            "CHARACTER_SET_NAME",            SQL_WVARCHAR,       SIGNED,   128,                   NULLABLE) \
    ROW(91,  PROCEDURE_DEFINITION,          "PROCEDURE_DEFINITION",          "PROCEDURE_DEFINITION",          SQL_WVARCHAR,       SIGNED,   4000,                  NO_NULLS) \
    ROW(92,  SCHEMA_OWNER,                  "SCHEMA_OWNER",                  "SCHEMA_OWNER",                  SQL_WVARCHAR,       SIGNED,   USER_NAME_LENGTH,      NO_NULLS) \
    ROW(93,  IS_LONG,                       "IS_LONG",                       "IS_LONG",                       SQL_BIT,            SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(94,  BEST_MATCH,                    "BEST_MATCH",                    "BEST_MATCH",                    SQL_BIT,            SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(95,  IS_FIXEDLENGTH,                "IS_FIXEDLENGTH",                "IS_FIXEDLENGTH",                SQL_BIT,            SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(96,  PK_COLUMN_GUID,                "PK_COLUMN_GUID",                "PK_COLUMN_GUID",                SQL_GUID,           SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(97,  FK_COLUMN_GUID,                "FK_COLUMN_GUID",                "FK_COLUMN_GUID",                SQL_GUID,           SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(98,  TABLE_GUID,                    "TABLE_GUID",                    "TABLE_GUID",                    SQL_GUID,           SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(99,  TYPE_GUID,                     "TYPE_GUID",                     "TYPE_GUID",                     SQL_GUID,           SIGNED,   NO_LENGTH,             NO_NULLS) \
    ROW(100, COLUMN_PROPID,                 "COLUMN_PROPID",                 "COLUMN_PROPID",                 SQL_INTEGER,        UNSIGNED, NO_LENGTH,             NO_NULLS) \
    ROW(101, ROWSET_NUMBER,                 "ROWSET_NUMBER",                 "ROWSET_NUMBER",                 SQL_INTEGER,        UNSIGNED, NO_LENGTH,             NO_NULLS) \
    ROW(102, TYPELIB,                       "TYPELIB",                       "TYPELIB",                       SQL_WCHAR,          SIGNED,   128,                   NO_NULLS) \
    ROW(103, VERSION,                       "VERSION",                       "VERSION",                       SQL_WCHAR,          SIGNED,   128,                   NO_NULLS) \
    ROW(104, DEFAULT_CHARACTER_SET_CATALOG, "DEFAULT_CHARACTER_SET_CATALOG", "DEFAULT_CHARACTER_SET_CATALOG", SQL_WCHAR,          SIGNED,   CATALOG_NAME_LENGTH,   NO_NULLS) \
    ROW(105, DEFAULT_CHARACTER_SET_SCHEMA,  "DEFAULT_CHARACTER_SET_SCHEMA",  "DEFAULT_CHARACTER_SET_SCHEMA",  SQL_WCHAR,          SIGNED,   SCHEMA_NAME_LENGTH,    NO_NULLS) \
    ROW(106, DEFAULT_CHARACTER_SET_NAME,    "DEFAULT_CHARACTER_SET_NAME",    "DEFAULT_CHARACTER_SET_NAME",    SQL_WCHAR,          SIGNED,   128,                   NO_NULLS) \
    ROW(107, CHARACTER_MAXIMUM_LENGTH,      "CHARACTER_MAXIMUM_LENGTH",      "CHARACTER_MAXIMUM_LENGTH",      SQL_INTEGER,        UNSIGNED, 128,                   NULLABLE) \
    ROW(108, PK_COLUMN_PROPID,              "PK_COLUMN_PROPID",              "PK_COLUMN_PROPID",              SQL_INTEGER,        UNSIGNED, NO_LENGTH,             NO_NULLS) \
    ROW(109, FK_COLUMN_PROPID,              "FK_COLUMN_PROPID",              "FK_COLUMN_PROPID",              SQL_INTEGER,        UNSIGNED, NO_LENGTH,             NO_NULLS) \
    ROW(110, IS_NULLABLE_FLAG,              "IS_NULLABLE",                   "IS_NULLABLE",                   SQL_BIT,            SIGNED,   254,                   NULLABLE)
// clang-format on

/// The catalog column tags: the key under which a metadata source answers a column's value, and
/// by which filters and the restriction map name their columns.
enum DSIMetadataColumnTag : int32_t
{
#define ORVIK_METADATA_COLUMN_TAG_ENUMERATOR(tag, name, odbcName, oledbName, sqlType, sign, length, nullable) \
    DSI_TAG_##name = tag,
    ORVIK_METADATA_COLUMN_TABLE(ORVIK_METADATA_COLUMN_TAG_ENUMERATOR)
#undef ORVIK_METADATA_COLUMN_TAG_ENUMERATOR

    // Keys of the restriction map for catalog-function arguments that are no column.
    DSI_TAG_IDENTIFIER_TYPE = 67, ///< SQLSpecialColumns: the identifier type
    DSI_TAG_NULLABLE_OPTION = 68, ///< SQLSpecialColumns: whether nullable columns are wanted
    DSI_TAG_UNIQUE_OPTION = 69,   ///< SQLStatistics: unique indexes only, or all
    DSI_TAG_RESERVED_OPTION = 70  ///< SQLStatistics: the accuracy of CARDINALITY and PAGES
};

} // namespace DSI
} // namespace Orvik
