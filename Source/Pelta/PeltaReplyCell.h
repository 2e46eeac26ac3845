#pragma once

#include <cstdint>
#include <cstring>

namespace Pelta {

/// One value of a reply row as the server sent it: its JSON kind and eight bytes that hold the
/// number, or say where the text is kept (see PeltaReply).
struct PeltaReplyCell
{
    enum Kind : uint8_t
    {
        NULL_VALUE,
        FALSE_VALUE,
        TRUE_VALUE,
        INTEGER,        ///< a signed 64-bit integer
        UNSIGNED,       ///< an integer above the signed 64-bit range
        DOUBLE,         ///< a number with a fraction or an exponent
        STRING,         ///< text whose place and length fit the payload
        COUNTED_STRING, ///< text too long for that, its place kept aside
        JSON_TEXT,      ///< an object or array, kept as its compact JSON text
        ARRAY           ///< an array whose elements were kept as well
    };

    Kind kind = NULL_VALUE;
    uint64_t payload = 0;

    static PeltaReplyCell FromInt64(int64_t in_value)
    {
        return {INTEGER, static_cast<uint64_t>(in_value)};
    }

    static PeltaReplyCell FromDouble(double in_value)
    {
        PeltaReplyCell cell{DOUBLE, 0};
        std::memcpy(&cell.payload, &in_value, sizeof(in_value));
        return cell;
    }

    int64_t GetInt64() const { return static_cast<int64_t>(payload); }

    double GetDouble() const
    {
        double value;
        std::memcpy(&value, &payload, sizeof(value));
        return value;
    }

    bool IsText() const { return kind == STRING || kind == COUNTED_STRING || kind == JSON_TEXT; }

    /// Hands a number cell (INTEGER, UNSIGNED or DOUBLE) to a RapidJSON handler, a document or a
    /// writer, as the handler's number of the same kind.
    template <class Handler>
    bool GiveNumberTo(Handler& io_handler) const
    {
        switch (kind)
        {
        case INTEGER:
            return io_handler.Int64(GetInt64());
        case UNSIGNED:
            return io_handler.Uint64(payload);
        default:
            return io_handler.Double(GetDouble());
        }
    }
};

} // namespace Pelta
