#pragma once

#include <cstdint>
#include <string_view>

namespace Orvik {
namespace Support {
class SqlData;
}
} // namespace Orvik

namespace Pelta {

/// Writes the values of catalog columns into their holders, each by the type of the holder, so
/// that a source need not know how wide the catalog layout makes a column.
class PeltaCatalogValue
{
public:
    PeltaCatalogValue() = delete;

    /// Writes in_value into an integer, floating-point or character holder; raises
    /// "PeltaCatalogValueOutOfRange" (the value, the holder's type name) when it does not fit
    /// and "PeltaUnknownTDWType" for a holder of another type.
    static void WriteInteger(int64_t in_value, Orvik::Support::SqlData& io_target);

    /// Writes UTF-8 text from the byte offset in_offset on, at most in_maxLength bytes (-1: all);
    /// returns whether more remains.
    static bool WriteText(std::string_view in_text, Orvik::Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength);

    /// Makes the holder NULL; returns false (no more data).
    static bool WriteNull(Orvik::Support::SqlData& io_target);

    /// Raises BadColumnException "InvalidColumnNum" with the tag.
    [[noreturn]] static void ThrowBadTag(int32_t in_tag);
};

} // namespace Pelta
