#include "Pelta/PeltaReply.h"

#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaReplyReader.h"

#include <rapidjson/document.h>
#include <rapidjson/reader.h>

#include <cstring>

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
    int32_t parseError = 0;
    auto parse = [&](rapidjson::Document& io_root) {
        reader.SetRoot(io_root);
        rapidjson::Reader parser;
        // In place: strings are decoded where they stand; the text ends at its first NUL. Numbers
        // come as text, which the reader reads exactly.
        rapidjson::InsituStringStream stream(&m_text[0]);
        parser.Parse<rapidjson::kParseInsituFlag | rapidjson::kParseIterativeFlag | rapidjson::kParseNumbersAsStringsFlag>(
            stream, reader);
        parseError = parser.GetParseErrorCode();
        return !parser.HasParseError();
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
    const uint64_t end = in_row + 1 < GetRowCount() ? m_rowStarts[in_row + 1] : m_kinds.GetSize();
    return static_cast<uint32_t>(end - m_rowStarts[in_row]);
}

void PeltaReply::AddCell(const PeltaReplyCell& in_cell)
{
    m_kinds.PushBack(in_cell.kind);
    m_payloads.PushBack(in_cell.payload);
}

PeltaReplyCell PeltaReply::MakeString(const char* in_text, size_t in_length)
{
    const uint64_t offset = static_cast<uint64_t>(in_text - m_text.data());
    if (std::memchr(in_text, '\0', in_length) == nullptr)
    {
        // The reader ended the decoded text with a NUL: its length need not be kept.
        return {PeltaReplyCell::STRING, offset};
    }
    m_countedStrings.emplace_back(offset, in_length);
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

std::string_view PeltaReply::GetText(const PeltaReplyCell& in_cell) const
{
    switch (in_cell.kind)
    {
    case PeltaReplyCell::STRING:
        return std::string_view(m_text.data() + in_cell.payload);
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
