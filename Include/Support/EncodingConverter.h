#pragma once

#include "Support/EncodingType.h"

#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {

class TextValidator;

/// Converts text from one encoding to another while it moves in pieces: the caller sets a source
/// and a target, converts, and sets further targets (and sources) until everything is converted.
/// What is left unfinished between calls (source bytes short of a character, decoded text that
/// did not fit, bytes of a character cut at the end of a target) stays inside the converter.
/// The converter does not own the buffers; they must stay valid until the next SetSource or
/// SetTarget. Made by EncodingConverterFactory; one thread at a time.
///
/// Typical use: SetSource, then while NeedsConvert, SetTarget with the next buffer and
/// Convert(true), which returns the bytes written there. A caller that feeds the source in pieces
/// calls Convert(false) and, on -1, sets the next piece.
///
/// Errors are ErrorExceptions of the general error from the support component; after one the
/// converter must be reset (ResetPartial) or deleted.
///
/// A converter that refuses malformed text checks each source as it is set and, at a final
/// Convert, that the text does not end inside a character: text that is not valid in the source
/// encoding raises MalformedTextException at its first bad byte, counted from the first source
/// since the converter was made or reset, before any of it is converted. Other converters
/// convert such text as their kind does (ICU writes substitutes, a copy copies it).
class EncodingConverter
{
public:
    virtual ~EncodingConverter();

    EncodingConverter(const EncodingConverter&) = delete;
    EncodingConverter& operator=(const EncodingConverter&) = delete;

    /// Sets the next piece of source, in_length bytes or NUL_TERMINATED. Returns the length used.
    /// Whatever the previous source left unconverted is dropped, so call it only when NeedsConvert
    /// is false. A converter that refuses malformed text checks the piece first.
    virtual int32_t SetSource(const void* in_source, int32_t in_length);

    /// Sets the next target of in_length bytes and returns that length. An output buffer is never
    /// measured: a negative length, NUL_TERMINATED included, throws InvalidArgumentException.
    int32_t SetTarget(void* out_target, int32_t in_length);

    /// True when this converter converts from in_source to in_target.
    bool IsSamePair(EncodingType in_source, EncodingType in_target) const;

    /// Converts into the current target. in_isFinal tells that no more source follows, so that
    /// the text is ended once all of it is written (see IsTextOpen). Returns -1 when the source ran
    /// out before the target was full and in_isFinal is false (the caller is to give more source);
    /// otherwise the bytes written into the current target, without a terminator.
    int32_t Convert(bool in_isFinal);

    /// True while the source is not consumed or converted text waits to be written.
    bool NeedsConvert() const;

    /// Drops what remains of the current text, so that the converter can start on an unrelated
    /// one; NeedsConvert is then false.
    virtual void ResetPartial();

protected:
    /// in_terminate makes every target hold whole characters only, followed by one zero code unit;
    /// in_refusesMalformed makes the converter check its sources.
    EncodingConverter(EncodingType in_source, EncodingType in_target, bool in_terminate, bool in_refusesMalformed);

    /// True while the text converted so far still lacks its end, which a final Convert writes even
    /// when no source or converted text waits.
    virtual bool IsTextOpen() const { return false; }

    /// Converts as much as fits into the target.
    virtual void DoConvert() = 0;

    /// Converts whole characters, as many as fit with the terminator, and writes the terminator.
    virtual void DoConvertTerminated() = 0;

    const char* GetSourceEnd() const { return m_sourceStart + m_sourceLength; }
    char* GetTargetEnd() const { return m_targetStart + m_targetLength; }

    /// False, with the target full and the text waiting, when the target has no room left for a
    /// terminator: it then gets nothing.
    bool HasRoomForTerminator();

    /// Writes one zero code unit at the target position.
    void WriteTerminator();

    const EncodingType m_sourceEncoding;
    const EncodingType m_targetEncoding;
    const bool m_terminate;
    bool m_isSourceConsumed = true;
    bool m_isTargetFull = false;
    /// Data of the current source waits to be written.
    bool m_isPending = false;
    /// The current Convert is final: no more source follows.
    bool m_isFinal = false;
    const char* m_sourceStart = nullptr;
    const char* m_sourcePosition = nullptr;
    int32_t m_sourceLength = 0;
    char* m_targetStart = nullptr;
    char* m_targetPosition = nullptr;
    int32_t m_targetLength = 0;
    /// Bytes written into the current target, without a terminator.
    int32_t m_written = 0;
    const uint8_t m_targetCodeUnitSize;

private:
    /// Raises MalformedTextException for an offset that the validator found.
    void Refuse(uint64_t in_malformed) const;

    /// Null unless malformed text is refused.
    std::unique_ptr<TextValidator> m_validator;
};

} // namespace Support
} // namespace Orvik
