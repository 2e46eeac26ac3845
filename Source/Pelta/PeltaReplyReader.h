#pragma once

#include "Support/ErrorException.h"

#include <rapidjson/fwd.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace Pelta {

class PeltaReply;
struct PeltaReplyCell;

/// The reader's events for one reply: the rows of the first "rows" member of the root object go
/// to the reply's compact row store, every other value to the root document. Within a row,
/// each object or array cell is written back as compact JSON text; an array cell's direct
/// elements are kept as cells too when the reply asks for them.
class PeltaReplyReader
{
public:
    PeltaReplyReader(PeltaReply& io_reply, bool in_keepArrayElements);
    ~PeltaReplyReader();

    PeltaReplyReader(const PeltaReplyReader&) = delete;
    PeltaReplyReader& operator=(const PeltaReplyReader&) = delete;

    /// The document that receives the members other than the rows.
    void SetRoot(rapidjson::Document& io_root) { m_root = &io_root; }

    /// Raises the shape error that stopped the reading, if one did.
    void ThrowShapeError() const;

    /// A JSON number read exactly from the digits the server wrote: INTEGER or UNSIGNED, the
    /// first that holds it, when it has neither fraction nor exponent, else DOUBLE, the nearest
    /// double (zero or a subnormal for one below their range). False for a number beyond the
    /// largest double.
    static bool ReadNumber(const char* in_text, size_t in_length, PeltaReplyCell& out_cell);

    // The reader's handler interface.
    bool Null();
    bool Bool(bool in_value);
    bool Int(int in_value);
    bool Uint(unsigned in_value);
    bool Int64(int64_t in_value);
    bool Uint64(uint64_t in_value);
    bool Double(double in_value);
    bool RawNumber(const char* in_text, unsigned in_length, bool in_copy);
    /// A number already read into in_cell from its text.
    bool Number(const PeltaReplyCell& in_cell, const char* in_text, unsigned in_length);
    bool String(const char* in_text, unsigned in_length, bool in_copy);
    bool StartObject();
    bool Key(const char* in_text, unsigned in_length, bool in_copy);
    bool EndObject(unsigned in_memberCount);
    bool StartArray();
    bool EndArray(unsigned in_elementCount);

private:
    using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;

    /// Where the next value goes.
    enum class Place
    {
        DOCUMENT,   ///< outside the rows
        ROWS,       ///< directly in the rows array: only a row may come
        ROW,        ///< a cell of the current row
        NESTED      ///< inside an object or array cell
    };

    /// Where the next value goes, from the depths; UpdatePlace keeps m_place to it whenever a
    /// depth changes.
    Place FindPlace() const;
    void UpdatePlace();

    /// A scalar value: in_cell for a row or an element, in_write for the JSON texts being made.
    template <class Write>
    bool Scalar(const PeltaReplyCell& in_cell, Write in_write);

    bool Open(bool in_isArray);
    bool Close(bool in_isArray, unsigned in_count);
    void OpenNested(bool in_isArray);
    void CloseCell();
    bool RejectRow();
    bool RejectNumber();

    PeltaReply& m_reply;
    rapidjson::Document* m_root = nullptr;
    const bool m_keepArrayElements;

    Place m_place = Place::DOCUMENT;
    /// Containers open now.
    uint32_t m_depth = 0;
    /// The depth inside the rows array; 0 outside it.
    uint32_t m_rowsDepth = 0;
    bool m_rowsSeen = false;
    bool m_nextIsRows = false;

    /// The JSON text of the cell being read, and of its element being read.
    rapidjson::StringBuffer m_cellText;
    JsonWriter m_cellWriter;
    rapidjson::StringBuffer m_elementText;
    JsonWriter m_elementWriter;
    bool m_isElementOpen = false;
    bool m_isKeepingElements = false;
    uint64_t m_elementsStart = 0;

    std::unique_ptr<Orvik::Support::ErrorException> m_shapeError;
};

} // namespace Pelta
