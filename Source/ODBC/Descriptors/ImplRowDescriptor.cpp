#include "ODBC/Descriptors/ImplRowDescriptor.h"

#include "DSI/Client/IColumn.h"
#include "DSI/Client/IColumns.h"
#include "ODBC/Descriptors/DescriptorTypes.h"
#include "ODBC/Descriptors/IRowDescriptorOwner.h"
#include "ODBC/Exceptions/NoDataException.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "Support/CriticalSectionLock.h"
#include "Support/EncodingInfo.h"
#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <sqlext.h>

#include <algorithm>
#include <limits>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

using DSI::IColumn;
using Value = DescriptorFieldValue;

// How each field derives from the column c and its SQL type metadata m; "column size" is the
// size the column reports.
typedef Value (*FieldRule)(const IColumn& c, const SqlTypeMetadata& m);

Value Flag(bool in_isSet)
{
    return Value::Integer(in_isSet ? 1 : 0);
}

Value Text(void (IColumn::*in_getter)(orvik_wstring&) const, const IColumn& c)
{
    orvik_wstring text;
    (c.*in_getter)(text);
    return Value::Text(std::move(text));
}

// A column attribute outside the values ODBC defines for it.
Value Enumerated(const char16_t* in_field, int32_t in_value, int32_t in_largest)
{
    if (in_value < 0 || in_value > in_largest)
    {
        throw ODBCInternalException(u"DescFieldValueNotSupported",
                                    {in_field, NumberConverter::ConvertInt32ToWString(in_value)});
    }
    return Value::Integer(in_value);
}

Value ConciseType(const IColumn&, const SqlTypeMetadata& m)
{
    return Value::Integer(m.GetConciseType());
}

Value VerboseType(const IColumn&, const SqlTypeMetadata& m)
{
    return Value::Integer(DescriptorTypes::GetVerboseType(m.GetConciseType()));
}

Value IntervalCode(const IColumn&, const SqlTypeMetadata& m)
{
    return Value::Integer(DescriptorTypes::GetIntervalCode(m.GetConciseType()));
}

Value OctetLength(const IColumn& c, const SqlTypeMetadata& m)
{
    if (m.IsWideCharacter())
    {
        return Value::Integer(static_cast<int64_t>(c.GetColumnSize()) * EncodingInfo::GetCodeUnitSize(m.GetEncoding()));
    }
    if (m.IsCharacter() || m.IsBinary())
    {
        return Value::Integer(c.GetColumnSize());
    }
    return Value::Integer(static_cast<int64_t>(m.GetOctetLength()));
}

Value ColumnPrecision(const IColumn& c, const SqlTypeMetadata& m)
{
    if (m.IsExactNumeric())
    {
        return Value::Integer(m.GetPrecision());
    }
    return Value::Integer(m.IsInterval() ? m.GetStoredColumnSize() : c.GetColumnSize());
}

Value Scale(const IColumn&, const SqlTypeMetadata& m)
{
    return Value::Integer((m.IsTime() || m.IsInterval()) ? m.GetPrecision() : m.GetScale());
}

Value Length(const IColumn& c, const SqlTypeMetadata& m)
{
    return Value::Integer(m.IsExactNumeric() ? m.GetPrecision() : static_cast<int64_t>(c.GetColumnSize()));
}

Value Precision(const IColumn& c, const SqlTypeMetadata& m)
{
    const bool hasPrecision = m.IsApproximateNumeric() || m.IsExactNumeric() || m.IsTime() || m.IsInterval();
    return Value::Integer(hasPrecision ? m.GetPrecision() : static_cast<int64_t>(c.GetColumnSize()));
}

Value DisplaySize(const IColumn& c, const SqlTypeMetadata& m)
{
    return Value::Integer(m.GetDisplaySize(c.GetColumnSize()));
}

Value Unsigned(const IColumn&, const SqlTypeMetadata& m)
{
    return Flag(m.IsUnsigned());
}

Value FixedPrecScale(const IColumn&, const SqlTypeMetadata& m)
{
    return Flag(m.IsFixedPrecScale());
}

Value Updatable(const IColumn& c, const SqlTypeMetadata&)
{
    return Enumerated(u"SQL_DESC_UPDATABLE", c.GetUpdatable(), SQL_ATTR_READWRITE_UNKNOWN);
}

Value AutoUnique(const IColumn& c, const SqlTypeMetadata&)
{
    return Flag(c.IsAutoUnique());
}

Value CaseSensitive(const IColumn& c, const SqlTypeMetadata&)
{
    return Flag(c.IsCaseSensitive());
}

Value Searchable(const IColumn& c, const SqlTypeMetadata&)
{
    return Enumerated(u"SQL_DESC_SEARCHABLE", c.GetSearchable(), SQL_PRED_SEARCHABLE);
}

Value Nullable(const IColumn& c, const SqlTypeMetadata&)
{
    return Enumerated(u"SQL_DESC_NULLABLE", c.GetNullable(), SQL_NULLABLE_UNKNOWN);
}

Value TypeName(const IColumn&, const SqlTypeMetadata& m)
{
    return Value::Text(m.GetTypeName());
}

Value LiteralPrefix(const IColumn&, const SqlTypeMetadata& m)
{
    return Value::Text(m.GetLiteralPrefix());
}

Value LiteralSuffix(const IColumn&, const SqlTypeMetadata& m)
{
    return Value::Text(m.GetLiteralSuffix());
}

Value LocalTypeName(const IColumn&, const SqlTypeMetadata& m)
{
    return Value::Text(m.GetLocalTypeName());
}

Value Label(const IColumn& c, const SqlTypeMetadata&)
{
    return Text(&IColumn::GetLabel, c);
}

Value BaseColumnName(const IColumn& c, const SqlTypeMetadata&)
{
    return Text(&IColumn::GetName, c);
}

Value TableName(const IColumn& c, const SqlTypeMetadata&)
{
    return Text(&IColumn::GetTableName, c);
}

Value SchemaName(const IColumn& c, const SqlTypeMetadata&)
{
    return Text(&IColumn::GetSchemaName, c);
}

Value CatalogName(const IColumn& c, const SqlTypeMetadata&)
{
    return Text(&IColumn::GetCatalogName, c);
}

Value Name(const IColumn& c, const SqlTypeMetadata&)
{
    return c.IsUnnamed() ? Value::Text(orvik_wstring(u"")) : Text(&IColumn::GetName, c);
}

Value Unnamed(const IColumn& c, const SqlTypeMetadata&)
{
    return Value::Integer(c.IsUnnamed() ? SQL_UNNAMED : SQL_NAMED);
}

Value Radix(const IColumn&, const SqlTypeMetadata& m)
{
    return Value::Integer(m.GetNumPrecRadix());
}

Value DataSourceType(const IColumn&, const SqlTypeMetadata& m)
{
    return Value::Integer(m.GetDriverTypeNumber());
}

Value Encoding(const IColumn&, const SqlTypeMetadata& m)
{
    return Value::Integer(m.GetEncoding());
}

Value DriverAttribute(const IColumn&, const SqlTypeMetadata& m)
{
    return Value::Integer(m.GetDriverAttributeValue());
}

struct FieldRuleRow
{
    int16_t m_field;
    FieldRule m_rule;
};

// Every record field of the IRD, one a row.
constexpr FieldRuleRow FIELD_RULES[] = {
    {SQL_DESC_CONCISE_TYPE, &ConciseType},
    {SQL_DESC_TYPE, &VerboseType},
    {SQL_DESC_DATETIME_INTERVAL_CODE, &IntervalCode},
    {SQL_COLUMN_LENGTH, &OctetLength},
    {SQL_DESC_OCTET_LENGTH, &OctetLength},
    {SQL_COLUMN_PRECISION, &ColumnPrecision},
    {SQL_DESC_DATETIME_INTERVAL_PRECISION, &ColumnPrecision},
    {SQL_COLUMN_SCALE, &Scale},
    {SQL_DESC_SCALE, &Scale},
    {SQL_DESC_LENGTH, &Length},
    {SQL_DESC_PRECISION, &Precision},
    {SQL_DESC_DISPLAY_SIZE, &DisplaySize},
    {SQL_DESC_UNSIGNED, &Unsigned},
    {SQL_DESC_FIXED_PREC_SCALE, &FixedPrecScale},
    {SQL_DESC_UPDATABLE, &Updatable},
    {SQL_DESC_AUTO_UNIQUE_VALUE, &AutoUnique},
    {SQL_DESC_CASE_SENSITIVE, &CaseSensitive},
    {SQL_DESC_SEARCHABLE, &Searchable},
    {SQL_DESC_NULLABLE, &Nullable},
    {SQL_DESC_TYPE_NAME, &TypeName},
    {SQL_DESC_LITERAL_PREFIX, &LiteralPrefix},
    {SQL_DESC_LITERAL_SUFFIX, &LiteralSuffix},
    {SQL_DESC_LOCAL_TYPE_NAME, &LocalTypeName},
    {SQL_DESC_LABEL, &Label},
    {SQL_DESC_BASE_COLUMN_NAME, &BaseColumnName},
    {SQL_DESC_TABLE_NAME, &TableName},
    {SQL_DESC_BASE_TABLE_NAME, &TableName},
    {SQL_DESC_SCHEMA_NAME, &SchemaName},
    {SQL_DESC_CATALOG_NAME, &CatalogName},
    {SQL_DESC_NAME, &Name},
    {SQL_DESC_UNNAMED, &Unnamed},
    {SQL_DESC_NUM_PREC_RADIX, &Radix},
    {DescriptorFields::DATA_SOURCE_TYPE, &DataSourceType},
    {DescriptorFields::ENCODING, &Encoding},
    {DescriptorFields::DRIVER_ATTRIBUTE, &DriverAttribute},
};

FieldRule FindRule(int16_t in_field)
{
    for (const FieldRuleRow& row : FIELD_RULES)
    {
        if (row.m_field == in_field)
        {
            return row.m_rule;
        }
    }
    throw ErrorException(DIAG_INVALID_DESCRIPTOR_FIELD, ODBC_COMPONENT_ID, u"InvalidDescFieldIdent", -1, -1);
}

[[noreturn]] void ThrowCannotModify()
{
    throw ErrorException(DIAG_CANNOT_MODIFY_IRD, ODBC_COMPONENT_ID, u"CannotModImpRowDesc", -1, -1);
}

} // namespace

ImplRowDescriptor::ImplRowDescriptor(HandleValue in_handle,
                                     IRowDescriptorOwner& io_owner,
                                     Connection* in_parentConnection,
                                     IMessageSource* in_messageSource,
                                     DSI::ILogger* in_log)
    : Descriptor(DescriptorKind::IRD, in_handle, SQL_DESC_ALLOC_AUTO, in_parentConnection, in_messageSource, in_log),
      m_owner(io_owner)
{
}

void ImplRowDescriptor::SetFieldValue(int16_t, int16_t in_field, const DescriptorFieldValue& in_value)
{
    CriticalSectionLock lock(GetLock());
    if (in_field != SQL_DESC_ARRAY_STATUS_PTR && in_field != SQL_DESC_ROWS_PROCESSED_PTR)
    {
        throw ODBCInternalException(u"CannotModImpRowDesc");
    }
    WriteHeaderField(in_field, in_value);
}

bool ImplRowDescriptor::HasRecord(int16_t in_recNumber)
{
    CriticalSectionLock lock(GetLock());
    return m_isPopulated && in_recNumber >= 1 && in_recNumber <= GetHeader().m_count;
}

void ImplRowDescriptor::DropRecord(int16_t)
{
    throw ODBCInternalException(u"CannotDropRecOfImplRowDesc");
}

void ImplRowDescriptor::CopyFrom(Descriptor&)
{
    ThrowCannotModify();
}

void ImplRowDescriptor::SetColumns(const DSI::IColumns* in_columns)
{
    CriticalSectionLock lock(GetLock());
    m_columns = in_columns;
    // ODBC numbers columns with 16-bit signed integers.
    const uint16_t count = in_columns != nullptr ? in_columns->GetCount() : 0;
    GetHeader().m_count = static_cast<int16_t>(std::min<uint16_t>(count, std::numeric_limits<int16_t>::max()));
    m_isPopulated = true;
}

CriticalSection& ImplRowDescriptor::GetLock()
{
    return m_owner.GetStatementLock();
}

DescriptorFieldValue ImplRowDescriptor::ReadHeaderField(int16_t in_field)
{
    if (in_field == SQL_DESC_COUNT)
    {
        // A result without columns has a count of 0, which applications read as such.
        CheckPopulated();
    }
    return Descriptor::ReadHeaderField(in_field);
}

DescriptorFieldValue ImplRowDescriptor::ReadRecordField(int16_t in_recNumber, int16_t in_field)
{
    const FieldRule rule = FindRule(in_field);
    CheckPopulated();
    if (in_recNumber == 0)
    {
        const DiagState state = m_owner.IsUsingBookmarks() ? DIAG_GENERAL_ERROR : DIAG_INVALID_DESCRIPTOR_INDEX;
        throw ErrorException(state, ODBC_COMPONENT_ID, u"BookmarkColumnNotSupported", -1, -1);
    }
    if (in_recNumber < 0 || in_recNumber > GetHeader().m_count)
    {
        throw NoDataException(u"DescRecNotFound");
    }
    const IColumn& column = *m_columns->GetColumn(static_cast<uint16_t>(in_recNumber - 1));
    return rule(column, *column.GetMetadata());
}

void ImplRowDescriptor::MakeRecord(int16_t)
{
    ThrowCannotModify();
}

void ImplRowDescriptor::CheckPopulated() const
{
    if (!m_isPopulated)
    {
        throw ErrorException(DIAG_FUNCTION_SEQUENCE_ERROR, ODBC_COMPONENT_ID, u"StmtNotPrep", -1, -1);
    }
}

} // namespace ODBC
} // namespace Orvik
