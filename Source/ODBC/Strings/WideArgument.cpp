#include "ODBC/Strings/WideArgument.h"

#include "ODBC/Strings/RunningPlatform.h"
#include "Support/IDriverManagerStringConverter.h"
#include "Support/Platform.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

orvik_wstring WideArgument::Read(const SQLWCHAR* in_text, SQLINTEGER in_length)
{
    orvik_wstring text;
    RunningPlatform::Get().GetEncodingConverter().FromUChars(in_text, in_length, false, text);
    return text;
}

} // namespace ODBC
} // namespace Orvik
