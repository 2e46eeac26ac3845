#include "FloatingText.h"

#include "KernelOutput.h"

#include "Support/EncodingInfo.h"

#include <cmath>
#include <cstring>

namespace Orvik {
namespace Support {

namespace {

int64_t PositionOf(const char* in_text, int64_t in_length, const char* in_characters)
{
    const char* found = std::strpbrk(in_text, in_characters);
    return found == nullptr ? in_length : found - in_text;
}

} // namespace

FloatingText::FloatingText(float in_value, uint16_t in_digits)
    : m_length(static_cast<int64_t>(NumberConverter::ConvertFloatToChars(in_value, in_digits, m_text))),
      m_isNegative(in_value < 0),
      m_isSpecial(!std::isfinite(in_value))
{
}

FloatingText::FloatingText(double in_value, uint16_t in_digits)
    : m_length(static_cast<int64_t>(NumberConverter::ConvertDoubleToChars(in_value, in_digits, m_text))),
      m_isNegative(in_value < 0),
      m_isSpecial(!std::isfinite(in_value))
{
}

void FloatingText::WriteNarrow(void* out_target, int64_t& io_length, WarningListener& io_listener) const
{
    const int64_t size = io_length;
    io_length = m_length;
    if (out_target == nullptr)
    {
        return;
    }
    char text[NumberConverter::FORMAT_DOUBLE_BUFFER_SIZE];
    const int64_t written = Fit(size > 0 ? size - 1 : -1, text);
    Post(written, io_listener);
    if (written >= 0)
    {
        KernelOutput::WriteNarrowText(text, written, out_target, size);
    }
}

void FloatingText::WriteWide(void* out_target,
                             int64_t& io_length,
                             EncodingType in_encoding,
                             WarningListener& io_listener) const
{
    const int64_t unitSize = EncodingInfo::GetCodeUnitSize(in_encoding);
    const int64_t size = KernelOutput::AbsoluteSize(io_length);
    io_length = m_length * unitSize;
    if (out_target == nullptr)
    {
        return;
    }
    char text[NumberConverter::FORMAT_DOUBLE_BUFFER_SIZE];
    const int64_t written = Fit(size >= unitSize ? (size - unitSize) / unitSize : -1, text);
    Post(written, io_listener);
    if (written >= 0)
    {
        KernelOutput::WriteWideText(text, written, out_target, size, in_encoding);
    }
}

int64_t FloatingText::Fit(int64_t in_room, char* out_text) const
{
    if (m_length <= in_room)
    {
        std::memcpy(out_text, m_text, static_cast<size_t>(m_length));
        return m_length;
    }
    if (m_isSpecial)
    {
        return -1;
    }
    const int64_t exponent = PositionOf(m_text, m_length, "eE");
    if (exponent < m_length)
    {
        // Only mantissa digits may go; the first digit and the whole exponent stay.
        const int64_t exponentLength = m_length - exponent;
        const int64_t firstDigitEnd = m_isNegative ? 2 : 1;
        if (firstDigitEnd + exponentLength > in_room)
        {
            return -1;
        }
        int64_t kept = in_room - exponentLength;
        if (m_text[kept - 1] == '.')
        {
            --kept;
        }
        std::memcpy(out_text, m_text, static_cast<size_t>(kept));
        std::memcpy(out_text + kept, m_text + exponent, static_cast<size_t>(exponentLength));
        return kept + exponentLength;
    }
    if (PositionOf(m_text, m_length, ".") > in_room)
    {
        return -1;
    }
    std::memcpy(out_text, m_text, static_cast<size_t>(in_room));
    return in_room;
}

void FloatingText::Post(int64_t in_written, WarningListener& io_listener) const
{
    if (in_written < 0)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
    }
    else if (in_written < m_length)
    {
        KernelOutput::PostFractionalTrunc(io_listener, m_isNegative);
    }
}

} // namespace Support
} // namespace Orvik
