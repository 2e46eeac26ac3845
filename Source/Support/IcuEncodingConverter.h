#pragma once

#include "Support/EncodingConverter.h"
#include "Support/IcuConverter.h"

namespace Orvik {
namespace Support {

/// Converts through UTF-16: the source is decoded into a pivot buffer by one ICU converter and
/// encoded from there into the target by another. Bytes that end a source short of a character
/// wait for the next source, and a character that does not fit at the end of a target is finished
/// in the next one. Only a final Convert ends the text, once all of it is written: bytes still
/// short of a character and a lone lead surrogate become substitutes, and a stateful target
/// encoding (ISO-2022, HZ) returns to its initial state, so that the text can be read on its own.
///
/// In terminated mode a target holds whole characters only: the bytes of a character that did
/// not fit are taken back out of the target and carried to the start of the next one. The room
/// kept for one character is the larger of the encoding table's size and ICU's, as ICU counts
/// the escapes and shifts of stateful encodings and three-byte characters of EUC-JP. A target too
/// small for the next character, with nothing before it, gets the character's whole code units
/// that fit instead, and the next target the rest: otherwise a reader that gives one such target
/// after another would never get on. In UTF-16 that splits a surrogate pair between two targets.
///
/// A converter of one pair of encodings takes its shortcuts past ICU in Decode and Encode.
class IcuEncodingConverter : public EncodingConverter
{
public:
    /// Raises "ICUCreateUConverterErr" when ICU cannot open either converter.
    IcuEncodingConverter(EncodingType in_source, EncodingType in_target, bool in_terminate, bool in_refusesMalformed);

    /// Also decodes the source into the pivot.
    int32_t SetSource(const void* in_source, int32_t in_length) override;

    /// Also drops the carry, the pivot and what both ICU converters hold.
    void ResetPartial() override;

protected:
    bool IsTextOpen() const override { return m_isTextOpen; }
    void DoConvert() override;
    void DoConvertTerminated() override;

    /// Decodes from the source position into the whole pivot, which is empty; in_isEnd tells ICU
    /// that the source ends there.
    virtual void Decode(bool in_isEnd);

    /// Encodes the pivot text before in_pivotLimit into the target, stopping at in_targetLimit;
    /// in_isEnd tells ICU that the text ends there. Returns true when the target limit cut a
    /// character (ICU keeps the rest of it).
    virtual bool Encode(const char16_t* in_pivotLimit, char* in_targetLimit, bool in_isEnd);

    static constexpr int32_t PIVOT_SIZE = 65535;

    IcuConverter m_sourceConverter;
    IcuConverter m_targetConverter;
    char16_t m_pivot[PIVOT_SIZE];
    /// Decoded text waits between these two.
    const char16_t* m_pivotRead;
    const char16_t* m_pivotEnd;

private:
    enum class Outcome
    {
        LimitReached,
        Done
    };

    /// Decodes more source into the empty pivot. At the end of the final source, what the source
    /// converter still holds of a cut character comes out as a substitute. Returns false when
    /// nothing more came.
    bool Refill();

    /// In a final Convert, once the pivot and the source are empty, writes what ends the text.
    /// Returns true when in_targetLimit cut it (ICU keeps the rest of it).
    bool EndText(char* in_targetLimit);

    /// Encodes everything, decoding more source as the pivot empties, up to in_targetLimit.
    Outcome ConvertUpTo(char* in_targetLimit);

    /// Encodes one code unit at a time up to the terminator's place, taking back a character
    /// that does not fit.
    void ConvertCarefully();

    /// Writes the carry and what ICU still holds of its character. Returns false, with the rest
    /// carried, when the character does not fit before the terminator's place.
    bool WriteCarry();

    /// Moves the bytes written since in_characterStart back into the carry, before what it still
    /// holds; at the start of the target its whole code units stay. The target is then full and
    /// the rest of the text pending.
    void TakeBack(char* in_characterStart);

    /// The most bytes that ICU writes for one character in any encoding (with the escape or
    /// shift that a stateful encoding puts before it).
    static constexpr int32_t CARRY_SIZE = 8;

    /// The most bytes one character takes in the target, with a shift or escape before it.
    const int32_t m_targetMaxBytesPerChar;
    char m_carry[CARRY_SIZE];
    uint8_t m_carryCount = 0;
    /// A source was set and the text it began is not ended yet.
    bool m_isTextOpen = false;
};

} // namespace Support
} // namespace Orvik
