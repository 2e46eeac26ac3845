#include "ODBC/Dispatch/CInterface.h"

#include "ODBC/Strings/RunningPlatform.h"
#include "Support/DriverManagerStringConverter.h"
#include "Support/EncodingInfo.h"
#include "Support/InvalidArgumentException.h"
#include "Support/MalformedTextException.h"
#include "Support/Platform.h"
#include "Support/SizedBuffer.h"
#include "Support/TextValidator.h"
#include "Support/orvik_wstring.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

IDriverManagerStringConverter& GetConverter()
{
    return RunningPlatform::Get().GetEncodingConverter();
}

int32_t ClampToInt32(int64_t in_value)
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(in_value, 0, std::numeric_limits<int32_t>::max()));
}

// The bytes of a wide text up to its first zero code unit.
int64_t MeasureTerminated(const uint8_t* in_text, uint8_t in_unitSize)
{
    int64_t bytes = 0;
    while (!std::all_of(in_text + bytes, in_text + bytes + in_unitSize, [](uint8_t in_byte) { return in_byte == 0; }))
    {
        bytes += in_unitSize;
    }
    return bytes;
}

} // namespace

void CInterface::CheckInputString(const SQLCHAR* in_text, SQLINTEGER in_length)
{
    if (in_text == nullptr)
    {
        return;
    }
    const EncodingType encoding = orvik_wstring::GetAnsiEncoding();
    const uint64_t length = in_length == SQL_NTS ? std::strlen(reinterpret_cast<const char*>(in_text))
                                                 : static_cast<uint64_t>(std::max<SQLINTEGER>(in_length, 0));
    const uint64_t malformed = TextValidator::FindMalformed(in_text, length, encoding);
    if (malformed != TextValidator::VALID)
    {
        throw ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"InputStringMalformed",
                             {MalformedTextException::PositionText(malformed), MalformedTextException::EncodingText(encoding)},
                             -1, -1);
    }
}

int32_t CInterface::ConvertInputString(const SQLCHAR* in_text,
                                       SQLINTEGER in_length,
                                       void* out_buffer,
                                       int64_t in_bufferLength,
                                       bool in_lengthInBytes,
                                       bool& out_truncated)
{
    if (in_text == nullptr)
    {
        return 0;
    }
    CheckInputString(in_text, in_length);
    IDriverManagerStringConverter& converter = GetConverter();
    orvik_wstring text;
    converter.FromBytes(reinterpret_cast<const char*>(in_text), in_length, text);
    // No text of a 32-bit length needs more; a larger buffer is only partly offered.
    return converter.ToBuffer(text, out_buffer, ClampToInt32(in_bufferLength), in_lengthInBytes, out_truncated);
}

void CInterface::ConvertOutputString(const void* in_text,
                                     SQLINTEGER in_length,
                                     SQLCHAR* out_buffer,
                                     int32_t in_bufferLength,
                                     int32_t* out_length,
                                     bool in_lengthInBytes,
                                     bool& out_truncated)
{
    if (out_buffer == nullptr)
    {
        return;
    }
    Platform& platform = RunningPlatform::Get();
    orvik_wstring text;
    platform.GetEncodingConverter().FromUChars(in_text, in_length, in_lengthInBytes, text);
    // The same whole-character writing as for the driver manager, in the application's encoding:
    // a multi-byte character is never split.
    DriverManagerStringConverter ansi(orvik_wstring::GetAnsiEncoding(), platform.GetStringConverter());
    ansi.ToBuffer(text, out_buffer, std::max(in_bufferLength, 0), true, out_truncated);
    if (out_length != nullptr)
    {
        *out_length = ansi.GetRequiredLength(text, true);
    }
}

int64_t CInterface::CopyToOwnedBuffer(const void* in_text, int32_t in_length, SizedBuffer& io_buffer)
{
    const uint8_t unitSize = EncodingInfo::GetCodeUnitSize(orvik_wstring::GetDriverManagerEncoding());
    if (in_text == nullptr || (in_length < 0 && in_length != SQL_NTS))
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    const uint8_t* const text = static_cast<const uint8_t*>(in_text);
    const int64_t bytes = in_length == SQL_NTS ? MeasureTerminated(text, unitSize) : int64_t{in_length} * unitSize;
    io_buffer.Resize(static_cast<uint64_t>(bytes));
    std::memcpy(io_buffer.GetBuffer(), text, static_cast<size_t>(bytes));
    return bytes / unitSize;
}

void CInterface::CopyTruncated(const SizedBuffer& in_source,
                               int64_t in_textLength,
                               void* out_target,
                               int64_t in_targetLength,
                               bool in_lengthsInBytes,
                               bool& out_truncated)
{
    const uint8_t unitSize = EncodingInfo::GetCodeUnitSize(orvik_wstring::GetDriverManagerEncoding());
    const int64_t sourceSize = static_cast<int64_t>(in_source.GetSize());
    // The text the call reported, but never more than its buffer holds before the terminator:
    // a text the call already cut is copied as it was cut.
    const int64_t reported = in_lengthsInBytes ? in_textLength : in_textLength * unitSize;
    int64_t textBytes = std::clamp<int64_t>(reported, 0, std::max<int64_t>(sourceSize - unitSize, 0));
    textBytes -= textBytes % unitSize;
    IDriverManagerStringConverter& converter = GetConverter();
    orvik_wstring text;
    converter.FromUChars(in_source.GetBuffer(), static_cast<int32_t>(textBytes), true, text);
    // Written again rather than copied, so that a cut falls between whole characters.
    converter.ToBuffer(text, out_target, ClampToInt32(in_targetLength), in_lengthsInBytes, out_truncated);
}

} // namespace ODBC
} // namespace Orvik
