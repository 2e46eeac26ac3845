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
/// UTF-8 into UTF-16 is the road of every long text read as wide characters, so it takes two
/// shortcuts that give the same text as the converters: whole UTF-8 characters are decoded with
/// u_strFromUTF8WithSub, and a UTF-16LE target gets the pivot copied rather than encoded.
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

private:
    enum class Outcome
    {
        LimitReached,
        Done
    };

    /// Decodes from the source position into the whole pivot; in_isEnd tells ICU that the source
    /// ends there.
    void Decode(bool in_isEnd);

    /// Decodes the whole UTF-8 characters at the source position into the empty pivot through
    /// u_strFromUTF8WithSub, which replaces bytes that are not UTF-8 as the converter does and
    /// runs faster; the converter first finishes a character it holds from an earlier source.
    /// Returns false when nothing was decoded: the source ends inside a character, which is left
    /// for the converter to hold.
    bool DecodeUtf8();

    /// Decodes more source into the empty pivot. At the end of the final source, what the source
    /// converter still holds of a cut character comes out as a substitute. Returns false when
    /// nothing more came.
    bool Refill();

    /// Encodes the pivot text before in_pivotLimit into the target, stopping at in_targetLimit;
    /// in_isEnd tells ICU that the text ends there. Returns true when the target limit cut a
    /// character (ICU keeps the rest of it).
    bool Encode(const char16_t* in_pivotLimit, char* in_targetLimit, bool in_isEnd = false);

    /// Copies the pivot's code units as they are, as many as fit before in_targetLimit, while
    /// ICU holds nothing of the text: encoding them into UTF-16LE would only copy them, a code
    /// unit at a time. A lead surrogate without its trail is left to ICU, as is what does not fit.
    void CopyPivot(const char16_t* in_pivotLimit, char* in_targetLimit);

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
    const bool m_isSourceUtf8;
    /// UTF-8 decodes into well-formed UTF-16 (whole surrogate pairs in every pivot), and the
    /// target is UTF-16 in the host's byte order: the pivot is copied into the target.
    const bool m_isPivotCopied;
    /// The target converter holds nothing: no lead surrogate waiting for its trail, no bytes
    /// that did not fit.
    bool m_isTargetConverterIdle = true;
    /// A source was set and the text it began is not ended yet.
    bool m_isTextOpen = false;
};

} // namespace Support
} // namespace Orvik
