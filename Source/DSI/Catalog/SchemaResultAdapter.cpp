#include "DSI/Catalog/SchemaResultAdapter.h"

#include "DSI/Catalog/DSIMetadataResult.h"
#include "DSI/Client/DSIColumnMetadata.h"
#include "DSI/Client/DSIMetadataColumn.h"
#include "DSI/Client/DSIResultSetColumns.h"
#include "DSI/Client/DSITypeUtilities.h"
#include "DSI/Client/IColumns.h"
#include "Support/InvalidOperationException.h"
#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <sqlext.h>

#include <cstring>

namespace Orvik {
namespace DSI {

using namespace Support;

namespace {

// OLE DB type codes of the ODBC SQL types: SQL type, signed code, unsigned code.
struct OleDbType
{
    int16_t m_sqlType;
    uint16_t m_signedCode;
    uint16_t m_unsignedCode;
};

// clang-format off
constexpr OleDbType OLEDB_TYPES[] = {
    {SQL_CHAR, 129, 129},         {SQL_VARCHAR, 129, 129},        {SQL_LONGVARCHAR, 129, 129},
    {SQL_WCHAR, 130, 130},        {SQL_WVARCHAR, 130, 130},       {SQL_WLONGVARCHAR, 130, 130},
    {SQL_BINARY, 128, 128},       {SQL_VARBINARY, 128, 128},      {SQL_LONGVARBINARY, 128, 128},
    {SQL_BIT, 11, 11},            {SQL_TINYINT, 16, 17},          {SQL_SMALLINT, 2, 18},
    {SQL_INTEGER, 3, 19},         {SQL_BIGINT, 20, 21},           {SQL_REAL, 4, 4},
    {SQL_FLOAT, 5, 5},            {SQL_DOUBLE, 5, 5},             {SQL_NUMERIC, 131, 131},
    {SQL_DECIMAL, 131, 131},      {SQL_TYPE_DATE, 133, 133},      {SQL_DATE, 133, 133},
    {SQL_TYPE_TIME, 134, 134},    {SQL_TIME, 134, 134},           {SQL_TYPE_TIMESTAMP, 135, 135},
    {SQL_TIMESTAMP, 135, 135},    {SQL_GUID, 72, 72},
};
// clang-format on

// Referential rules and their OLE DB names; any other rule is NULL.
struct RuleName
{
    int16_t m_rule;
    const char16_t* m_name;
};

constexpr RuleName RULE_NAMES[] = {
    {SQL_CASCADE, u"CASCADE"},
    {SQL_SET_NULL, u"SET NULL"},
    {SQL_NO_ACTION, u"NO ACTION"},
    {SQL_SET_DEFAULT, u"SET DEFAULT"},
};

// The longest rule name, the length of the converted rule columns.
constexpr uint32_t RULE_NAME_LENGTH = 11;

int16_t ReadInt16(const SqlData& in_data)
{
    int16_t value = 0;
    std::memcpy(&value, in_data.GetBuffer(), sizeof value);
    return value;
}

template <class Value>
bool WriteValue(Value in_value, SqlData& io_target)
{
    io_target.SetNull(false);
    std::memcpy(io_target.GetBuffer(), &in_value, sizeof in_value);
    return false;
}

bool WriteNull(SqlData& io_target)
{
    io_target.SetNull(true);
    return false;
}

bool WriteOleDbType(int16_t in_sqlType, bool in_isUnsigned, SqlData& io_target)
{
    for (const OleDbType& type : OLEDB_TYPES)
    {
        if (type.m_sqlType == in_sqlType)
        {
            return WriteValue(in_isUnsigned ? type.m_unsignedCode : type.m_signedCode, io_target);
        }
    }
    return WriteNull(io_target);
}

bool WriteRuleName(int16_t in_rule, SqlData& io_target, int64_t in_offset, int64_t in_maxLength)
{
    for (const RuleName& rule : RULE_NAMES)
    {
        if (rule.m_rule == in_rule)
        {
            return DSITypeUtilities::OutputStringData(rule.m_name, io_target, in_offset, in_maxLength);
        }
    }
    return WriteNull(io_target);
}

std::unique_ptr<SqlTypeMetadata> MakeType(int16_t in_sqlType, bool in_isUnsigned)
{
    const SqlTypeMetadataFactory& types = TypedDataSingleton<SqlTypeMetadataFactory>::GetOrDefault();
    return types.CreateNewSqlTypeMetadata(in_sqlType, in_isUnsigned, 0);
}

// The type that a conversion presents, given the wrapped column's type.
std::unique_ptr<SqlTypeMetadata> ConvertedType(SchemaColumnConversion in_conversion, const SqlTypeMetadata& in_wrapped)
{
    switch (in_conversion)
    {
        case SchemaColumnConversion::YesToBoolean:
            return MakeType(SQL_BIT, false);
        case SchemaColumnConversion::RuleToText:
            return MakeType(SQL_WVARCHAR, false);
        case SchemaColumnConversion::SqlTypeToOleDb:
            return MakeType(SQL_SMALLINT, true);
        default:
            return MakeType(in_wrapped.GetConciseType(), in_wrapped.IsUnsigned());
    }
}

} // namespace

SchemaResultAdapter::SchemaResultAdapter(const SchemaColumnRule* in_rules, size_t in_ruleCount)
    : m_rules(in_rules),
      m_ruleCount(in_ruleCount)
{
}

SchemaResultAdapter::~SchemaResultAdapter() = default;

uint64_t SchemaResultAdapter::BulkFetch(uint64_t, const BulkFetchColumns&)
{
    throw InvalidOperationException(DIAG_GENERAL_ERROR, 2, SupportError(SupportErrorCode::InvalidOperation),
                                    {u"FuncNotSupported", __FILE__, NumberConverter::ConvertInt32ToWString(__LINE__)});
}

void SchemaResultAdapter::CloseCursor()
{
    GetResult().CloseCursor();
}

void SchemaResultAdapter::SetDataNeeded(uint16_t in_column, bool in_isNeeded)
{
    GetResult().SetDataNeeded(in_column, in_isNeeded);
    const auto converted = m_converted.find(in_column);
    if (in_isNeeded && converted != m_converted.end() && converted->second.m_helperColumn >= 0)
    {
        GetResult().SetDataNeeded(static_cast<uint16_t>(converted->second.m_helperColumn), true);
    }
}

bool SchemaResultAdapter::IsDataNeeded(uint16_t in_column)
{
    return GetResult().IsDataNeeded(in_column);
}

bool SchemaResultAdapter::RetrieveData(uint16_t in_column, SqlData& io_target, int64_t in_offset, int64_t in_maxLength)
{
    const auto converted = m_converted.find(in_column);
    if (converted == m_converted.end())
    {
        return GetResult().RetrieveData(in_column, io_target, in_offset, in_maxLength);
    }
    return Convert(in_column, converted->second, io_target, in_offset, in_maxLength);
}

void SchemaResultAdapter::SetCellmark(uint16_t in_column)
{
    GetResult().SetCellmark(in_column);
}

int32_t SchemaResultAdapter::GetResultType()
{
    return GetResult().GetResultType();
}

bool SchemaResultAdapter::HasRowCount()
{
    return GetResult().HasRowCount();
}

int64_t SchemaResultAdapter::GetRowCount()
{
    return GetResult().GetRowCount();
}

IColumns* SchemaResultAdapter::GetSelectColumns()
{
    GetResult();
    return m_columns.get();
}

bool SchemaResultAdapter::CanBulkFetch(const std::set<uint16_t>&)
{
    return false;
}

void SchemaResultAdapter::SetCursorType(int32_t in_cursorType)
{
    GetResult().SetCursorType(in_cursorType);
}

void SchemaResultAdapter::SetRowsetSize(uint64_t in_rowsetSize)
{
    GetResult().SetRowsetSize(in_rowsetSize);
}

bool SchemaResultAdapter::Move(int32_t in_direction, int64_t in_offset)
{
    return GetResult().Move(in_direction, in_offset);
}

void SchemaResultAdapter::Attach(std::unique_ptr<DSIMetadataResult>& io_result)
{
    if (io_result == nullptr)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    m_result = std::move(io_result);
    io_result.reset();
    BuildColumns();
}

DSIMetadataResult& SchemaResultAdapter::GetResult() const
{
    if (m_result == nullptr)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    return *m_result;
}

void SchemaResultAdapter::BuildColumns()
{
    m_converted.clear();
    m_columns = std::make_unique<DSIResultSetColumns>(false);
    m_replacementColumns.clear();

    const IColumns& wrapped = *m_result->GetSelectColumns();
    std::map<int32_t, int32_t> positionOfTag;
    for (uint16_t position = 0; position < wrapped.GetCount(); ++position)
    {
        if (const auto* column = dynamic_cast<const DSIMetadataColumn*>(wrapped.GetColumn(position)))
        {
            positionOfTag.emplace(column->GetTag(), position);
        }
    }
    for (uint16_t position = 0; position < wrapped.GetCount(); ++position)
    {
        auto* column = dynamic_cast<DSIColumn*>(wrapped.GetColumn(position));
        const auto* tagged = dynamic_cast<const DSIMetadataColumn*>(column);
        const SchemaColumnRule* rule = nullptr;
        for (size_t i = 0; tagged != nullptr && i < m_ruleCount && rule == nullptr; ++i)
        {
            rule = m_rules[i].m_tag == tagged->GetTag() ? &m_rules[i] : nullptr;
        }
        if (rule == nullptr)
        {
            m_columns->AddColumn(column);
            continue;
        }
        const auto helper = positionOfTag.find(rule->m_helperTag);
        AddConvertedColumn(position, *rule, helper == positionOfTag.end() ? -1 : helper->second);
    }
}

void SchemaResultAdapter::AddConvertedColumn(uint16_t in_position,
                                             const SchemaColumnRule& in_rule,
                                             int32_t in_helperColumn)
{
    const IColumns& wrapped = *m_result->GetSelectColumns();
    const IColumn& column = *wrapped.GetColumn(in_position);
    const DSIColumnMetadata& wrappedMetadata = *column.GetColumnMetadata();

    auto columnMetadata = std::make_unique<DSIColumnMetadata>(wrappedMetadata.m_collation);
    columnMetadata->m_name = wrappedMetadata.m_name;
    columnMetadata->m_label = wrappedMetadata.m_label;
    columnMetadata->m_isUnnamed = wrappedMetadata.m_isUnnamed;
    columnMetadata->m_nullable = wrappedMetadata.m_nullable;
    columnMetadata->m_searchable = wrappedMetadata.m_searchable;
    columnMetadata->m_updatable = wrappedMetadata.m_updatable;
    columnMetadata->m_columnLength = in_rule.m_conversion == SchemaColumnConversion::RuleToText ? RULE_NAME_LENGTH : 0;
    auto replacement = std::make_unique<DSIColumn>(ConvertedType(in_rule.m_conversion, *column.GetMetadata()),
                                                   std::move(columnMetadata));
    m_columns->AddColumn(replacement.get());
    m_replacementColumns.push_back(std::move(replacement));

    ConvertedColumn& converted = m_converted[in_position];
    converted.m_conversion = in_rule.m_conversion;
    converted.m_value = MakeBuffer(*column.GetMetadata());
    converted.m_helperColumn = in_helperColumn;
    if (in_helperColumn >= 0)
    {
        converted.m_helper = MakeBuffer(*wrapped.GetColumn(static_cast<uint16_t>(in_helperColumn))->GetMetadata());
    }
}

SchemaResultAdapter::Buffer SchemaResultAdapter::MakeBuffer(const SqlTypeMetadata& in_type)
{
    Buffer buffer;
    buffer.m_metadata = MakeType(in_type.GetConciseType(), in_type.IsUnsigned());
    buffer.m_data = TypedDataSingleton<SqlDataFactory>::GetOrDefault().CreateNewSqlData(*buffer.m_metadata);
    return buffer;
}

bool SchemaResultAdapter::ReadWrapped(uint16_t in_column, Buffer& io_buffer)
{
    GetResult().RetrieveData(in_column, *io_buffer.m_data, 0, -1);
    return !io_buffer.m_data->IsNull();
}

bool SchemaResultAdapter::Convert(uint16_t in_column,
                                  ConvertedColumn& io_converted,
                                  SqlData& io_target,
                                  int64_t in_offset,
                                  int64_t in_maxLength)
{
    if (!ReadWrapped(in_column, io_converted.m_value))
    {
        return WriteNull(io_target);
    }
    const SqlData& value = *io_converted.m_value.m_data;
    switch (io_converted.m_conversion)
    {
        case SchemaColumnConversion::YesToBoolean:
            return WriteValue(static_cast<uint8_t>(orvik_wstring(value) == orvik_wstring(u"YES") ? 1 : 0), io_target);
        case SchemaColumnConversion::RuleToText:
            return WriteRuleName(ReadInt16(value), io_target, in_offset, in_maxLength);
        case SchemaColumnConversion::PlusOne:
            return WriteValue(static_cast<int16_t>(ReadInt16(value) + 1), io_target);
        case SchemaColumnConversion::SqlTypeToOleDb:
        {
            const auto helperColumn = static_cast<uint16_t>(io_converted.m_helperColumn);
            const bool isUnsigned = io_converted.m_helperColumn >= 0 &&
                                    ReadWrapped(helperColumn, io_converted.m_helper) &&
                                    ReadInt16(*io_converted.m_helper.m_data) == SQL_TRUE;
            return WriteOleDbType(ReadInt16(value), isUnsigned, io_target);
        }
    }
    return WriteNull(io_target);
}

} // namespace DSI
} // namespace Orvik
