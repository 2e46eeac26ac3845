#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

class orvik_wstring;

/// Moves text between the driver's strings and the buffers of the driver manager's wide (in its
/// encoding) and ANSI (in the application's encoding) functions. Lengths count bytes, or code
/// units of the driver manager's encoding where a flag says so; NUL_TERMINATED asks for an input
/// to be measured. Errors are ErrorExceptions of the general error from the support component.
class IDriverManagerStringConverter
{
public:
    virtual ~IDriverManagerStringConverter() = default;

    /// Writes in_source into out_target as whole characters followed by one zero code unit, within
    /// in_targetLength bytes (in_lengthInBytes) or code units. Returns the bytes or code units of
    /// text written, without the terminator; out_truncated tells whether part of the text was
    /// left out. A target with no room for a code unit is not touched. Output buffers are never
    /// measured: any negative length, NUL_TERMINATED included, raises "ICUConvErrNotRecog".
    virtual int32_t ToBuffer(const orvik_wstring& in_source,
                             void* out_target,
                             int32_t in_targetLength,
                             bool in_lengthInBytes,
                             bool& out_truncated) = 0;

    /// The bytes or code units that the text takes, without terminator: what ToBuffer writes of it
    /// given room enough; 0 for the null string. Raises "StrByteAlignErr" when ICU's count of
    /// bytes is not a whole number of code units.
    virtual int32_t GetRequiredLength(const orvik_wstring& in_source, bool in_lengthInBytes) = 0;

    /// Makes io_target hold the decoded wide argument: null for null, empty for a length of 0.
    virtual void FromUChars(const void* in_buffer,
                            int32_t in_length,
                            bool in_lengthInBytes,
                            orvik_wstring& io_target) = 0;

    /// Makes io_target hold the decoded ANSI argument (in_length in bytes): null for null, empty
    /// for a length of 0.
    virtual void FromBytes(const char* in_text, int32_t in_length, orvik_wstring& io_target) = 0;

    /// The most bytes or code units that the characters of an ANSI text of in_length bytes (or
    /// NUL_TERMINATED) can take in the driver manager's encoding, with room for a terminator when
    /// in_withTerminator. Raises "InvalidNullParam" for a null text.
    virtual int64_t GetNtsLength(const char* in_text,
                                 int32_t in_length,
                                 bool in_lengthInBytes,
                                 bool in_withTerminator) = 0;

protected:
    IDriverManagerStringConverter() = default;
};

} // namespace Support
} // namespace Orvik
