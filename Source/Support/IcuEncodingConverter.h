#pragma once

#include "Support/EncodingConverter.h"
#include "Support/IcuConverter.h"

namespace Orvik {
namespace Support {

/// Converts through UTF-16: the source is decoded into a pivot buffer by one ICU converter and
/// encoded from there into the target by another. Neither flushes, so bytes that end a source
/// short of a character wait for the next source, and a character that does not fit at the end
/// of a target is finished in the next one.
///
/// In terminated mode a target holds whole characters only: the bytes of a character that did
/// not fit are taken back out of the target and carried to the start of the next one. The room
/// kept for one character is the larger of the encoding table's size and ICU's, as ICU counts
/// the escapes and shifts of stateful encodings and three-byte characters of EUC-JP.
class IcuEncodingConverter : public EncodingConverter
{
public:
    /// Raises "ICUCreateUConverterErr" when ICU cannot open either converter.
    IcuEncodingConverter(EncodingType in_source, EncodingType in_target, bool in_terminate);

    /// Also decodes the source into the pivot.
    int32_t SetSource(const void* in_source, int32_t in_length) override;

    /// Also drops the carry, the pivot and what both ICU converters hold.
    void ResetPartial() override;

protected:
    void DoConvert() override;
    void DoConvertTerminated() override;

private:
    enum class Outcome
    {
        LimitReached,
        Done
    };

    /// Decodes from the source position into the whole pivot.
    void Decode();

    /// Encodes the pivot text before in_pivotLimit into the target, stopping at in_targetLimit.
    /// Returns true when the target limit cut a character (ICU keeps the rest of it).
    bool Encode(const char16_t* in_pivotLimit, char* in_targetLimit);

    /// Encodes everything, decoding more source as the pivot empties, up to in_targetLimit.
    Outcome ConvertUpTo(char* in_targetLimit);

    /// Encodes one code unit at a time up to the terminator's place, taking back a character
    /// that does not fit.
    void ConvertCarefully();

    /// Writes the carry and what ICU still holds of its character. Returns false, with the carry
    /// kept, when the character does not fit before the terminator's place.
    bool WriteCarry();

    /// Moves the bytes written since in_characterStart back into the carry.
    void TakeBack(char* in_characterStart);

    static constexpr int32_t PIVOT_SIZE = 65535;
    /// The most bytes that ICU writes for one character in any encoding (with the escape or
    /// shift that a stateful encoding puts before it).
    static constexpr int32_t CARRY_SIZE = 8;

    IcuConverter m_sourceConverter;
    IcuConverter m_targetConverter;
    /// The most bytes one character takes in the target, with a shift or escape before it.
    const int32_t m_targetMaxBytesPerChar;
    char16_t m_pivot[PIVOT_SIZE];
    /// Decoded text waits between these two.
    const char16_t* m_pivotRead;
    const char16_t* m_pivotEnd;
    char m_carry[CARRY_SIZE];
    uint8_t m_carryCount = 0;
};

} // namespace Support
} // namespace Orvik
