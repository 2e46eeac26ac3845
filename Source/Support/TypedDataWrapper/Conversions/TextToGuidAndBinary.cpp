#include "TextToGuidAndBinary.h"

#include "KernelOutput.h"
#include "ToSqlSource.h"
#include "ToSqlSourceText.h"

#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/HexConverter.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/TDWGuidValue.h"
#include "Support/TypedDataWrapper/WarningListener.h"

#include <algorithm>
#include <cstring>

namespace Orvik {
namespace Support {

namespace {

constexpr char ESCAPE_START[] = "{guid '";
constexpr char ESCAPE_END[] = "'}";
constexpr size_t ESCAPE_START_LENGTH = sizeof(ESCAPE_START) - 1;
constexpr size_t ESCAPE_END_LENGTH = sizeof(ESCAPE_END) - 1;

/// The longest text that is a GUID itself, braces and blanks inside them included; a longer one
/// in braces must be the escape clause.
constexpr size_t MAX_BARE_GUID_LENGTH = 44;

/// The text without the blanks around it.
void Trim(const char*& io_text, size_t& io_length)
{
    while (io_length > 0 && *io_text == ' ')
    {
        ++io_text;
        --io_length;
    }
    while (io_length > 0 && io_text[io_length - 1] == ' ')
    {
        --io_length;
    }
}

/// The GUID that in_text spells, whole or in the escape clause.
bool ParseGuid(const char* in_text, size_t in_length, TDWGuidValue& out_guid)
{
    Trim(in_text, in_length);
    if (in_length == 0)
    {
        return false;
    }
    if (in_text[0] == '{' && in_length > MAX_BARE_GUID_LENGTH)
    {
        if (std::memcmp(in_text, ESCAPE_START, ESCAPE_START_LENGTH) != 0
            || std::memcmp(in_text + in_length - ESCAPE_END_LENGTH, ESCAPE_END, ESCAPE_END_LENGTH) != 0)
        {
            return false;
        }
        in_text += ESCAPE_START_LENGTH;
        in_length -= ESCAPE_START_LENGTH + ESCAPE_END_LENGTH;
    }
    out_guid.Parse(in_text, in_length, false);
    return out_guid.m_isValid;
}

} // namespace

// A GUID is the stricter result from an application's value; from a SQL-side value it is out
// of range.
void TextToGuidAndBinary::ToGuid(const ToSqlSource& in_source,
                                 SqlData& io_target,
                                 ToSqlKernelState&,
                                 WarningListener& io_listener)
{
    io_target.SetConvertedLength(sizeof(TDWGuidValue));
    ToSqlSourceText text;
    if (!text.Read(in_source, io_listener))
    {
        return;
    }
    TDWGuidValue guid;
    if (!ParseGuid(text.Data(), text.Length(), guid))
    {
        io_listener.PostWarning(in_source.IsCSource() ? ConversionResult::InvalidCharValForCast()
                                                      : ConversionResult::NumericValOutOfRange(KernelOutput::NO_ROOM));
        return;
    }
    KernelOutput::Store(io_target.GetBuffer(), guid);
}

void TextToGuidAndBinary::ToBinary(const ToSqlSource& in_source,
                                   SqlData& io_target,
                                   ToSqlKernelState&,
                                   WarningListener& io_listener)
{
    ToSqlSourceText text;
    if (!text.Read(in_source, io_listener))
    {
        return;
    }
    const size_t bytes = text.Length() / 2;
    io_target.SetLength(static_cast<uint32_t>(std::min<size_t>(bytes, UINT32_MAX)));
    const size_t kept = std::min<size_t>(bytes, io_target.GetLength());
    io_target.SetConvertedLength(static_cast<int64_t>(kept));
    if (!HexConverter::ConvertHexToBytes(text.Data(), 2 * kept, static_cast<uint8_t*>(io_target.GetBuffer()), false))
    {
        io_listener.PostWarning(ConversionResult::InvalidCharValForCast());
    }
    else if (kept < bytes)
    {
        KernelOutput::PostStrRightTrunc(io_listener);
    }
}

} // namespace Support
} // namespace Orvik
