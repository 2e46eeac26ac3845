#include "ODBC/Parameters/PopulatingParameterSource.h"

#include "DSI/CallbackException.h"
#include "ODBC/Descriptors/DescriptorFieldValue.h"
#include "ODBC/Descriptors/ImplParamDescriptor.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

PopulatingParameterSource::PopulatingParameterSource(ImplParamDescriptor& io_descriptor,
                                                     ImplParamDescriptorRecord& io_record)
    : m_descriptor(io_descriptor), m_record(io_record), m_isModified(io_record.IsModified())
{
    m_record.SetModified(false);
}

uint16_t PopulatingParameterSource::GetParameterNumber() const
{
    return static_cast<uint16_t>(m_record.GetParameterNumber());
}

void PopulatingParameterSource::SetCaseSensitive(bool in_isCaseSensitive)
{
    WriteField(SQL_DESC_CASE_SENSITIVE, DescriptorFieldValue::Integer(in_isCaseSensitive ? SQL_TRUE : SQL_FALSE));
}

void PopulatingParameterSource::SetColumnSize(uint32_t in_columnSize)
{
    m_record.GetMetadata().SetColumnSize(in_columnSize);
}

void PopulatingParameterSource::SetLength(uint32_t in_length)
{
    m_record.GetMetadata().SetColumnSize(in_length);
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
    const int16_t nullable = (in_nullable == SQL_NO_NULLS || in_nullable == SQL_NULLABLE) ? in_nullable
                                                                                          : SQL_NULLABLE_UNKNOWN;
    WriteField(SQL_DESC_NULLABLE, DescriptorFieldValue::Integer(nullable));
}

void PopulatingParameterSource::SetSqlType(int16_t in_sqlType)
{
    WriteField(SQL_DESC_CONCISE_TYPE, DescriptorFieldValue::Integer(in_sqlType));
}

void PopulatingParameterSource::SetUnnamed(bool in_isUnnamed)
{
    WriteField(SQL_DESC_UNNAMED, DescriptorFieldValue::Integer(in_isUnnamed ? SQL_UNNAMED : SQL_NAMED));
}

void PopulatingParameterSource::SetUnsigned(bool in_isUnsigned)
{
    WriteField(SQL_DESC_UNSIGNED, DescriptorFieldValue::Integer(in_isUnsigned ? SQL_TRUE : SQL_FALSE));
}

void PopulatingParameterSource::WriteField(int16_t in_field, const DescriptorFieldValue& in_value)
{
    try
    {
        m_descriptor.SetFieldValue(m_record.GetParameterNumber(), in_field, in_value);
        // What the data engine describes is the record's starting point, not a change to it.
        m_record.SetModified(false);
    }
    catch (const ErrorException& e)
    {
        throw DSI::CallbackException(e.GetComponentId(), e.GetMessageKey(), e.GetRowNumber(), e.GetColumnNumber());
    }
}

} // namespace ODBC
} // namespace Orvik
