#include "ODBC/Tasks/OwnedOutputString.h"

#include "ODBC/Dispatch/CInterface.h"
#include "Support/EncodingInfo.h"
#include "Support/orvik_wstring.h"

#include <cstring>

namespace Orvik {
namespace ODBC {

using namespace Support;

uint8_t* OwnedOutputString::Allocate(SQLSMALLINT in_bufferLength, bool in_lengthInBytes)
{
    const uint64_t unitSize = EncodingInfo::GetCodeUnitSize(orvik_wstring::GetDriverManagerEncoding());
    const uint64_t bytes = in_lengthInBytes ? in_bufferLength : in_bufferLength * unitSize;
    m_buffer.Resize(bytes);
    // Whatever the call leaves unwritten reads as an empty text.
    std::memset(m_buffer.GetBuffer(), 0, bytes);
    m_bufferLength = in_bufferLength;
    m_isLengthInBytes = in_lengthInBytes;
    m_isCaptured = true;
    return m_buffer.GetBuffer();
}

bool OwnedOutputString::CopyTo(void* out_buffer, SQLSMALLINT in_bufferLength, int64_t in_textLength) const
{
    // A collecting call without a buffer asks for no text, so nothing of it is cut.
    if (!m_isCaptured || out_buffer == nullptr)
    {
        return false;
    }
    bool truncated = false;
    CInterface::CopyTruncated(m_buffer, in_textLength, out_buffer, in_bufferLength, m_isLengthInBytes, truncated);
    return truncated && in_bufferLength < m_bufferLength;
}

} // namespace ODBC
} // namespace Orvik
