#include "Pelta/PeltaReply.h"

#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaReplyReader.h"
#include "Pelta/PeltaReplyScanner.h"

#include <rapidjson/document.h>

namespace Pelta {

namespace {

// Offsets of an ARRAY cell's entries in the element store.
constexpr uint64_t ARRAY_TEXT_SLOT = 0;
constexpr uint64_t ARRAY_COUNT_SLOT = 1;
constexpr uint64_t ARRAY_FIRST_ELEMENT_SLOT = 2;

} // namespace

PeltaReply::PeltaReply(std::string&& io_text, bool in_keepArrayElements)
    : m_text(std::move(io_text)), m_root(std::make_unique<rapidjson::Document>())
{
    PeltaReplyReader reader(*this, in_keepArrayElements);
    rapidjson::ParseErrorCode parseError = rapidjson::kParseErrorNone;
    auto parse = [&](rapidjson::Document& io_root) {
        reader.SetRoot(io_root);
        // In place: strings are decoded where they stand; the text ends at its first NUL. Numbers
        // come as text, which the reader reads exactly.
        parseError = PeltaReplyScanner<PeltaReplyReader>(&m_text[0], m_text.size(), reader).Scan();
        return parseError == rapidjson::kParseErrorNone;
    };
    m_root->Populate(parse);
    reader.ThrowShapeError();
    if (parseError != rapidjson::kParseErrorNone)
    {
        PeltaAPI::ThrowParseError(parseError);
    }
    PeltaAPI::CheckReply(*m_root);
}

PeltaReply::~PeltaReply() = default;

const rapidjson::Value& PeltaReply::GetRoot() const
{
    return *m_root;
}

uint32_t PeltaReply::GetCellCount(uint64_t in_row) const
{
    if (in_row < m_regularRows)
    {
        return static_cast<uint32_t>(m_regularWidth);
    }
    const uint64_t end = in_row + 1 < m_rowCount ? GetRowStart(in_row + 1) : m_cells.GetSize();
    return static_cast<uint32_t>(end - GetRowStart(in_row));
}

void PeltaReply::StartRow()
{
    m_currentRowStart = m_cells.GetSize();
    if (m_rowCount != m_regularRows)
    {
        m_rowStarts.PushBack(m_currentRowStart);
    }
    ++m_rowCount;
}

void PeltaReply::EndRow()
{
    if (m_rowCount != m_regularRows + 1)
    {
        return; // a row of another width came before: this one's start is kept already
    }
    const uint64_t width = m_cells.GetSize() - m_currentRowStart;
    if (m_regularRows == 0)
    {
        m_regularWidth = width;
    }
    if (width == m_regularWidth)
    {
        ++m_regularRows;
        return;
    }
    m_rowStarts.PushBack(m_currentRowStart);
}

PeltaReplyCell PeltaReply::MakeCountedString(uint64_t in_offset, size_t in_length)
{
    m_countedStrings.emplace_back(in_offset, in_length);
    return {PeltaReplyCell::COUNTED_STRING, m_countedStrings.size() - 1};
}

PeltaReplyCell PeltaReply::MakeJsonText(const char* in_text, size_t in_length)
{
    const uint64_t offset = m_jsonTexts.size();
    m_jsonTexts.append(in_text, in_length).push_back('\0');
    return {PeltaReplyCell::JSON_TEXT, offset};
}

uint64_t PeltaReply::StartArrayElements()
{
    const uint64_t start = m_elements.size();
    m_elements.resize(start + ARRAY_FIRST_ELEMENT_SLOT);
    return start;
}

PeltaReplyCell PeltaReply::FinishArrayElements(uint64_t in_start, const PeltaReplyCell& in_text)
{
    m_elements[in_start + ARRAY_TEXT_SLOT] = in_text;
    m_elements[in_start + ARRAY_COUNT_SLOT] =
        PeltaReplyCell::FromInt64(static_cast<int64_t>(m_elements.size() - in_start - ARRAY_FIRST_ELEMENT_SLOT));
    return {PeltaReplyCell::ARRAY, in_start};
}

std::string_view PeltaReply::GetOtherText(const PeltaReplyCell& in_cell) const
{
    switch (in_cell.kind)
    {
    case PeltaReplyCell::COUNTED_STRING:
    {
        const auto& place = m_countedStrings[in_cell.payload];
        return std::string_view(m_text.data() + place.first, place.second);
    }
    case PeltaReplyCell::JSON_TEXT:
        return std::string_view(m_jsonTexts.data() + in_cell.payload);
    case PeltaReplyCell::ARRAY:
        return GetText(m_elements[in_cell.payload + ARRAY_TEXT_SLOT]);
    default:
        return std::string_view();
    }
}

uint32_t PeltaReply::GetElementCount(const PeltaReplyCell& in_array) const
{
    return static_cast<uint32_t>(m_elements[in_array.payload + ARRAY_COUNT_SLOT].payload);
}

PeltaReplyCell PeltaReply::GetElement(const PeltaReplyCell& in_array, uint32_t in_index) const
{
    return m_elements[in_array.payload + ARRAY_FIRST_ELEMENT_SLOT + in_index];
}

} // namespace Pelta
