#include "ODBC/Exports/EntryFrame.h"

#include "DSI/DSILog.h"
#include "ODBC/Descriptors/Descriptor.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Driver/Driver.h"

#include <cstdint>

namespace Orvik {
namespace ODBC {

void EntryFrame::PostDescriptorException(SQLHANDLE in_handle,
                                         const Support::ErrorException& in_exception,
                                         const char* in_functionName) noexcept
{
    try
    {
        Driver& driver = Driver::GetDriver();
        if (DSI::DSILog* log = driver.GetLog())
        {
            log->LogErrorException("", "CInterface", in_functionName, in_exception);
        }
        if (Descriptor* descriptor = driver.GetDescriptor(static_cast<HandleValue>(reinterpret_cast<uintptr_t>(in_handle))))
        {
            descriptor->GetDiagManager().Clear();
            descriptor->GetDiagManager().PostError(in_exception);
        }
    }
    catch (...)
    {
        // The call has failed already; it fails without a record.
    }
}

} // namespace ODBC
} // namespace Orvik
