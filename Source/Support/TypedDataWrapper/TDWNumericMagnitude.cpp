#include "TDWNumericMagnitude.h"

#include <algorithm>

namespace Orvik {
namespace Support {

namespace {

constexpr uint16_t POWERS_OF_TEN[] = {1, 10, 100, 1000, 10000};

uint32_t DigitsOf(uint16_t in_value)
{
    return (in_value >= 1000) ? 4 : (in_value >= 100) ? 3 : (in_value >= 10) ? 2 : 1;
}

} // namespace

uint16_t TDWNumericMagnitude::PowerOfTen(uint32_t in_exponent)
{
    return POWERS_OF_TEN[in_exponent];
}

TDWNumericMagnitude::TDWNumericMagnitude(uint64_t in_value)
{
    for (; in_value != 0; in_value >>= WORD_BITS)
    {
        m_words[m_size++] = static_cast<uint16_t>(in_value);
    }
}

uint32_t TDWNumericMagnitude::GetBitLength() const
{
    if (m_size == 0)
    {
        return 0;
    }
    uint32_t bits = (m_size - 1) * WORD_BITS;
    for (uint32_t top = m_words[m_size - 1]; top != 0; top >>= 1)
    {
        ++bits;
    }
    return bits;
}

void TDWNumericMagnitude::SetWord(uint32_t in_index, uint16_t in_word)
{
    m_words[in_index] = in_word;
    m_size = std::max(m_size, in_index + 1);
    Trim();
}

void TDWNumericMagnitude::MultiplyAdd(uint16_t in_factor, uint16_t in_addend)
{
    uint32_t carry = in_addend;
    for (uint32_t i = 0; i < m_size; ++i)
    {
        carry += static_cast<uint32_t>(m_words[i]) * in_factor;
        m_words[i] = static_cast<uint16_t>(carry);
        carry >>= WORD_BITS;
    }
    if (carry != 0)
    {
        m_words[m_size++] = static_cast<uint16_t>(carry);
    }
    Trim();
}

uint16_t TDWNumericMagnitude::Divide(uint16_t in_divisor)
{
    uint32_t remainder = 0;
    for (uint32_t i = m_size; i-- > 0;)
    {
        uint32_t current = (remainder << WORD_BITS) | m_words[i];
        m_words[i] = static_cast<uint16_t>(current / in_divisor);
        remainder = current % in_divisor;
    }
    Trim();
    return static_cast<uint16_t>(remainder);
}

bool TDWNumericMagnitude::MultiplyByPowerOfTen(uint32_t in_digits, uint32_t in_maxWords)
{
    for (; in_digits > 0 && !IsZero(); in_digits -= std::min(in_digits, 4u))
    {
        MultiplyAdd(POWERS_OF_TEN[std::min(in_digits, 4u)], 0);
        if (m_size > in_maxWords)
        {
            return false;
        }
    }
    return true;
}

uint16_t TDWNumericMagnitude::DivideByPowerOfTen(
    uint32_t in_digits,
    uint16_t& out_lastDivisor,
    bool& io_droppedNonZero)
{
    uint16_t remainder = 0;
    out_lastDivisor = 1;
    while (in_digits > 0 && !IsZero())
    {
        uint32_t step = (in_digits > 4) ? 4 : in_digits;
        out_lastDivisor = POWERS_OF_TEN[step];
        remainder = Divide(out_lastDivisor);
        io_droppedNonZero = io_droppedNonZero || remainder != 0;
        in_digits -= step;
    }
    if (in_digits > 0)
    {
        // The integer ran out of digits: everything still to drop is zero.
        remainder = 0;
        out_lastDivisor = 10;
    }
    return remainder;
}

uint32_t TDWNumericMagnitude::CountDigits() const
{
    TDWNumericMagnitude rest = *this;
    uint32_t digits = 0;
    while (rest.m_size > 0)
    {
        uint16_t remainder = rest.Divide(10000);
        digits += rest.IsZero() ? DigitsOf(remainder) : 4;
    }
    return digits;
}

int TDWNumericMagnitude::Compare(const TDWNumericMagnitude& in_left, const TDWNumericMagnitude& in_right)
{
    if (in_left.m_size != in_right.m_size)
    {
        return (in_left.m_size < in_right.m_size) ? -1 : 1;
    }
    for (uint32_t i = in_left.m_size; i-- > 0;)
    {
        if (in_left.m_words[i] != in_right.m_words[i])
        {
            return (in_left.m_words[i] < in_right.m_words[i]) ? -1 : 1;
        }
    }
    return 0;
}

void TDWNumericMagnitude::Trim()
{
    while (m_size > 0 && m_words[m_size - 1] == 0)
    {
        --m_size;
    }
}

} // namespace Support
} // namespace Orvik
