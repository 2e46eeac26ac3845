#pragma once

#include "Pelta/PeltaBlockVector.h"
#include "Pelta/PeltaCellStore.h"
#include "Pelta/PeltaReplyCell.h"

#include <rapidjson/fwd.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Pelta {

/// One statement reply of the server, read once, in place over the received text, which it
/// keeps for as long as it lives. The members other than "rows" form a small JSON document;
/// the rows are kept compactly, nine bytes a cell: a kind and eight bytes holding the number or
/// the place of the text. Strings stay where the reader decoded them inside the received text;
/// objects and arrays inside cells are kept as their compact JSON text, and arrays, when asked
/// for, as their elements too. Rows as wide as the first take no room of their own; only from
/// the first row of another width on is the start of each row kept.
class PeltaReply
{
public:
    /// Reads io_text, which it takes over. Raises what PeltaAPI::ParseReply raises for a reply
    /// that is not one JSON object or that reports a server error, and "PeltaJSONWrongType"
    /// ("row", "array") for a row that is not an array. With in_keepArrayElements the elements
    /// of array cells are kept as cells of their own.
    PeltaReply(std::string&& io_text, bool in_keepArrayElements);
    ~PeltaReply();

    PeltaReply(const PeltaReply&) = delete;
    PeltaReply& operator=(const PeltaReply&) = delete;

    /// The reply's members, "rows" as an empty array when the reply had rows.
    const rapidjson::Value& GetRoot() const;

    /// The rows received.
    uint64_t GetRowCount() const { return m_rowCount; }

    /// The cells of row in_row (below GetRowCount).
    uint32_t GetCellCount(uint64_t in_row) const;

    /// Where the cells of row in_row (below GetRowCount) begin: GetCellAt of it is column 0.
    uint64_t GetRowStart(uint64_t in_row) const
    {
        return in_row < m_regularRows ? in_row * m_regularWidth : m_rowStarts[in_row - m_regularRows];
    }

    /// Cell in_column (below GetCellCount) of row in_row.
    PeltaReplyCell GetCell(uint64_t in_row, uint32_t in_column) const { return GetCellAt(GetRowStart(in_row) + in_column); }

    /// The cell at in_index counted over all rows.
    PeltaReplyCell GetCellAt(uint64_t in_index) const { return m_cells[in_index]; }

    /// The UTF-8 text of a STRING, COUNTED_STRING or JSON_TEXT cell, or the compact JSON text of
    /// an ARRAY cell.
    std::string_view GetText(const PeltaReplyCell& in_cell) const
    {
        if (in_cell.kind == PeltaReplyCell::STRING)
        {
            return std::string_view(m_text.data() + (in_cell.payload & STRING_OFFSET_MASK),
                                    in_cell.payload >> STRING_OFFSET_BITS);
        }
        return GetOtherText(in_cell);
    }

    /// The elements of an ARRAY cell.
    uint32_t GetElementCount(const PeltaReplyCell& in_array) const;
    PeltaReplyCell GetElement(const PeltaReplyCell& in_array, uint32_t in_index) const;

private:
    friend class PeltaReplyReader;

    // A STRING cell holds the offset of its text in the low bits and its length in the others.
    static constexpr unsigned STRING_OFFSET_BITS = 40;
    static constexpr uint64_t STRING_OFFSET_MASK = (uint64_t(1) << STRING_OFFSET_BITS) - 1;
    static constexpr uint64_t MAX_STRING_LENGTH = (uint64_t(1) << (64 - STRING_OFFSET_BITS)) - 1;

    std::string_view GetOtherText(const PeltaReplyCell& in_cell) const;

    // Recorded by the reader.
    void StartRow();
    void EndRow();
    void AddCell(const PeltaReplyCell& in_cell) { m_cells.PushBack(in_cell); }
    PeltaReplyCell MakeString(const char* in_text, size_t in_length)
    {
        const uint64_t offset = static_cast<uint64_t>(in_text - m_text.data());
        if (in_length <= MAX_STRING_LENGTH && offset <= STRING_OFFSET_MASK)
        {
            return {PeltaReplyCell::STRING, offset | (static_cast<uint64_t>(in_length) << STRING_OFFSET_BITS)};
        }
        return MakeCountedString(offset, in_length);
    }
    PeltaReplyCell MakeCountedString(uint64_t in_offset, size_t in_length);
    PeltaReplyCell MakeJsonText(const char* in_text, size_t in_length);
    uint64_t StartArrayElements();
    void AddElement(const PeltaReplyCell& in_cell) { m_elements.push_back(in_cell); }
    PeltaReplyCell FinishArrayElements(uint64_t in_start, const PeltaReplyCell& in_text);

    std::string m_text;
    std::unique_ptr<rapidjson::Document> m_root;
    PeltaCellStore m_cells;
    uint64_t m_rowCount = 0;
    /// The leading rows that are all as wide as the first, and that width.
    uint64_t m_regularRows = 0;
    uint64_t m_regularWidth = 0;
    /// Where the row being read begins.
    uint64_t m_currentRowStart = 0;
    /// The starts of the rows from the first of another width on.
    PeltaBlockVector<uint64_t> m_rowStarts;
    /// Offset and length in m_text of the strings too long to place in their cell.
    std::vector<std::pair<uint64_t, uint64_t>> m_countedStrings;
    /// The JSON texts of objects and arrays, each followed by a NUL.
    std::string m_jsonTexts;
    /// Per ARRAY cell: its JSON text, its element count, then its elements.
    std::vector<PeltaReplyCell> m_elements;
};

} // namespace Pelta
