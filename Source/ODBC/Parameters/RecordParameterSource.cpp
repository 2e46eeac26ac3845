#include "ODBC/Parameters/RecordParameterSource.h"

#include "DSI/CallbackException.h"
#include "ODBC/Descriptors/DescriptorFieldValue.h"
#include "ODBC/Descriptors/ImplParamDescriptor.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

[[noreturn]] void ThrowAsCallback(const ErrorException& in_exception)
{
    throw DSI::CallbackException(in_exception.GetComponentId(), in_exception.GetMessageKey(),
                                 in_exception.GetRowNumber(), in_exception.GetColumnNumber());
}

[[noreturn]] void ThrowUnrecognised()
{
    throw DSI::CallbackException(ODBC_COMPONENT_ID, u"DescFieldNotRecg", -1, -1);
}

} // namespace

RecordParameterSource::RecordParameterSource(ImplParamDescriptor& io_descriptor, ImplParamDescriptorRecord& io_record)
    : m_descriptor(io_descriptor), m_record(io_record), m_isModified(io_record.IsModified())
{
}

uint64_t RecordParameterSource::GetColumnSize()
{
    return m_record.GetMetadata().GetStoredColumnSize();
}

uint64_t RecordParameterSource::GetLength()
{
    return GetColumnSize();
}

orvik_wstring RecordParameterSource::GetName()
{
    try
    {
        return m_record.Read(SQL_DESC_NAME).m_text;
    }
    catch (const ErrorException& e)
    {
        ThrowAsCallback(e);
    }
}

int32_t RecordParameterSource::GetNumPrecRadix()
{
    return m_record.GetMetadata().GetNumPrecRadix();
}

int16_t RecordParameterSource::GetInputOutputType()
{
    const int64_t type = ReadInteger(SQL_DESC_PARAMETER_TYPE);
    if (type != SQL_PARAM_INPUT && type != SQL_PARAM_INPUT_OUTPUT && type != SQL_PARAM_OUTPUT)
    {
        throw DSI::CallbackException(ODBC_COMPONENT_ID, u"InvalidParameterType", -1, -1);
    }
    return static_cast<int16_t>(type);
}

int16_t RecordParameterSource::GetPrecision()
{
    return m_record.GetMetadata().GetPrecision();
}

int16_t RecordParameterSource::GetScale()
{
    return m_record.GetMetadata().GetScale();
}

EncodingType RecordParameterSource::GetEncoding()
{
    return m_record.GetMetadata().GetEncoding();
}

int16_t RecordParameterSource::GetSqlType()
{
    return m_record.GetMetadata().GetConciseType();
}

int16_t RecordParameterSource::GetNullable()
{
    const int64_t nullable = ReadInteger(SQL_DESC_NULLABLE);
    if (nullable != SQL_NO_NULLS && nullable != SQL_NULLABLE && nullable != SQL_NULLABLE_UNKNOWN)
    {
        ThrowUnrecognised();
    }
    return static_cast<int16_t>(nullable);
}

bool RecordParameterSource::IsUnsigned()
{
    return m_record.GetMetadata().IsUnsigned();
}

uint16_t RecordParameterSource::GetParameterNumber()
{
    return static_cast<uint16_t>(m_record.GetParameterNumber());
}

bool RecordParameterSource::IsCaseSensitive()
{
    return ToFlag(ReadInteger(SQL_DESC_CASE_SENSITIVE));
}

bool RecordParameterSource::IsUnnamed()
{
    return ToFlag(ReadInteger(SQL_DESC_UNNAMED));
}

uint64_t RecordParameterSource::GetOctetLength()
{
    const SqlTypeMetadata& metadata = m_record.GetMetadata();
    if (metadata.IsWideCharacter())
    {
        return 2 * GetColumnSize();
    }
    if (metadata.IsCharacter() || metadata.IsBinary())
    {
        return GetColumnSize();
    }
    return metadata.GetOctetLength();
}

bool RecordParameterSource::IsModified()
{
    return m_isModified;
}

int64_t RecordParameterSource::ReadInteger(int16_t in_field)
{
    try
    {
        return m_record.Read(in_field).m_integer;
    }
    catch (const ErrorException& e)
    {
        ThrowAsCallback(e);
    }
}

void RecordParameterSource::WriteField(int16_t in_field, const DescriptorFieldValue& in_value)
{
    try
    {
        m_descriptor.SetFieldValue(m_record.GetParameterNumber(), in_field, in_value);
        m_record.SetModified(false);
    }
    catch (const ErrorException& e)
    {
        ThrowAsCallback(e);
    }
}

bool RecordParameterSource::ToFlag(int64_t in_value)
{
    if (in_value != 0 && in_value != 1)
    {
        ThrowUnrecognised();
    }
    return in_value == 1;
}

} // namespace ODBC
} // namespace Orvik
