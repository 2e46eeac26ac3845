#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

/// An unsigned integer in 16-bit words, least significant first, wide enough for aligning two
/// exact numerics in a comparison (a 240-bit integer times ten to the 79th).
/// TDWNumeric does all of its digit work on it, four decimal digits at a time.
class TDWNumericMagnitude
{
public:
    static constexpr uint32_t WORD_BITS = 16;
    static constexpr uint32_t CAPACITY = 72;

    /// Ten to the power 0 to 4.
    static uint16_t PowerOfTen(uint32_t in_exponent);

    TDWNumericMagnitude() = default;
    explicit TDWNumericMagnitude(uint64_t in_value);

    uint32_t GetSize() const { return m_size; }
    uint16_t GetWord(uint32_t in_index) const { return m_words[in_index]; }
    bool IsZero() const { return m_size == 0; }
    uint32_t GetBitLength() const;

    /// Sets one word, growing the integer when the index is above its top word.
    void SetWord(uint32_t in_index, uint16_t in_word);

    /// this = this * in_factor + in_addend.
    void MultiplyAdd(uint16_t in_factor, uint16_t in_addend);

    /// Divides in place and returns the remainder.
    uint16_t Divide(uint16_t in_divisor);

    /// Multiplies by ten to in_digits in steps of 10000; false as soon as the integer needs
    /// more than in_maxWords words.
    bool MultiplyByPowerOfTen(uint32_t in_digits, uint32_t in_maxWords);

    /// Divides by ten to in_digits, truncating. Returns the remainder of the last division,
    /// that by out_lastDivisor, whose leading digit is the most significant digit dropped;
    /// io_droppedNonZero is set when any dropped digit was not zero.
    uint16_t DivideByPowerOfTen(
        uint32_t in_digits,
        uint16_t& out_lastDivisor,
        bool& io_droppedNonZero);

    /// Decimal digits of the integer; 0 for zero.
    uint32_t CountDigits() const;

    /// -1, 0 or 1 as in_left is below, equal to or above in_right.
    static int Compare(const TDWNumericMagnitude& in_left, const TDWNumericMagnitude& in_right);

private:
    void Trim();

    uint16_t m_words[CAPACITY] = {};
    uint32_t m_size = 0;
};

} // namespace Support
} // namespace Orvik
