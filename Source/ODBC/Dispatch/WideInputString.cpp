#include "ODBC/Dispatch/WideInputString.h"

#include "ODBC/Dispatch/CInterface.h"
#include "ODBC/Strings/RunningPlatform.h"
#include "Support/EncodingInfo.h"
#include "Support/ErrorException.h"
#include "Support/IDriverManagerStringConverter.h"
#include "Support/Platform.h"
#include "Support/orvik_wstring.h"

#include <limits>

namespace Orvik {
namespace ODBC {

using namespace Support;

WideInputString::WideInputString(const void* in_text, SQLINTEGER in_length, bool in_inBytes) : m_length(in_length)
{
    if (in_text == nullptr)
    {
        return;
    }
    if (in_length < 0 && in_length != SQL_NTS)
    {
        throw ErrorException(DIAG_INVALID_STRING_OR_BUFFER_LENGTH, ODBC_COMPONENT_ID, u"InvalidStrOrBuffLen", -1, -1);
    }
    const char* const text = static_cast<const char*>(in_text);
    const int64_t size = RunningPlatform::Get().GetEncodingConverter().GetNtsLength(text, in_length, in_inBytes, true);
    const uint8_t unitSize = EncodingInfo::GetCodeUnitSize(orvik_wstring::GetDriverManagerEncoding());
    m_buffer.Resize(static_cast<uint64_t>(in_inBytes ? size : size * unitSize));
    bool truncated = false;
    m_length = CInterface::ConvertInputString(reinterpret_cast<const SQLCHAR*>(text), in_length, m_buffer.GetBuffer(),
                                              size, in_inBytes, truncated);
    if (truncated)
    {
        throw ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"InputStringToUnicodeConvErr", -1, -1);
    }
    m_isConverted = true;
}

SQLWCHAR* WideInputString::GetText()
{
    return m_isConverted ? reinterpret_cast<SQLWCHAR*>(m_buffer.GetBuffer()) : nullptr;
}

SQLSMALLINT WideInputString::GetShortLength() const
{
    return m_isConverted && m_length > std::numeric_limits<SQLSMALLINT>::max() ? SQL_NTS : static_cast<SQLSMALLINT>(m_length);
}

} // namespace ODBC
} // namespace Orvik
