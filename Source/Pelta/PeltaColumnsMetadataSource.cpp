#include "Pelta/PeltaColumnsMetadataSource.h"

#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "Pelta/PeltaCatalogQuery.h"
#include "Pelta/PeltaCatalogValue.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/PeltaResultSet.h"
#include "Pelta/PeltaTypeUtilities.h"
#include "Support/EncodingInfo.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeUtilities.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <sqlext.h>

using Orvik::Support::SqlData;
using Orvik::Support::SqlTypeMetadata;
using Orvik::Support::SqlTypeUtilities;

namespace Pelta {

namespace {

constexpr char QUERY[] = "select * from information_schema.columns";

// The server's columns table, read by position.
constexpr uint16_t SCHEMA_NAME_COLUMN = 0;
constexpr uint16_t TABLE_NAME_COLUMN = 1;
constexpr uint16_t COLUMN_NAME_COLUMN = 2;
constexpr uint16_t ORDINAL_POSITION_COLUMN = 3;
constexpr uint16_t DATA_TYPE_COLUMN = 4;

constexpr int16_t NULLABLE_UNKNOWN = 2;
constexpr int64_t TIMESTAMP_COLUMN_SIZE = 26;

const SqlTypeUtilities& Types()
{
    return SqlTypeUtilities::Current();
}

std::unique_ptr<SqlTypeMetadata> DefaultMetadata(int16_t in_sqlType)
{
    return Orvik::Support::TypedDataSingleton<Orvik::Support::SqlTypeMetadataFactory>::GetOrDefault()
        .CreateNewSqlTypeMetadata(in_sqlType, false, 0);
}

int64_t DefaultColumnSize(int16_t in_sqlType)
{
    return Types().GetDefaultColumnSize(in_sqlType, false);
}

int64_t ColumnSize(int16_t in_sqlType, uint32_t in_maxColumnSize)
{
    if (Types().IsApproximateNumericType(in_sqlType))
    {
        return in_sqlType == SQL_REAL ? 24 : 53;
    }
    if (in_sqlType == SQL_WVARCHAR)
    {
        return in_maxColumnSize;
    }
    return in_sqlType == SQL_TIMESTAMP || in_sqlType == SQL_TYPE_TIMESTAMP ? TIMESTAMP_COLUMN_SIZE
                                                                           : DefaultColumnSize(in_sqlType);
}

// The octet length of a default value of the type, as the ODBC layer computes one: wide
// characters count in code units of in_unitSize bytes (those of the encoding when 0).
int64_t OctetLength(int16_t in_sqlType, uint8_t in_unitSize)
{
    const std::unique_ptr<SqlTypeMetadata> metadata = DefaultMetadata(in_sqlType);
    if (metadata->IsWideCharacter())
    {
        const uint8_t unit = in_unitSize != 0 ? in_unitSize : Orvik::Support::EncodingInfo::GetCodeUnitSize(metadata->GetEncoding());
        return DefaultColumnSize(in_sqlType) * unit;
    }
    if (!metadata->IsCharacter() && !metadata->IsBinary())
    {
        return static_cast<int64_t>(metadata->GetOctetLength());
    }
    return DefaultColumnSize(in_sqlType);
}

bool WriteNumber(int64_t in_value, SqlData& io_target)
{
    PeltaCatalogValue::WriteInteger(in_value, io_target);
    return false;
}

bool WriteDecimalDigits(int16_t in_sqlType, SqlData& io_target)
{
    if (in_sqlType == SQL_TIMESTAMP || in_sqlType == SQL_TYPE_TIMESTAMP)
    {
        return WriteNumber(DefaultMetadata(in_sqlType)->GetPrecision(), io_target);
    }
    if (Types().IsIntegerType(in_sqlType))
    {
        return WriteNumber(0, io_target);
    }
    if (Types().IsExactNumericType(in_sqlType))
    {
        return WriteNumber(DefaultMetadata(in_sqlType)->GetScale(), io_target);
    }
    return PeltaCatalogValue::WriteNull(io_target);
}

bool WriteRadix(int16_t in_sqlType, SqlData& io_target)
{
    if (Types().IsApproximateNumericType(in_sqlType))
    {
        return WriteNumber(2, io_target);
    }
    if (Types().IsIntegerType(in_sqlType) || Types().IsExactNumericType(in_sqlType))
    {
        return WriteNumber(10, io_target);
    }
    return PeltaCatalogValue::WriteNull(io_target);
}

} // namespace

PeltaColumnsMetadataSource::PeltaColumnsMetadataSource(Orvik::DSI::DSIStatement* in_statement,
                                                       const Orvik::DSI::DSIMetadataRestrictions& in_restrictions,
                                                       const uint32_t& in_maxColumnSize,
                                                       bool in_isODBC3)
    : PeltaQueryMetadataSource(in_statement, in_restrictions), m_maxColumnSize(in_maxColumnSize), m_isODBC3(in_isODBC3)
{
    ExecuteQuery(PeltaCatalogQuery::WithRestrictions(QUERY, in_restrictions));
}

bool PeltaColumnsMetadataSource::GetMetadata(int32_t in_tag, SqlData& io_target, int64_t in_offset, int64_t in_maxLength)
{
    using namespace Orvik::DSI;
    const uint32_t typeId = PeltaTypeUtilities::GetTypeIdFromName(GetResult().GetColumnText(DATA_TYPE_COLUMN));
    const int16_t sqlType = PeltaTypeUtilities::GetSqlType(typeId, m_isODBC3);
    switch (in_tag)
    {
    case DSI_TAG_TABLE_CAT: return PeltaCatalogValue::WriteText(PELTA_NAME, io_target, in_offset, in_maxLength);
    case DSI_TAG_TABLE_SCHEM: return ReadColumn(SCHEMA_NAME_COLUMN, io_target, in_offset, in_maxLength);
    case DSI_TAG_TABLE_NAME: return ReadColumn(TABLE_NAME_COLUMN, io_target, in_offset, in_maxLength);
    case DSI_TAG_COLUMN_NAME: return ReadColumn(COLUMN_NAME_COLUMN, io_target, in_offset, in_maxLength);
    case DSI_TAG_ORDINAL_POSITION: return ReadColumn(ORDINAL_POSITION_COLUMN, io_target, in_offset, in_maxLength);
    case DSI_TAG_NULLABLE: return WriteNumber(NULLABLE_UNKNOWN, io_target);
    case DSI_TAG_IS_NULLABLE: return PeltaCatalogValue::WriteText("", io_target, in_offset, in_maxLength);
    case DSI_TAG_REMARKS:
    case DSI_TAG_COLUMN_DEF: return PeltaCatalogValue::WriteNull(io_target);
    case DSI_TAG_USER_DATA_TYPE: return WriteNumber(0, io_target);
    default: return WriteTypeAttribute(in_tag, typeId, sqlType, io_target, in_offset, in_maxLength);
    }
}

bool PeltaColumnsMetadataSource::WriteTypeAttribute(int32_t in_tag,
                                                    uint32_t in_typeId,
                                                    int16_t in_sqlType,
                                                    SqlData& io_target,
                                                    int64_t in_offset,
                                                    int64_t in_maxLength)
{
    using namespace Orvik::DSI;
    switch (in_tag)
    {
    case DSI_TAG_DATA_TYPE:
    case DSI_TAG_SQL_DATA_TYPE: return WriteNumber(in_sqlType, io_target);
    case DSI_TAG_TYPE_NAME:
        return PeltaCatalogValue::WriteText(PeltaTypeUtilities::GetTypeName(in_typeId), io_target, in_offset, in_maxLength);
    case DSI_TAG_COLUMN_SIZE: return WriteNumber(ColumnSize(in_sqlType, m_maxColumnSize), io_target);
    case DSI_TAG_BUFFER_LENGTH: return WriteNumber(OctetLength(in_sqlType, 0), io_target);
    case DSI_TAG_DECIMAL_DIGITS: return WriteDecimalDigits(in_sqlType, io_target);
    case DSI_TAG_NUM_PREC_RADIX: return WriteRadix(in_sqlType, io_target);
    case DSI_TAG_SQL_DATETIME_SUB:
        return Types().IsDatetimeType(in_sqlType) || Types().IsIntervalType(in_sqlType)
            ? WriteNumber(SqlTypeUtilities::GetDatetimeIntervalCode(in_sqlType), io_target)
            : PeltaCatalogValue::WriteNull(io_target);
    case DSI_TAG_CHAR_OCTET_LENGTH:
        if (!Types().IsCharacterOrBinaryType(in_sqlType))
        {
            return PeltaCatalogValue::WriteNull(io_target);
        }
        return WriteNumber(in_sqlType == SQL_WVARCHAR ? m_maxColumnSize : OctetLength(in_sqlType, 1), io_target);
    default: PeltaCatalogValue::ThrowBadTag(in_tag);
    }
}

} // namespace Pelta
