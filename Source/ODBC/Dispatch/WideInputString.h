#pragma once

#include "Support/SizedBuffer.h"

#include <sql.h>

namespace Orvik {
namespace ODBC {

/// An ANSI input string of an application, converted into the driver manager's encoding and
/// terminated, for the length of one call. A null text stays null with the application's
/// length. A negative length other than SQL_NTS raises "InvalidStrOrBuffLen" (HY090); a text
/// that cannot be converted whole, "InputStringToUnicodeConvErr" (HY000).
class WideInputString
{
public:
    /// in_inBytes: the wide length counts bytes (attribute and field values), else code units.
    WideInputString(const void* in_text, SQLINTEGER in_length, bool in_inBytes = false);

    WideInputString(const WideInputString&) = delete;
    WideInputString& operator=(const WideInputString&) = delete;

    /// The converted text, or null for a null text.
    SQLWCHAR* GetText();

    /// The converted length, or SQL_NTS for a text too long for a 16-bit length (it is
    /// terminated); the application's length for a null text.
    SQLSMALLINT GetShortLength() const;

    SQLINTEGER GetLength() const { return m_length; }

private:
    Support::SizedBuffer m_buffer;
    SQLINTEGER m_length;
    bool m_isConverted = false;
};

} // namespace ODBC
} // namespace Orvik
