#include "ODBC/Dispatch/WideOutputString.h"

#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Dispatch/CInterface.h"
#include "Support/EncodingInfo.h"
#include "Support/ErrorException.h"
#include "Support/SqlState.h"
#include "Support/orvik_wstring.h"

#include <cstring>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

uint8_t GetUnitSize()
{
    return EncodingInfo::GetCodeUnitSize(orvik_wstring::GetDriverManagerEncoding());
}

} // namespace

WideOutputString::WideOutputString(SQLPOINTER in_applicationBuffer,
                                   int64_t in_applicationLength,
                                   bool in_inBytes,
                                   int64_t in_largestLength)
    : m_length(in_applicationLength)
{
    if (in_applicationBuffer == nullptr)
    {
        return;
    }
    if (in_applicationLength < 0)
    {
        throw ErrorException(DIAG_INVALID_STRING_OR_BUFFER_LENGTH, ODBC_COMPONENT_ID, u"InvalidStrOrBuffLen", -1, -1);
    }
    const EncodingType encoding = orvik_wstring::GetDriverManagerEncoding();
    const int64_t unitSize = GetUnitSize();
    const int64_t perCharacter = EncodingInfo::GetMaxCodeUnitsPerChar(encoding) * (in_inBytes ? unitSize : 1);
    // Counted in 64 bits: a large buffer gives the most the wide call's length offers in whole
    // code units, never a wrapped length.
    int64_t length = std::min(in_applicationLength * perCharacter, in_largestLength);
    if (in_inBytes)
    {
        length -= length % unitSize;
    }
    Allocate(length, in_inBytes);
}

WideOutputString::WideOutputString(int64_t in_length, bool in_inBytes) : m_length(0)
{
    Allocate(in_length, in_inBytes);
}

WideOutputString WideOutputString::ForWholeText(int64_t in_longestLength, bool in_inBytes)
{
    return WideOutputString((in_longestLength + 1) * (in_inBytes ? GetUnitSize() : 1), in_inBytes);
}

void WideOutputString::Allocate(int64_t in_length, bool in_inBytes)
{
    const int64_t bytes = in_inBytes ? in_length : in_length * GetUnitSize();
    m_buffer.Resize(static_cast<uint64_t>(bytes));
    std::memset(m_buffer.GetBuffer(), 0, static_cast<size_t>(bytes));
    m_length = in_length;
}

bool WideOutputString::Convert(SQLPOINTER out_buffer, int64_t in_bufferLength, int64_t& io_length)
{
    if (out_buffer == nullptr)
    {
        // Only a buffer made for the whole text has one without the application's.
        if (m_buffer.GetSize() != 0)
        {
            io_length = std::max(io_length, MeasureInAnsi());
        }
        return false;
    }
    int32_t ansiLength = 0;
    bool truncated = false;
    CInterface::ConvertOutputString(m_buffer.GetBuffer(), MeasureText(), static_cast<SQLCHAR*>(out_buffer),
                                    static_cast<int32_t>(std::min<int64_t>(in_bufferLength, LARGEST_INTEGER_LENGTH)),
                                    &ansiLength, true, truncated);
    io_length = std::max<int64_t>(io_length, ansiLength);
    // A text of n characters takes at least n bytes and a terminator: a buffer too small for
    // one character (the wide call then had no buffer at all) has cut it too.
    return truncated || io_length >= in_bufferLength;
}

SQLRETURN WideOutputString::ReportCut(SQLRETURN in_result, DiagManager& io_diagnostics)
{
    // A text the wide call already cut is one truncation, reported once.
    if (!io_diagnostics.HasRecordWithState(SqlState("01004")))
    {
        io_diagnostics.PostWarning(DIAG_STRING_RIGHT_TRUNCATED_WARNING, ODBC_COMPONENT_ID, u"StrRightTruncWarn", -1, -1);
    }
    return in_result == SQL_SUCCESS ? SQL_SUCCESS_WITH_INFO : in_result;
}

int64_t WideOutputString::MeasureInAnsi() const
{
    // Converted into no room at all: nothing is written, and the full length is told.
    SQLCHAR nowhere = 0;
    int32_t length = 0;
    bool truncated = false;
    CInterface::ConvertOutputString(m_buffer.GetBuffer(), MeasureText(), &nowhere, 0, &length, true, truncated);
    return length;
}

SQLINTEGER WideOutputString::MeasureText() const
{
    const uint8_t unitSize = GetUnitSize();
    const uint8_t* const text = m_buffer.GetBuffer();
    const uint64_t size = m_buffer.GetSize() - m_buffer.GetSize() % unitSize;
    uint64_t bytes = 0;
    while (bytes < size && !std::all_of(text + bytes, text + bytes + unitSize, [](uint8_t in_byte) { return in_byte == 0; }))
    {
        bytes += unitSize;
    }
    return static_cast<SQLINTEGER>(bytes);
}

} // namespace ODBC
} // namespace Orvik
