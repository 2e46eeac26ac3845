#include "ODBC/Descriptors/AppDescriptor.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

AppDescriptor::AppDescriptor(HandleValue in_handle,
                             bool in_isRowDescriptor,
                             Connection* in_parentConnection,
                             Support::IMessageSource* in_messageSource,
                             DSI::ILogger* in_log)
    : AppDescriptorBase(in_handle, SQL_DESC_ALLOC_AUTO, in_isRowDescriptor, in_parentConnection, in_messageSource, in_log)
{
}

} // namespace ODBC
} // namespace Orvik
