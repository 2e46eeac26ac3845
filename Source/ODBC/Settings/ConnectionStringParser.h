#pragma once

#include "Support/VariantMap.h"

namespace Orvik {
namespace ODBC {

/// The grammar of ODBC connection strings: "KEY=value" pairs separated by ";", a value in braces
/// when it holds ";" or other special characters, "}}" inside braces standing for one "}".
class ConnectionStringParser
{
public:
    ConnectionStringParser() = delete;

    /// Adds the pairs of in_text to io_settings (keys trimmed and upper-cased, values as the
    /// application meant them) and to io_outputForms (the values as written, braces and doubled
    /// braces kept). A key already in io_settings keeps its first value in both maps. Returns
    /// whether the string is a driver connection string: "DRIVER" came before "DSN".
    ///
    /// Throws ODBCInternalException "InvalidConnStr" for the null string, a key without "=", an
    /// empty key and a braced value without its closing brace.
    static bool Parse(const Support::orvik_wstring& in_text,
                      Support::VariantMap& io_settings,
                      Support::VariantMap& io_outputForms);

    /// in_value as an output connection string shows it: every "}" doubled, and the whole in
    /// braces when it holds any of ! ( ) * , ; = ? [ ] { } @ or begins with whitespace, so that
    /// reading the string again gives the value back.
    static Support::orvik_wstring EscapeValue(const Support::orvik_wstring& in_value);
};

} // namespace ODBC
} // namespace Orvik
