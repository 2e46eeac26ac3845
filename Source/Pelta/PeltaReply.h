#pragma once

#include "Pelta/PeltaBlockVector.h"
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
/// for, as their elements too.
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
    uint64_t GetRowCount() const { return m_rowStarts.GetSize(); }

    /// The cells of row in_row (below GetRowCount).
    uint32_t GetCellCount(uint64_t in_row) const;

    /// Cell in_column (below GetCellCount) of row in_row.
    PeltaReplyCell GetCell(uint64_t in_row, uint32_t in_column) const
    {
        const size_t index = m_rowStarts[in_row] + in_column;
        return {static_cast<PeltaReplyCell::Kind>(m_kinds[index]), m_payloads[index]};
    }

    /// The UTF-8 text of a STRING, COUNTED_STRING or JSON_TEXT cell, or the compact JSON text of
    /// an ARRAY cell.
    std::string_view GetText(const PeltaReplyCell& in_cell) const;

    /// The elements of an ARRAY cell.
    uint32_t GetElementCount(const PeltaReplyCell& in_array) const;
    PeltaReplyCell GetElement(const PeltaReplyCell& in_array, uint32_t in_index) const;

private:
    friend class PeltaReplyReader;

    // Recorded by the reader.
    void StartRow() { m_rowStarts.PushBack(m_kinds.GetSize()); }
    void AddCell(const PeltaReplyCell& in_cell);
    PeltaReplyCell MakeString(const char* in_text, size_t in_length);
    PeltaReplyCell MakeJsonText(const char* in_text, size_t in_length);
    uint64_t StartArrayElements();
    void AddElement(const PeltaReplyCell& in_cell) { m_elements.push_back(in_cell); }
    PeltaReplyCell FinishArrayElements(uint64_t in_start, const PeltaReplyCell& in_text);

    std::string m_text;
    std::unique_ptr<rapidjson::Document> m_root;
    PeltaBlockVector<uint8_t> m_kinds;
    PeltaBlockVector<uint64_t> m_payloads;
    PeltaBlockVector<uint64_t> m_rowStarts;
    /// Offset and length in m_text of the strings that hold a NUL.
    std::vector<std::pair<uint64_t, uint64_t>> m_countedStrings;
    /// The JSON texts of objects and arrays, each followed by a NUL.
    std::string m_jsonTexts;
    /// Per ARRAY cell: its JSON text, its element count, then its elements.
    std::vector<PeltaReplyCell> m_elements;
};

} // namespace Pelta
