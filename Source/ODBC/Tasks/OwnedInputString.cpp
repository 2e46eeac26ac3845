#include "ODBC/Tasks/OwnedInputString.h"

#include "ODBC/Dispatch/CInterface.h"
#include "Support/EncodingInfo.h"
#include "Support/orvik_wstring.h"

#include <cstring>
#include <limits>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

bool IsReadable(const SQLWCHAR* in_text, int32_t in_length)
{
    return in_text != nullptr && (in_length >= 0 || in_length == SQL_NTS);
}

} // namespace

void OwnedInputString::Capture(SQLWCHAR*& io_text, SQLSMALLINT& io_length)
{
    if (IsReadable(io_text, io_length))
    {
        io_length = static_cast<SQLSMALLINT>(Copy(io_text, io_length, std::numeric_limits<SQLSMALLINT>::max()));
        io_text = reinterpret_cast<SQLWCHAR*>(m_buffer.GetBuffer());
    }
}

void OwnedInputString::Capture(SQLWCHAR*& io_text, SQLINTEGER& io_length)
{
    if (IsReadable(io_text, io_length))
    {
        io_length = static_cast<SQLINTEGER>(Copy(io_text, io_length, std::numeric_limits<SQLINTEGER>::max()));
        io_text = reinterpret_cast<SQLWCHAR*>(m_buffer.GetBuffer());
    }
}

int64_t OwnedInputString::Copy(const SQLWCHAR* in_text, int32_t in_length, int64_t in_maxLength)
{
    const int64_t length = CInterface::CopyToOwnedBuffer(in_text, in_length, m_buffer);
    if (length <= in_maxLength)
    {
        return length;
    }
    // A terminated text too long for its length argument keeps being measured by the call.
    const uint64_t unitSize = EncodingInfo::GetCodeUnitSize(orvik_wstring::GetDriverManagerEncoding());
    SizedBuffer terminated;
    terminated.Resize(m_buffer.GetSize() + unitSize);
    std::memcpy(terminated.GetBuffer(), m_buffer.GetBuffer(), m_buffer.GetSize());
    std::memset(terminated.GetBuffer() + m_buffer.GetSize(), 0, unitSize);
    m_buffer = std::move(terminated);
    return SQL_NTS;
}

} // namespace ODBC
} // namespace Orvik
