#pragma once

#include "ODBC/Dispatch/ArgumentRecords.h"

#include <cstddef>

namespace Orvik {

namespace Support {
class orvik_wstring;
} // namespace Support

namespace ODBC {

/// The name arguments of a catalog function as the catalog bodies take them: a null pointer is
/// the null string, a length of 0 the empty string, SQL_NTS measures the text up to its
/// terminator; the ANSI form is decoded in the application's encoding (lengths in bytes), the
/// wide form in the driver manager's (lengths in code units). A negative length other than
/// SQL_NTS is refused with "InvalidStrOrBuffLen" (HY090) before anything is read, an ANSI name
/// that is not valid in the application's encoding with "InputStringMalformed" (HY000), a wide
/// one that is not valid UTF-16 with "WideInputStringMalformed" (HY000, see WideArgument).
class CatalogStrings
{
public:
    CatalogStrings() = delete;

    template <typename CharT, size_t N>
    static void Convert(const NameArgument<CharT> (&in_names)[N], Support::orvik_wstring (&out_strings)[N])
    {
        Convert(in_names, N, out_strings);
    }

    static void Convert(const NameArgument<SQLCHAR>* in_names, size_t in_count, Support::orvik_wstring* out_strings);
    static void Convert(const NameArgument<SQLWCHAR>* in_names, size_t in_count, Support::orvik_wstring* out_strings);
};

} // namespace ODBC
} // namespace Orvik
