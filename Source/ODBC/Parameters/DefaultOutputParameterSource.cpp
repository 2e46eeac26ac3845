#include "ODBC/Parameters/DefaultOutputParameterSource.h"

#include "DSI/BadStateException.h"
#include "DSI/NoDataInputParamException.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

DefaultOutputParameterSource::DefaultOutputParameterSource(ImplParamDescriptor& io_descriptor,
                                                           ImplParamDescriptorRecord& io_record)
    : PushedParameterSource(io_descriptor, io_record)
{
    m_record.SetModified(false);
}

SqlData& DefaultOutputParameterSource::GetOutputData()
{
    throw DSI::BadStateException(ODBC_COMPONENT_ID, u"CannotSetParmSrcAttrDuringPushData", -1, -1);
}

bool DefaultOutputParameterSource::IsPushed()
{
    throw DSI::BadStateException(ODBC_COMPONENT_ID, u"PushValueStatusUnknown", -1, -1);
}

const void* DefaultOutputParameterSource::GetData(uint64_t& out_length)
{
    CheckReadable();
    return GetHeldBytes(out_length);
}

SqlData& DefaultOutputParameterSource::GetSqlData()
{
    CheckReadable();
    return GetHeldData();
}

void DefaultOutputParameterSource::CheckReadable()
{
    if (IsDefault())
    {
        throw DSI::NoDataInputParamException(ODBC_COMPONENT_ID, u"CannotReadFromDefaultParam");
    }
}

} // namespace ODBC
} // namespace Orvik
