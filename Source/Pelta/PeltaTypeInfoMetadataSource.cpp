#include "Pelta/PeltaTypeInfoMetadataSource.h"

#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/Client/IResult.h"
#include "Pelta/PeltaCatalogValue.h"
#include "Pelta/PeltaError.h"
#include "Pelta/PeltaTypeUtilities.h"
#include "Support/InvalidOperationException.h"
#include "Support/TypedDataWrapper/SqlTypeUtilities.h"

#include <sqlext.h>

#include <algorithm>

using Orvik::Support::SqlData;
using Orvik::Support::SqlTypeUtilities;

namespace Pelta {

namespace {

constexpr size_t RESERVED_ROWS = 15;
constexpr int32_t MAX_COLUMN_SIZE = -1; // the connection's MaxColumnSize

// The types listed: the server's type id, the SQL type and column size for ODBC 3 and for
// ODBC 2 applications, the literal prefix and suffix, the create parameters, CASE_SENSITIVE,
// SEARCHABLE and MAXIMUM_SCALE. Every other field keeps the row's default. Kept in the order
// of the ODBC 3 SQL types, and among the types of one SQL type the closest first.
struct TypeInfoDefinition
{
    uint32_t typeId;
    int16_t dataType3;
    int16_t dataType2;
    int32_t columnSize3;
    int32_t columnSize2;
    const char* literalPrefix;
    const char* literalSuffix;
    const char* createParams;
    int16_t caseSensitive;
    int16_t searchable;
    int16_t maximumScale;
};

constexpr TypeInfoDefinition TYPE_INFO[] = {
    {4, SQL_WVARCHAR, SQL_WVARCHAR, MAX_COLUMN_SIZE, MAX_COLUMN_SIZE, "'", "'", "LENGTH", 1, 3, 0},
    {3, SQL_BIT, SQL_BIT, 1, 1, nullptr, nullptr, nullptr, 0, 2, 0},
    {2, SQL_TINYINT, SQL_TINYINT, 3, 3, nullptr, nullptr, nullptr, 0, 2, 0},
    {10, SQL_BIGINT, SQL_BIGINT, 19, 19, nullptr, nullptr, nullptr, 0, 2, 0},
    {9, SQL_INTEGER, SQL_INTEGER, 10, 10, nullptr, nullptr, nullptr, 0, 2, 0},
    {8, SQL_SMALLINT, SQL_SMALLINT, 5, 5, nullptr, nullptr, nullptr, 0, 2, 0},
    {7, SQL_REAL, SQL_REAL, 24, 24, nullptr, nullptr, nullptr, 0, 2, 0},
    {6, SQL_DOUBLE, SQL_DOUBLE, 53, 53, nullptr, nullptr, nullptr, 0, 2, 0},
    {11, SQL_TYPE_TIMESTAMP, SQL_TIMESTAMP, 29, 26, "'", "'", nullptr, 0, 3, 6},
};

PeltaTypeInfoRow MakeRow(const TypeInfoDefinition& in_definition, uint32_t in_maxColumnSize, bool in_isODBC3)
{
    PeltaTypeInfoRow row;
    row.typeName = PeltaTypeUtilities::GetTypeName(in_definition.typeId);
    row.dataType = in_isODBC3 ? in_definition.dataType3 : in_definition.dataType2;
    const int32_t size = in_isODBC3 ? in_definition.columnSize3 : in_definition.columnSize2;
    row.columnSize = size == MAX_COLUMN_SIZE ? static_cast<int32_t>(in_maxColumnSize) : size;
    row.literalPrefix = in_definition.literalPrefix;
    row.literalSuffix = in_definition.literalSuffix;
    row.createParams = in_definition.createParams;
    row.caseSensitive = in_definition.caseSensitive;
    row.searchable = in_definition.searchable;
    row.maximumScale = in_definition.maximumScale;
    return row;
}

const SqlTypeUtilities& Types()
{
    return SqlTypeUtilities::Current();
}

bool IsNumeric(int16_t in_type)
{
    return Types().IsApproximateNumericType(in_type) || Types().IsExactNumericType(in_type)
        || Types().IsIntegerType(in_type);
}

bool HasScale(int16_t in_type)
{
    return Types().IsExactNumericType(in_type) || Types().IsIntegerType(in_type) || in_type == SQL_TIME
        || in_type == SQL_TIMESTAMP || in_type == SQL_TYPE_TIME || in_type == SQL_TYPE_TIMESTAMP;
}

// A value that stands for NULL when it is -1.
bool WriteOptional(int16_t in_value, SqlData& io_target)
{
    if (in_value == -1)
    {
        return PeltaCatalogValue::WriteNull(io_target);
    }
    PeltaCatalogValue::WriteInteger(in_value, io_target);
    return false;
}

bool WriteNumber(int64_t in_value, SqlData& io_target)
{
    PeltaCatalogValue::WriteInteger(in_value, io_target);
    return false;
}

} // namespace

PeltaTypeInfoMetadataSource::PeltaTypeInfoMetadataSource(const Orvik::DSI::DSIMetadataRestrictions& in_restrictions,
                                                         const uint32_t& in_maxColumnSize,
                                                         bool in_isODBC3)
    : DSIMetadataSource(in_restrictions)
{
    m_rows.reserve(RESERVED_ROWS);
    for (const TypeInfoDefinition& definition : TYPE_INFO)
    {
        m_rows.push_back(MakeRow(definition, in_maxColumnSize, in_isODBC3));
    }
    // Applications take the first row of a SQL type as its best match, trusting the order ODBC
    // defines: by DATA_TYPE, then by closeness. ODBC 2 codes need not keep the ODBC 3 order.
    std::stable_sort(m_rows.begin(), m_rows.end(), [](const PeltaTypeInfoRow& in_left, const PeltaTypeInfoRow& in_right) {
        return in_left.dataType < in_right.dataType;
    });
}

void PeltaTypeInfoMetadataSource::CloseCursor()
{
    m_isStarted = false;
    m_current = 0;
}

bool PeltaTypeInfoMetadataSource::Move(int32_t in_direction, int64_t /* in_offset */)
{
    if (in_direction != Orvik::DSI::DSI_DIR_NEXT)
    {
        throw PeltaError("PeltaResultSetTraverseDirNotSupported");
    }
    if (!m_isStarted)
    {
        m_isStarted = true;
        m_current = 0;
    }
    else if (m_current < m_rows.size())
    {
        ++m_current;
    }
    return m_current < m_rows.size();
}

bool PeltaTypeInfoMetadataSource::WriteText(const char* in_text, SqlData& io_target, int64_t in_offset, int64_t in_maxLength)
{
    return in_text == nullptr ? PeltaCatalogValue::WriteNull(io_target)
                              : PeltaCatalogValue::WriteText(in_text, io_target, in_offset, in_maxLength);
}

bool PeltaTypeInfoMetadataSource::GetMetadata(int32_t in_tag, SqlData& io_target, int64_t in_offset, int64_t in_maxLength)
{
    using namespace Orvik::DSI;
    if (!m_isStarted || m_current >= m_rows.size())
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    const PeltaTypeInfoRow& row = m_rows[m_current];
    const int16_t type = row.dataType;
    switch (in_tag)
    {
    case DSI_TAG_TYPE_NAME:
    case DSI_TAG_LOCAL_TYPE_NAME:
        return PeltaCatalogValue::WriteText(row.typeName, io_target, in_offset, in_maxLength);
    case DSI_TAG_DATA_TYPE: return WriteNumber(type, io_target);
    case DSI_TAG_COLUMN_SIZE: return WriteNumber(row.columnSize, io_target);
    case DSI_TAG_LITERAL_PREFIX: return WriteText(row.literalPrefix, io_target, in_offset, in_maxLength);
    case DSI_TAG_LITERAL_SUFFIX: return WriteText(row.literalSuffix, io_target, in_offset, in_maxLength);
    case DSI_TAG_CREATE_PARAMS: return WriteText(row.createParams, io_target, in_offset, in_maxLength);
    case DSI_TAG_NULLABLE: return WriteNumber(row.nullable, io_target);
    case DSI_TAG_CASE_SENSITIVE: return WriteNumber(row.caseSensitive, io_target);
    case DSI_TAG_SEARCHABLE: return WriteNumber(row.searchable, io_target);
    case DSI_TAG_UNSIGNED_ATTRIBUTE: return WriteOptional(IsNumeric(type) ? row.unsignedAttribute : -1, io_target);
    case DSI_TAG_FIXED_PREC_SCALE: return WriteNumber(row.fixedPrecScale, io_target);
    case DSI_TAG_AUTO_UNIQUE_VALUE: return WriteOptional(IsNumeric(type) ? row.autoUniqueValue : -1, io_target);
    case DSI_TAG_MINIMUM_SCALE:
        return HasScale(type) ? WriteNumber(row.minimumScale, io_target) : PeltaCatalogValue::WriteNull(io_target);
    case DSI_TAG_MAXIMUM_SCALE:
        return HasScale(type) ? WriteNumber(row.maximumScale, io_target) : PeltaCatalogValue::WriteNull(io_target);
    case DSI_TAG_SQL_DATA_TYPE: return WriteNumber(SqlTypeUtilities::GetVerboseType(type), io_target);
    case DSI_TAG_SQL_DATETIME_SUB:
    {
        const int16_t code = SqlTypeUtilities::GetDatetimeIntervalCode(type);
        return code == 0 ? PeltaCatalogValue::WriteNull(io_target) : WriteNumber(code, io_target);
    }
    case DSI_TAG_NUM_PREC_RADIX:
        if (Types().IsApproximateNumericType(type))
        {
            return WriteNumber(2, io_target);
        }
        return Types().IsExactNumericType(type) || Types().IsIntegerType(type) ? WriteNumber(10, io_target)
                                                                               : PeltaCatalogValue::WriteNull(io_target);
    case DSI_TAG_INTERVAL_PRECISION: return WriteOptional(row.intervalPrecision, io_target);
    case DSI_TAG_USER_DATA_TYPE: return WriteNumber(0, io_target);
    default: PeltaCatalogValue::ThrowBadTag(in_tag);
    }
}

} // namespace Pelta
