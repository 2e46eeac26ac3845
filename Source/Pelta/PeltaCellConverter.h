#pragma once

#include "Support/TypedDataWrapper/TDWType.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace Orvik {
namespace Support {
class SqlData;
}
} // namespace Orvik

namespace Pelta {

class PeltaCellText;
class PeltaReply;
struct PeltaReplyCell;

/// Turns reply cells into the values of their columns.
class PeltaCellConverter
{
public:
    PeltaCellConverter() = delete;

    /// Writes a non-null in_cell of in_reply into io_target as a value of in_type (see
    /// PeltaResultSet::RetrieveData); in_columnName names the column in errors. Only character
    /// values take the offset and limit, and only they return true (more remains); their text
    /// comes from io_cellText, which keeps it from piece to piece.
    static bool Convert(const PeltaReply& in_reply,
                        const PeltaReplyCell& in_cell,
                        Orvik::Support::TDWType in_type,
                        const std::string& in_columnName,
                        PeltaCellText& io_cellText,
                        Orvik::Support::SqlData& io_target,
                        int64_t in_offset,
                        int64_t in_maxLength);

    /// The text a character column shows for in_cell: a string as it is, an object or array
    /// as its compact JSON text, any other value as its JSON text.
    static std::string GetText(const PeltaReply& in_reply, const PeltaReplyCell& in_cell);

    /// Writes the UTF-8 text in_text into io_target as a character value, from the byte offset
    /// in_offset on and at most in_maxLength bytes (-1: all); returns whether more remains.
    /// Pieces end on whole characters unless the limit is smaller than the next one. Bytes that
    /// are not UTF-8 are repaired first (MakeWellFormed).
    static bool WriteText(std::string_view in_text,
                          Orvik::Support::SqlData& io_target,
                          int64_t in_offset,
                          int64_t in_maxLength);

    /// WriteText for a text that is well-formed UTF-8 already: a piece costs only its own bytes
    /// when io_target holds UTF-8.
    static bool WriteWellFormedText(std::string_view in_text,
                                    Orvik::Support::SqlData& io_target,
                                    int64_t in_offset,
                                    int64_t in_maxLength);

    /// in_text when it is well-formed UTF-8; otherwise out_repaired, a copy in which every
    /// sequence that is not UTF-8 became U+FFFD.
    static std::string_view MakeWellFormed(std::string_view in_text, std::string& out_repaired);
};

} // namespace Pelta
