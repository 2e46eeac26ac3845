#pragma once

#include "ODBC/Descriptors/AppDescriptorBase.h"

namespace Orvik {
namespace ODBC {

/// A statement's own application descriptor (SQL_DESC_ALLOC_AUTO): its ARD, which has a
/// bookmark record, or its APD, which has none. It lives as long as its statement.
class AppDescriptor : public AppDescriptorBase
{
public:
    /// The row descriptor when in_isRowDescriptor, else the parameter descriptor; the other
    /// arguments as Descriptor's.
    AppDescriptor(HandleValue in_handle,
                  bool in_isRowDescriptor,
                  Connection* in_parentConnection,
                  Support::IMessageSource* in_messageSource,
                  DSI::ILogger* in_log);
};

} // namespace ODBC
} // namespace Orvik
