#include "ODBC/Strings/RunningPlatform.h"

#include "Support/InvalidOperationException.h"
#include "Support/Platform.h"

namespace Orvik {
namespace ODBC {

Platform& RunningPlatform::Get()
{
    Platform* platform = Platform::GetPlatform();
    if (platform == nullptr)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    return *platform;
}

} // namespace ODBC
} // namespace Orvik
