#include "ODBC/Strings/WideArgument.h"

#include "Support/IDriverManagerStringConverter.h"
#include "Support/InvalidOperationException.h"
#include "Support/Platform.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

orvik_wstring WideArgument::Read(const SQLWCHAR* in_text, SQLINTEGER in_length)
{
    Platform* platform = Platform::GetPlatform();
    if (platform == nullptr)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    orvik_wstring text;
    platform->GetEncodingConverter().FromUChars(in_text, in_length, false, text);
    return text;
}

} // namespace ODBC
} // namespace Orvik
