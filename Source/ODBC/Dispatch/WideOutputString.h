#pragma once

#include "Support/SizedBuffer.h"

#include <sql.h>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace Orvik {
namespace ODBC {

class DiagManager;

/// A buffer in the driver manager's encoding into which a wide call writes what the application
/// wants in its ANSI buffer: it holds as many characters as that buffer holds bytes, but never
/// more than the wide call's length type offers. Unwritten, it reads as an empty text.
class WideOutputString
{
public:
    /// The most a wide call with a 16-bit or 32-bit length is offered.
    static constexpr int64_t LARGEST_SMALLINT_LENGTH = std::numeric_limits<SQLSMALLINT>::max();
    static constexpr int64_t LARGEST_INTEGER_LENGTH = std::numeric_limits<SQLINTEGER>::max();

    /// in_inBytes: the wide length counts bytes, else code units. A null application buffer
    /// makes no buffer; a negative length for a buffer raises "InvalidStrOrBuffLen" (HY090).
    WideOutputString(SQLPOINTER in_applicationBuffer,
                     int64_t in_applicationLength,
                     bool in_inBytes,
                     int64_t in_largestLength = LARGEST_SMALLINT_LENGTH);

    /// A buffer for the whole of a text of at most in_longestLength code units, whatever buffer
    /// the application has: Convert then tells the text's full length in the application's
    /// encoding exactly, also to an application without a buffer or with one too short.
    static WideOutputString ForWholeText(int64_t in_longestLength, bool in_inBytes);

    WideOutputString(const WideOutputString&) = delete;
    WideOutputString& operator=(const WideOutputString&) = delete;

    /// The buffer for the wide call, or null.
    SQLPOINTER GetBuffer() { return m_buffer.GetSize() == 0 ? nullptr : m_buffer.GetBuffer(); }

    /// The length for the wide call: the buffer's, or the application's when there is none.
    int64_t GetLength() const { return m_length; }

    /// GetLength for a wide call with a 16-bit length made for this one.
    SQLSMALLINT GetShortLength() const
    {
        return static_cast<SQLSMALLINT>(std::min<int64_t>(m_length, LARGEST_SMALLINT_LENGTH));
    }

    /// Converts the text the call wrote into the application's buffer, terminated and cut at a
    /// whole character; io_length (the call's length of the whole text, in characters) becomes
    /// the larger of what it held and the ANSI text's full length in bytes. Returns whether the
    /// text was cut. For a null buffer nothing is written, and only a whole text's length is
    /// told.
    bool Convert(SQLPOINTER out_buffer, int64_t in_bufferLength, int64_t& io_length);

    /// Convert, with the call's length output updated when given, and a cut text posted as
    /// 01004 "StrRightTruncWarn" on io_diagnostics (once: not when the wide call posted it
    /// already); SQL_SUCCESS then becomes SQL_SUCCESS_WITH_INFO.
    template <typename Length>
    SQLRETURN Deliver(SQLRETURN in_result,
                      SQLPOINTER out_buffer,
                      int64_t in_bufferLength,
                      Length* io_length,
                      DiagManager& io_diagnostics)
    {
        if (out_buffer == nullptr)
        {
            return in_result;
        }
        int64_t length = io_length == nullptr ? 0 : *io_length;
        const bool isCut = Convert(out_buffer, in_bufferLength, length);
        if (io_length != nullptr)
        {
            *io_length = static_cast<Length>(std::min<int64_t>(length, std::numeric_limits<Length>::max()));
        }
        return isCut ? ReportCut(in_result, io_diagnostics) : in_result;
    }

private:
    /// A buffer of in_length code units, or bytes when in_inBytes.
    WideOutputString(int64_t in_length, bool in_inBytes);

    /// A zeroed buffer of in_length code units, or bytes when in_inBytes.
    void Allocate(int64_t in_length, bool in_inBytes);

    static SQLRETURN ReportCut(SQLRETURN in_result, DiagManager& io_diagnostics);

    /// The ANSI text's full length in bytes.
    int64_t MeasureInAnsi() const;

    /// The bytes before the first zero code unit, within the buffer.
    SQLINTEGER MeasureText() const;

    Support::SizedBuffer m_buffer;
    int64_t m_length;
};

} // namespace ODBC
} // namespace Orvik
