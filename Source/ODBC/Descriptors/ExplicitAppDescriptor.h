#pragma once

#include "ODBC/Descriptors/AppDescriptorBase.h"

#include <vector>

namespace Orvik {
namespace ODBC {

/// An application descriptor that the application allocated on a connection
/// (SQL_DESC_ALLOC_USER). Any statement of that connection may use it as its ARD or APD; those
/// statements listen for its end, and take their implicit descriptors again when it is freed.
class ExplicitAppDescriptor : public AppDescriptorBase
{
public:
    /// Arguments as Descriptor's; the descriptor has a bookmark record.
    ExplicitAppDescriptor(HandleValue in_handle,
                          Connection* in_parentConnection,
                          Support::IMessageSource* in_messageSource,
                          DSI::ILogger* in_log);

    /// Tells every listening statement first, then deletes the records.
    ~ExplicitAppDescriptor() override;

    bool IsExplicit() const override;

    /// A statement that uses this descriptor; one already listening is not added again.
    void AddDeleteListener(IDescriptorDeleteListener* in_listener) override;

    /// A statement that no longer uses it; one not listening is ignored.
    void RemoveDeleteListener(IDescriptorDeleteListener* in_listener) override;

private:
    std::vector<IDescriptorDeleteListener*> m_listeners;
};

} // namespace ODBC
} // namespace Orvik
