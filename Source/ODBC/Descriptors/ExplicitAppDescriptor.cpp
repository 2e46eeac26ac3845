#include "ODBC/Descriptors/ExplicitAppDescriptor.h"

#include "ODBC/Descriptors/IDescriptorDeleteListener.h"
#include "Support/CriticalSectionLock.h"

#include <sqlext.h>

#include <algorithm>
#include <utility>

namespace Orvik {
namespace ODBC {

using namespace Support;

ExplicitAppDescriptor::ExplicitAppDescriptor(HandleValue in_handle,
                                             Connection* in_parentConnection,
                                             IMessageSource* in_messageSource,
                                             DSI::ILogger* in_log)
    : AppDescriptorBase(in_handle, SQL_DESC_ALLOC_USER, true, in_parentConnection, in_messageSource, in_log)
{
}

ExplicitAppDescriptor::~ExplicitAppDescriptor()
{
    // A statement that drops this descriptor stops listening to it, which changes the list:
    // walk a list of our own.
    std::vector<IDescriptorDeleteListener*> listeners;
    {
        CriticalSectionLock lock(GetLock());
        listeners.swap(m_listeners);
    }
    for (IDescriptorDeleteListener* listener : listeners)
    {
        try
        {
            listener->DropAppDescriptor(*this);
        }
        catch (...)
        {
            // The descriptor goes whatever a statement says; the others must still be told.
        }
    }
}

bool ExplicitAppDescriptor::IsExplicit() const
{
    return true;
}

void ExplicitAppDescriptor::AddDeleteListener(IDescriptorDeleteListener* in_listener)
{
    CriticalSectionLock lock(GetLock());
    if (std::find(m_listeners.begin(), m_listeners.end(), in_listener) == m_listeners.end())
    {
        m_listeners.push_back(in_listener);
    }
}

void ExplicitAppDescriptor::RemoveDeleteListener(IDescriptorDeleteListener* in_listener)
{
    CriticalSectionLock lock(GetLock());
    const auto found = std::find(m_listeners.begin(), m_listeners.end(), in_listener);
    if (found != m_listeners.end())
    {
        m_listeners.erase(found);
    }
}

} // namespace ODBC
} // namespace Orvik
