#pragma once

#include <cstdint>

namespace Orvik {

namespace Support {
class IDriverManagerStringConverter;
class orvik_wstring;
} // namespace Support

namespace ODBC {

class IDiagManager;

/// Writes text into an application's output buffer in the driver manager's wide encoding:
/// always terminated, cut at a whole character when the buffer is too small, with the full
/// length of the text reported so that the application can size its buffer. Buffer lengths and
/// length outputs count characters (code units of the encoding) or bytes, as the caller says.
/// A cut text is reported through the truncation flag and, when diagnostics are given, as the
/// warning 01004 "StrRightTruncWarn" posted to them.
///
/// The converter is the platform's driver manager string converter unless one is given.
class WStringHelper
{
public:
    WStringHelper() = delete;

    /// Writes in_text (the null string writes just the terminator) into out_buffer of
    /// in_bufferLength characters (in_lengthInChars) or bytes. A null buffer takes nothing and
    /// counts as not cut. A negative length (SQL_NTS included: an output buffer is never
    /// measured) throws InvalidArgumentException "InvalidArgument". A length too small for one
    /// character takes nothing and counts as cut.
    static void CopyToBuffer(const Support::orvik_wstring& in_text,
                             bool in_lengthInChars,
                             void* out_buffer,
                             int32_t in_bufferLength,
                             IDiagManager* io_diagnostics,
                             bool* out_truncated,
                             Support::IDriverManagerStringConverter* in_converter = nullptr);

    /// CopyToBuffer with a 16-bit buffer length; then writes the full length of the text to
    /// out_length when given (the largest 16-bit value for a longer text).
    static void CopyToBufferLen16(const Support::orvik_wstring& in_text,
                                  bool in_lengthInChars,
                                  void* out_buffer,
                                  int16_t in_bufferLength,
                                  int16_t* out_length,
                                  IDiagManager* io_diagnostics,
                                  bool* out_truncated,
                                  Support::IDriverManagerStringConverter* in_converter = nullptr);

    /// CopyToBuffer; then writes the full length of the text to out_length when given and
    /// returns it, or returns 0 without a length output.
    static int32_t CopyToBufferLen32(const Support::orvik_wstring& in_text,
                                     bool in_lengthInChars,
                                     void* out_buffer,
                                     int32_t in_bufferLength,
                                     int32_t* out_length,
                                     IDiagManager* io_diagnostics,
                                     bool* out_truncated,
                                     Support::IDriverManagerStringConverter* in_converter = nullptr);
};

} // namespace ODBC
} // namespace Orvik
