#include "Support/GetLastErrorText.h"

#include "Platform/OsError.h"
#include "Support/Utf8Text.h"

#include <cerrno>

namespace Orvik {
namespace Support {

orvik_wstring GetLastErrorText()
{
    return WStringFromUtf8(OS::GetErrorText(errno));
}

} // namespace Support
} // namespace Orvik
