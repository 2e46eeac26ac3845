#pragma once

#include "Support/orvik_wstring.h"

#include <sql.h>

namespace Orvik {
namespace ODBC {

/// Reads the text arguments of the wide ODBC functions: statement text, connection strings,
/// catalog, cursor and parameter names, attribute and descriptor field values. They come in the
/// driver manager's encoding, UTF-16. A text that is not valid in it, which in UTF-16 means a
/// surrogate without its partner, is refused before it is decoded: decoding would make the
/// surrogate a replacement character on its way to the server and change unseen what the
/// application meant. The refusal is HY000 "WideInputStringMalformed", naming the first bad code
/// unit (from 1) and the encoding. The check is one pass over the text, cheap beside decoding it.
class WideArgument
{
public:
    WideArgument() = delete;

    /// The text at in_text, in_length code units long or NUL-terminated (SQL_NTS): null for a
    /// null pointer, empty for a length of 0.
    static Support::orvik_wstring Read(const SQLWCHAR* in_text, SQLINTEGER in_length);

    /// The same for a length in bytes, as attribute and descriptor field values count it; a last
    /// byte short of a code unit is dropped.
    static Support::orvik_wstring ReadBytes(const void* in_text, SQLINTEGER in_length);

private:
    /// Checks the text, then decodes it; in_lengthInBytes tells what in_length counts.
    static Support::orvik_wstring Decode(const void* in_text, SQLINTEGER in_length, bool in_lengthInBytes);
};

} // namespace ODBC
} // namespace Orvik
