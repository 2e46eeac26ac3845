#include "ODBC/Parameters/PopulatingParameterSource.h"

#include "DSI/BadStateException.h"
#include "DSI/CallbackException.h"
#include "ODBC/Descriptors/DescriptorFieldValue.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <sqlext.h>

#include <algorithm>
#include <limits>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

[[noreturn]] void RefuseQuery()
{
    throw DSI::BadStateException(ODBC_COMPONENT_ID, u"CannotQueryParmSrcDuringPopulate", -1, -1);
}

DescriptorFieldValue Flag(bool in_isSet)
{
    return DescriptorFieldValue::Integer(in_isSet ? SQL_TRUE : SQL_FALSE);
}

} // namespace

PopulatingParameterSource::PopulatingParameterSource(ImplParamDescriptor& io_descriptor,
                                                     ImplParamDescriptorRecord& io_record)
    : RecordParameterSource(io_descriptor, io_record)
{
    m_record.SetModified(false);
}

void PopulatingParameterSource::SetCaseSensitive(bool in_isCaseSensitive)
{
    WriteField(SQL_DESC_CASE_SENSITIVE, Flag(in_isCaseSensitive));
}

void PopulatingParameterSource::SetColumnSize(uint64_t in_size)
{
    const uint64_t largest = std::numeric_limits<uint32_t>::max();
    m_record.GetMetadata().SetColumnSize(static_cast<uint32_t>(std::min(in_size, largest)));
}

void PopulatingParameterSource::SetLength(uint64_t in_length)
{
    SetColumnSize(in_length);
}

void PopulatingParameterSource::SetName(const orvik_wstring& in_name)
{
    WriteField(SQL_DESC_NAME, DescriptorFieldValue::Text(in_name));
}

void PopulatingParameterSource::SetInputOutputType(int16_t in_type)
{
    switch (in_type)
    {
    case SQL_PARAM_INPUT:
    case SQL_PARAM_INPUT_OUTPUT:
        WriteField(SQL_DESC_PARAMETER_TYPE, DescriptorFieldValue::Integer(in_type));
        break;
    case SQL_PARAM_OUTPUT:
    case SQL_RETURN_VALUE:
        WriteField(SQL_DESC_PARAMETER_TYPE, DescriptorFieldValue::Integer(SQL_PARAM_OUTPUT));
        break;
    default:
        throw DSI::CallbackException(ODBC_COMPONENT_ID, u"InvalidParameterType", -1, -1);
    }
}

void PopulatingParameterSource::SetPrecision(int16_t in_precision)
{
    m_record.GetMetadata().SetPrecision(in_precision);
}

void PopulatingParameterSource::SetScale(int16_t in_scale)
{
    m_record.GetMetadata().SetScale(in_scale);
}

void PopulatingParameterSource::SetEncoding(EncodingType in_encoding)
{
    m_record.GetMetadata().SetEncoding(in_encoding);
}

void PopulatingParameterSource::SetNullable(int16_t in_nullable)
{
    const int16_t nullable =
        in_nullable == SQL_NO_NULLS || in_nullable == SQL_NULLABLE ? in_nullable : int16_t{SQL_NULLABLE_UNKNOWN};
    WriteField(SQL_DESC_NULLABLE, DescriptorFieldValue::Integer(nullable));
}

void PopulatingParameterSource::SetConciseType(int16_t in_type)
{
    WriteField(SQL_DESC_CONCISE_TYPE, DescriptorFieldValue::Integer(in_type));
}

void PopulatingParameterSource::SetUnnamed(bool in_isUnnamed)
{
    WriteField(SQL_DESC_UNNAMED, DescriptorFieldValue::Integer(in_isUnnamed ? SQL_UNNAMED : SQL_NAMED));
}

void PopulatingParameterSource::SetUnsigned(bool in_isUnsigned)
{
    WriteField(SQL_DESC_UNSIGNED, Flag(in_isUnsigned));
}

SqlData& PopulatingParameterSource::GetOutputData()
{
    RefuseQuery();
}

bool PopulatingParameterSource::IsPushed()
{
    throw DSI::BadStateException(ODBC_COMPONENT_ID, u"PushValueStatusUnknown", -1, -1);
}

bool PopulatingParameterSource::IsNull()
{
    RefuseQuery();
}

bool PopulatingParameterSource::IsDefault()
{
    RefuseQuery();
}

const void* PopulatingParameterSource::GetData(uint64_t&)
{
    RefuseQuery();
}

SqlData& PopulatingParameterSource::GetSqlData()
{
    RefuseQuery();
}

} // namespace ODBC
} // namespace Orvik
