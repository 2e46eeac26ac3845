#pragma once

#include "Support/EncodingType.h"

#include <cstdint>

namespace Orvik {
namespace Support {

class WarningListener;

/// The text buffer of a SQL-to-C kernel: one byte a character for SQL_C_CHAR, code units of an
/// encoding for SQL_C_WCHAR. Its size is the absolute value of the kernel's length on entry; the
/// length then reports the text's size in bytes.
class KernelTextTarget
{
public:
    /// One byte a character.
    static KernelTextTarget Narrow(void* out_target, int64_t& io_targetLength);

    /// Code units of in_encoding.
    static KernelTextTarget Wide(void* out_target, int64_t& io_targetLength, EncodingType in_encoding);

    /// Reports in_length characters as the length; false for a length query (a null target),
    /// which writes nothing.
    bool Report(int64_t in_length);

    /// The characters the buffer has room for before the terminator.
    int64_t Room() const;

    /// Writes in_count characters of in_text and a terminator. When in_count is negative or the
    /// characters do not fit, writes nothing, posts NumericValOutOfRange (2) and returns false.
    bool Write(const char* in_text, int64_t in_count, WarningListener& io_listener);

private:
    KernelTextTarget(void* out_target, int64_t& io_targetLength, EncodingType in_encoding);

    void* m_target;
    int64_t* m_length;
    int64_t m_size;
    /// ENC_NONE for one-byte text.
    EncodingType m_encoding;
    int64_t m_unitSize;
};

} // namespace Support
} // namespace Orvik
