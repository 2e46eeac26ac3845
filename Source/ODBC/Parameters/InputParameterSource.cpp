#include "ODBC/Parameters/InputParameterSource.h"

#include "DSI/NoDataInputParamException.h"
#include "DSI/ReadFromOutputParamException.h"
#include "DSI/WriteToDefaultParamException.h"
#include "DSI/WriteToInputParamException.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "Support/TypedDataWrapper/SqlData.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

InputParameterSource::InputParameterSource(ImplParamDescriptor& io_descriptor,
                                           ImplParamDescriptorRecord& io_record,
                                           bool in_isInput)
    : PushedParameterSource(io_descriptor, io_record), m_isInput(in_isInput)
{
    GetHeldData().SetNull(true);
    if (!in_isInput || ReadInteger(SQL_DESC_PARAMETER_TYPE) != SQL_PARAM_INPUT_OUTPUT)
    {
        m_record.SetModified(false);
    }
}

SqlData& InputParameterSource::GetOutputData()
{
    if (!m_isInput)
    {
        return GetHeldData();
    }
    if (IsDefault())
    {
        throw DSI::WriteToDefaultParamException(ODBC_COMPONENT_ID, u"WriteToDefaultParam", -1, -1);
    }
    throw DSI::WriteToInputParamException(ODBC_COMPONENT_ID, u"WriteToInputParam", -1, -1);
}

bool InputParameterSource::IsPushed()
{
    return m_isPushed;
}

const void* InputParameterSource::GetData(uint64_t& out_length)
{
    CheckReadable();
    return GetHeldBytes(out_length);
}

SqlData& InputParameterSource::GetSqlData()
{
    CheckReadable();
    return GetHeldData();
}

void InputParameterSource::ResetForSet()
{
    GetHeldData().SetNull(false);
    SetDefault(false);
    m_isPushed = false;
}

void InputParameterSource::CheckReadable()
{
    if (!m_isInput)
    {
        throw DSI::ReadFromOutputParamException(ODBC_COMPONENT_ID, u"CannotReadFromOutputParam", -1, -1);
    }
    if (m_isPushed)
    {
        throw DSI::NoDataInputParamException(ODBC_COMPONENT_ID, u"CannotReadFromPushedParam");
    }
}

} // namespace ODBC
} // namespace Orvik
