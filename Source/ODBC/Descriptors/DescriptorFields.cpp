#include "ODBC/Descriptors/DescriptorFields.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

namespace {

// Short names for the table's access columns.
constexpr DescriptorAccess NO = DescriptorAccess::NONE;
constexpr DescriptorAccess R = DescriptorAccess::READ;
constexpr DescriptorAccess W = DescriptorAccess::WRITE;
constexpr DescriptorAccess RW = DescriptorAccess::READ_WRITE;

// Every field, one a row: the field, its value type, whether it is a header field, and what the
// application descriptors (ARD and APD), the IPD and the IRD let the application do with it.
// ROW names the field by its constant; NAMED gives the name (null: none) of a driver-defined one.
#define ORVIK_DESCRIPTOR_FIELD_TABLE(ROW, NAMED)                                         \
    ROW(SQL_DESC_ALLOC_TYPE, INT16, true, R, R, R)                                      \
    ROW(SQL_DESC_ARRAY_SIZE, UINT64, true, RW, NO, NO)                                  \
    ROW(SQL_DESC_ARRAY_STATUS_PTR, POINTER, true, RW, RW, RW)                           \
    ROW(SQL_DESC_BIND_OFFSET_PTR, POINTER, true, RW, NO, NO)                            \
    ROW(SQL_DESC_BIND_TYPE, UINT64, true, RW, NO, NO)                                   \
    ROW(SQL_DESC_COUNT, INT16, true, RW, RW, R)                                         \
    ROW(SQL_DESC_ROWS_PROCESSED_PTR, POINTER, true, NO, RW, RW)                         \
    ROW(SQL_DESC_TYPE, INT16, false, RW, RW, R)                                         \
    ROW(SQL_DESC_CONCISE_TYPE, INT16, false, RW, RW, R)                                 \
    ROW(SQL_DESC_DATETIME_INTERVAL_CODE, INT16, false, RW, RW, R)                       \
    ROW(SQL_DESC_DATETIME_INTERVAL_PRECISION, INT32, false, RW, RW, R)                  \
    ROW(SQL_DESC_LENGTH, UINT64, false, RW, RW, R)                                      \
    ROW(SQL_DESC_OCTET_LENGTH, INT64, false, RW, RW, R)                                 \
    ROW(SQL_DESC_PRECISION, INT16, false, RW, RW, R)                                    \
    ROW(SQL_DESC_SCALE, INT16, false, RW, RW, R)                                        \
    ROW(SQL_DESC_NUM_PREC_RADIX, INT32, false, R, R, R)                                 \
    ROW(SQL_DESC_DATA_PTR, POINTER, false, RW, W, NO)                                   \
    ROW(SQL_DESC_OCTET_LENGTH_PTR, POINTER, false, RW, NO, NO)                          \
    ROW(SQL_DESC_INDICATOR_PTR, POINTER, false, RW, NO, NO)                             \
    ROW(SQL_DESC_NAME, STRING, false, NO, RW, R)                                        \
    ROW(SQL_DESC_UNNAMED, INT16, false, NO, RW, R)                                      \
    ROW(SQL_DESC_PARAMETER_TYPE, INT16, false, NO, RW, NO)                              \
    ROW(SQL_DESC_NULLABLE, INT16, false, NO, R, R)                                      \
    ROW(SQL_DESC_UNSIGNED, INT16, false, NO, R, R)                                      \
    ROW(SQL_DESC_FIXED_PREC_SCALE, INT16, false, NO, R, R)                              \
    ROW(SQL_DESC_CASE_SENSITIVE, INT32, false, NO, R, R)                                \
    ROW(SQL_DESC_TYPE_NAME, STRING, false, NO, R, R)                                    \
    ROW(SQL_DESC_LOCAL_TYPE_NAME, STRING, false, NO, R, R)                              \
    ROW(SQL_COLUMN_LENGTH, INT64, false, NO, NO, R)                                     \
    ROW(SQL_COLUMN_PRECISION, INT32, false, NO, NO, R)                                  \
    ROW(SQL_COLUMN_SCALE, INT16, false, NO, NO, R)                                      \
    ROW(SQL_DESC_DISPLAY_SIZE, INT64, false, NO, NO, R)                                 \
    ROW(SQL_DESC_UPDATABLE, INT16, false, NO, NO, R)                                    \
    ROW(SQL_DESC_AUTO_UNIQUE_VALUE, INT32, false, NO, NO, R)                            \
    ROW(SQL_DESC_SEARCHABLE, INT16, false, NO, NO, R)                                   \
    ROW(SQL_DESC_TABLE_NAME, STRING, false, NO, NO, R)                                  \
    ROW(SQL_DESC_SCHEMA_NAME, STRING, false, NO, NO, R)                                 \
    ROW(SQL_DESC_CATALOG_NAME, STRING, false, NO, NO, R)                                \
    ROW(SQL_DESC_LABEL, STRING, false, NO, NO, R)                                       \
    ROW(SQL_DESC_BASE_COLUMN_NAME, STRING, false, NO, NO, R)                            \
    ROW(SQL_DESC_BASE_TABLE_NAME, STRING, false, NO, NO, R)                             \
    ROW(SQL_DESC_LITERAL_PREFIX, STRING, false, NO, NO, R)                              \
    ROW(SQL_DESC_LITERAL_SUFFIX, STRING, false, NO, NO, R)                              \
    ROW(SQL_DESC_ROWVER, INT16, false, NO, NO, NO)                                      \
    NAMED(DescriptorFields::DATA_SOURCE_TYPE, "SQL_DESC_DATA_SOURCE_TYPE", INT16, false, NO, NO, R) \
    NAMED(DescriptorFields::ENCODING, nullptr, INT32, false, RW, R, R)                  \
    NAMED(DescriptorFields::DRIVER_ATTRIBUTE, nullptr, INT16, false, NO, R, R)

struct FieldRow
{
    int16_t m_field;
    const char* m_name;
    DescriptorValueType m_valueType;
    bool m_isHeader;
    DescriptorAccess m_access[3]; // indexed by DescriptorKind
};

#define ORVIK_NAMED_FIELD_ROW(field, name, type, header, app, ipd, ird) \
    {field, name, DescriptorValueType::type, header, {app, ipd, ird}},
#define ORVIK_FIELD_ROW(field, type, header, app, ipd, ird) \
    ORVIK_NAMED_FIELD_ROW(field, #field, type, header, app, ipd, ird)

constexpr FieldRow FIELDS[] = {ORVIK_DESCRIPTOR_FIELD_TABLE(ORVIK_FIELD_ROW, ORVIK_NAMED_FIELD_ROW)};

#undef ORVIK_FIELD_ROW
#undef ORVIK_NAMED_FIELD_ROW

const FieldRow* FindField(int16_t in_field)
{
    for (const FieldRow& row : FIELDS)
    {
        if (row.m_field == in_field)
        {
            return &row;
        }
    }
    return nullptr;
}

} // namespace

DescriptorValueType DescriptorFields::GetValueType(int16_t in_field)
{
    const FieldRow* row = FindField(in_field);
    return row != nullptr ? row->m_valueType : DescriptorValueType::NONE;
}

bool DescriptorFields::IsStringField(int16_t in_field)
{
    return GetValueType(in_field) == DescriptorValueType::STRING;
}

bool DescriptorFields::IsHeader(int16_t in_field)
{
    const FieldRow* row = FindField(in_field);
    return row != nullptr && row->m_isHeader;
}

DescriptorAccess DescriptorFields::GetAccess(int16_t in_field, DescriptorKind in_kind)
{
    const FieldRow* row = FindField(in_field);
    return row != nullptr ? row->m_access[static_cast<int>(in_kind)] : DescriptorAccess::NONE;
}

const char* DescriptorFields::GetName(int16_t in_field)
{
    const FieldRow* row = FindField(in_field);
    return (row != nullptr && row->m_name != nullptr) ? row->m_name : "Unknown FieldIdentifier";
}

} // namespace ODBC
} // namespace Orvik
