#pragma once

#include "Support/orvik_wstring.h"

#include <sql.h>

namespace Orvik {
namespace ODBC {

/// Reads the text arguments of the wide ODBC functions.
class WideArgument
{
public:
    WideArgument() = delete;

    /// The text at in_text, in the driver manager's encoding, in_length characters long or
    /// NUL-terminated (SQL_NTS): null for a null pointer, empty for a length of 0.
    static Support::orvik_wstring Read(const SQLWCHAR* in_text, SQLINTEGER in_length);
};

} // namespace ODBC
} // namespace Orvik
