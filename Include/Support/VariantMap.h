#pragma once

#include "Support/Variant.h"

#include <map>

namespace Orvik {
namespace Support {

/// Orders names without regard to case (Unicode case folding); the null string sorts first.
struct CaseInsensitiveLess
{
    bool operator()(const orvik_wstring& in_left, const orvik_wstring& in_right) const;
};

/// Variants by name; names that differ only in case are one key. Indexing an absent name
/// inserts a null Variant under it.
using VariantMap = std::map<orvik_wstring, Variant, CaseInsensitiveLess>;

} // namespace Support
} // namespace Orvik
