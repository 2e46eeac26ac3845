#pragma once

#include "Support/EncodingType.h"

#include <string>

namespace Orvik {
namespace Support {

/// Finds encodings by name: first among the table's names in any letter case, then through the
/// aliases ICU knows for the name.
class EncodingRegistry
{
public:
    /// The encoding whose table name equals in_name with its ASCII letters upper-cased, or
    /// ENC_NONE.
    static EncodingType LookUpName(const std::string& in_name);

    /// The encoding of in_name, or of the first of its ICU aliases that is a table name. Raises
    /// "EncodingNotRecog" when there is none.
    static EncodingType GetEncodingType(const std::string& in_name);

    /// The encoding of ICU's default converter (the locale's code set). Raises "EncodingNotRecog"
    /// when that is not in the table.
    static EncodingType GetDefaultAnsiEncoding();
};

} // namespace Support
} // namespace Orvik
