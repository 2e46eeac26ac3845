#include "ODBC/Parameters/PopulatingParameterSource.h"

#include "DSI/BadStateException.h"
#include "DSI/CallbackException.h"
#include "ODBC/Descriptors/DescriptorFieldValue.h"
#include "ODBC/Descriptors/ImplParamDescriptor.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <sqlext.h>

#include <algorithm>
#include <limits>

namespace Orvik {
namespace ODBC {

using namespace Support;

PopulatingParameterSource::PopulatingParameterSource(ImplParamDescriptor& io_descriptor,
                                                     ImplParamDescriptorRecord& io_record)
    : m_descriptor(io_descriptor), m_record(io_record)
{
    m_record.SetModified(false);
}

bool PopulatingParameterSource::IsNull()
{
    throw DSI::BadStateException(ODBC_COMPONENT_ID, u"CannotQueryParmSrcDuringPopulate", -1, -1);
}

bool PopulatingParameterSource::IsDefault()
{
    throw DSI::BadStateException(ODBC_COMPONENT_ID, u"CannotQueryParmSrcDuringPopulate", -1, -1);
}

int16_t PopulatingParameterSource::GetSqlType()
{
    return m_record.GetMetadata().GetConciseType();
}

bool PopulatingParameterSource::IsUnsigned()
{
    return m_record.GetMetadata().IsUnsigned();
}

const void* PopulatingParameterSource::GetData(uint64_t&)
{
    throw DSI::BadStateException(ODBC_COMPONENT_ID, u"CannotQueryParmSrcDuringPopulate", -1, -1);
}

void PopulatingParameterSource::SetConciseType(int16_t in_type)
{
    WriteField(SQL_DESC_CONCISE_TYPE, DescriptorFieldValue::Integer(in_type));
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

void PopulatingParameterSource::SetColumnSize(uint64_t in_size)
{
    const uint64_t largest = std::numeric_limits<uint32_t>::max();
    m_record.GetMetadata().SetColumnSize(static_cast<uint32_t>(std::min(in_size, largest)));
}

void PopulatingParameterSource::WriteField(int16_t in_field, const DescriptorFieldValue& in_value)
{
    try
    {
        m_descriptor.SetFieldValue(m_record.GetParameterNumber(), in_field, in_value);
        m_record.SetModified(false);
    }
    catch (const ErrorException& e)
    {
        throw DSI::CallbackException(e.GetComponentId(), e.GetMessageKey(), e.GetRowNumber(), e.GetColumnNumber());
    }
}

} // namespace ODBC
} // namespace Orvik
