#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"

#include "ODBC/Descriptors/DescriptorFields.h"
#include "ODBC/Descriptors/DescriptorTypes.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <sqlext.h>

#include <algorithm>
#include <limits>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const SqlTypeMetadataFactory& GetFactory()
{
    return TypedDataSingleton<SqlTypeMetadataFactory>::GetOrDefault();
}

// Sizes and precisions are kept narrower than the fields that set them: a larger value stops at
// the largest one rather than wrapping into a small one.
uint32_t ToColumnSize(int64_t in_value)
{
    return static_cast<uint32_t>(std::clamp<int64_t>(in_value, 0, std::numeric_limits<uint32_t>::max()));
}

int16_t ToSmallInt(int64_t in_value)
{
    return static_cast<int16_t>(
        std::clamp<int64_t>(in_value, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

DescriptorFieldValue Flag(bool in_isSet)
{
    return DescriptorFieldValue::Integer(in_isSet ? 1 : 0);
}

} // namespace

ImplParamDescriptorRecord::ImplParamDescriptorRecord(int16_t in_parameterNumber)
    : m_type(SQL_C_DEFAULT),
      m_metadata(GetFactory().CreateNewSqlTypeMetadata(0, false, 0)),
      m_parameterType(SQL_PARAM_INPUT),
      m_nullable(SQL_NULLABLE),
      m_name(u""),
      m_unnamed(SQL_UNNAMED),
      m_parameterNumber(in_parameterNumber)
{
}

ImplParamDescriptorRecord::~ImplParamDescriptorRecord() = default;

DescriptorFieldValue ImplParamDescriptorRecord::Read(int16_t in_field) const
{
    const SqlTypeMetadata& metadata = *m_metadata;
    const int64_t columnSize = metadata.GetStoredColumnSize();
    const bool hasPrecision = metadata.IsApproximateNumeric() || metadata.IsExactNumeric() || IsDatetimeOrInterval();
    switch (in_field)
    {
    case SQL_DESC_CONCISE_TYPE:
        return DescriptorFieldValue::Integer(metadata.GetConciseType());
    case SQL_DESC_TYPE:
        return DescriptorFieldValue::Integer(m_type);
    case SQL_DESC_DATETIME_INTERVAL_CODE:
        return DescriptorFieldValue::Integer(m_intervalCode);
    case SQL_DESC_LENGTH:
        return DescriptorFieldValue::Integer(metadata.GetColumnSize(metadata.GetStoredColumnSize()));
    case SQL_DESC_DATETIME_INTERVAL_PRECISION:
        return DescriptorFieldValue::Integer(metadata.IsExactNumeric() ? metadata.GetPrecision() : columnSize);
    case SQL_DESC_PRECISION:
        return DescriptorFieldValue::Integer(hasPrecision ? metadata.GetPrecision() : columnSize);
    case SQL_DESC_SCALE:
        return DescriptorFieldValue::Integer(IsDatetimeOrInterval() ? metadata.GetPrecision() : metadata.GetScale());
    case SQL_DESC_OCTET_LENGTH:
        return DescriptorFieldValue::Integer(static_cast<int64_t>(metadata.GetOctetLength()));
    case SQL_DESC_UNSIGNED:
        return Flag(metadata.IsUnsigned());
    case SQL_DESC_FIXED_PREC_SCALE:
        return Flag(metadata.IsFixedPrecScale());
    case SQL_DESC_NUM_PREC_RADIX:
        return DescriptorFieldValue::Integer(metadata.GetNumPrecRadix());
    case SQL_DESC_TYPE_NAME:
        return DescriptorFieldValue::Text(metadata.GetTypeName());
    case SQL_DESC_LOCAL_TYPE_NAME:
        return DescriptorFieldValue::Text(metadata.GetLocalTypeName());
    case DescriptorFields::ENCODING:
        return DescriptorFieldValue::Integer(metadata.GetEncoding());
    case DescriptorFields::DRIVER_ATTRIBUTE:
        return DescriptorFieldValue::Integer(metadata.GetDriverAttributeValue());
    case SQL_DESC_PARAMETER_TYPE:
        return DescriptorFieldValue::Integer(m_parameterType);
    case SQL_DESC_NULLABLE:
        return DescriptorFieldValue::Integer(m_nullable);
    case SQL_DESC_CASE_SENSITIVE:
        return DescriptorFieldValue::Integer(m_caseSensitive);
    case SQL_DESC_UNNAMED:
        return DescriptorFieldValue::Integer(m_unnamed);
    case SQL_DESC_NAME:
        return DescriptorFieldValue::Text(m_name);
    default:
        throw ErrorException(DIAG_INVALID_DESCRIPTOR_FIELD, ODBC_COMPONENT_ID, u"InvalidDescFieldIdent", -1, -1);
    }
}

void ImplParamDescriptorRecord::Write(int16_t in_field, const DescriptorFieldValue& in_value)
{
    const int64_t value = in_value.m_integer;
    switch (in_field)
    {
    case SQL_DESC_CONCISE_TYPE:
        SetConciseType(static_cast<int16_t>(value));
        break;
    case SQL_DESC_TYPE:
        SetConciseType(
            DescriptorTypes::GetConciseTypeForType(DescriptorKind::IPD, static_cast<int16_t>(value), m_intervalCode));
        break;
    case SQL_DESC_DATETIME_INTERVAL_CODE:
        m_intervalCode = static_cast<int16_t>(value);
        break;
    case SQL_DESC_DATA_PTR:
        CheckConsistency();
        break;
    case SQL_DESC_UNSIGNED:
        GetFactory().SetUnsigned(*m_metadata, value == 1);
        break;
    case SQL_DESC_PARAMETER_TYPE:
        m_parameterType = static_cast<int16_t>(value);
        break;
    case SQL_DESC_NULLABLE:
        m_nullable = static_cast<int16_t>(value);
        break;
    case SQL_DESC_CASE_SENSITIVE:
        m_caseSensitive = static_cast<int32_t>(value);
        break;
    case SQL_DESC_UNNAMED:
        m_unnamed = static_cast<int16_t>(value);
        break;
    case SQL_DESC_NAME:
        m_name = in_value.m_text;
        break;
    default:
        WriteMetadataField(in_field, value);
        break;
    }
    m_isModified = true;
}

void ImplParamDescriptorRecord::CheckConsistency() const
{
    DescriptorTypes::CheckTypes(DescriptorKind::IPD, m_metadata->GetConciseType(), m_type, m_intervalCode);
    DescriptorTypes::Validate(*m_metadata);
}

void ImplParamDescriptorRecord::SetConciseType(int16_t in_conciseType)
{
    DescriptorTypes::CheckConciseType(DescriptorKind::IPD, in_conciseType);
    const int16_t type = DescriptorTypes::GetVerboseType(in_conciseType);
    const int16_t intervalCode = DescriptorTypes::GetIntervalCode(in_conciseType);
    // The same type again keeps what the application set for it.
    if (type != m_type || intervalCode != m_intervalCode || in_conciseType != m_metadata->GetConciseType())
    {
        GetFactory().SetSqlType(in_conciseType, *m_metadata);
    }
    m_type = type;
    m_intervalCode = intervalCode;
}

bool ImplParamDescriptorRecord::IsDatetimeOrInterval() const
{
    return m_type == SQL_DATETIME || m_type == SQL_INTERVAL;
}

void ImplParamDescriptorRecord::WriteMetadataField(int16_t in_field, int64_t in_value)
{
    SqlTypeMetadata& metadata = *m_metadata;
    switch (in_field)
    {
    case SQL_DESC_DATETIME_INTERVAL_PRECISION:
        metadata.SetColumnSize(ToColumnSize(in_value));
        // The rest as for the length.
        [[fallthrough]];
    case SQL_DESC_LENGTH:
        if (m_type == SQL_INTERVAL)
        {
            metadata.SetLengthOrIntervalPrecision(static_cast<uint64_t>(in_value));
        }
        else
        {
            metadata.SetColumnSize(ToColumnSize(in_value));
        }
        if (!IsDatetimeOrInterval() && !metadata.IsApproximateNumeric())
        {
            metadata.SetPrecision(ToSmallInt(in_value));
        }
        break;
    case SQL_DESC_PRECISION:
        // The precision of a floating-point type is fixed by the type.
        if (metadata.IsApproximateNumeric())
        {
            break;
        }
        metadata.SetPrecision(ToSmallInt(in_value));
        if (IsDatetimeOrInterval())
        {
            metadata.SetScale(ToSmallInt(in_value));
        }
        else
        {
            metadata.SetColumnSize(ToColumnSize(in_value));
        }
        break;
    case SQL_DESC_SCALE:
        metadata.SetScale(ToSmallInt(in_value));
        if (IsDatetimeOrInterval())
        {
            metadata.SetPrecision(ToSmallInt(in_value));
        }
        break;
    case SQL_DESC_OCTET_LENGTH:
        metadata.SetOctetLength(static_cast<uint64_t>(in_value));
        break;
    default:
        // Radix, names, encoding and the driver's attribute come with the type.
        throw ODBCInternalException(u"ReadOnlyDescField");
    }
}

} // namespace ODBC
} // namespace Orvik
