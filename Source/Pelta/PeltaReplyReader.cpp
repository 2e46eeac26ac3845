#include "Pelta/PeltaReplyReader.h"

#include "Pelta/PeltaError.h"
#include "Pelta/PeltaNumberReader.h"
#include "Pelta/PeltaReply.h"
#include "Pelta/PeltaReplyCell.h"
#include "Support/NumberConverter.h"

#include <rapidjson/document.h>

#include <cstring>
#include <type_traits>

namespace Pelta {

namespace {

constexpr char ROWS_MEMBER[] = "rows";

} // namespace

PeltaReplyReader::PeltaReplyReader(PeltaReply& io_reply, bool in_keepArrayElements)
    : m_reply(io_reply),
      m_keepArrayElements(in_keepArrayElements),
      m_cellWriter(m_cellText),
      m_elementWriter(m_elementText)
{
}

PeltaReplyReader::~PeltaReplyReader() = default;

void PeltaReplyReader::ThrowShapeError() const
{
    if (m_shapeError)
    {
        throw *m_shapeError;
    }
}

void PeltaReplyReader::UpdatePlace()
{
    m_place = FindPlace();
}

PeltaReplyReader::Place PeltaReplyReader::FindPlace() const
{
    if (m_rowsDepth == 0)
    {
        return Place::DOCUMENT;
    }
    if (m_depth == m_rowsDepth)
    {
        return Place::ROWS;
    }
    return m_depth == m_rowsDepth + 1 ? Place::ROW : Place::NESTED;
}

bool PeltaReplyReader::RejectRow()
{
    m_shapeError = std::make_unique<Orvik::Support::ErrorException>(PeltaError("PeltaJSONWrongType", {"row", "array"}));
    return false;
}

bool PeltaReplyReader::RejectNumber()
{
    // Beyond the range of a double: the error the parser gives such a number when it reads it.
    m_shapeError = std::make_unique<Orvik::Support::ErrorException>(PeltaError(
        "PeltaJSONParseError", {Orvik::Support::NumberConverter::ConvertInt32ToWString(rapidjson::kParseErrorNumberTooBig)}));
    return false;
}

template <class Write>
bool PeltaReplyReader::Scalar(const PeltaReplyCell& in_cell, Write in_write)
{
    switch (m_place)
    {
    case Place::DOCUMENT:
        m_nextIsRows = false;
        return in_write(*m_root);
    case Place::ROWS:
        return RejectRow();
    case Place::ROW:
        m_reply.AddCell(in_cell);
        return true;
    case Place::NESTED:
        break;
    }
    in_write(m_cellWriter);
    if (m_isElementOpen)
    {
        in_write(m_elementWriter);
    }
    else if (m_isKeepingElements && m_depth == m_rowsDepth + 2)
    {
        m_reply.AddElement(in_cell);
    }
    return true;
}

bool PeltaReplyReader::Null()
{
    return Scalar(PeltaReplyCell{PeltaReplyCell::NULL_VALUE, 0}, [](auto& io_out) { return io_out.Null(); });
}

bool PeltaReplyReader::Bool(bool in_value)
{
    const PeltaReplyCell cell{in_value ? PeltaReplyCell::TRUE_VALUE : PeltaReplyCell::FALSE_VALUE, 0};
    return Scalar(cell, [in_value](auto& io_out) { return io_out.Bool(in_value); });
}

// The parser hands every number over raw (RawNumber): the typed forms never come.
bool PeltaReplyReader::Int(int)
{
    return false;
}

bool PeltaReplyReader::Uint(unsigned)
{
    return false;
}

bool PeltaReplyReader::Int64(int64_t)
{
    return false;
}

bool PeltaReplyReader::Uint64(uint64_t)
{
    return false;
}

bool PeltaReplyReader::Double(double)
{
    return false;
}

bool PeltaReplyReader::ReadNumber(const char* in_text, size_t in_length, PeltaReplyCell& out_cell)
{
    return PeltaNumberReader::Read(in_text, in_length, out_cell);
}

bool PeltaReplyReader::RawNumber(const char* in_text, unsigned in_length, bool)
{
    PeltaReplyCell cell;
    if (!ReadNumber(in_text, in_length, cell))
    {
        return RejectNumber();
    }
    return Number(cell, in_text, in_length);
}

bool PeltaReplyReader::Number(const PeltaReplyCell& in_cell, const char* in_text, unsigned in_length)
{
    // A cell or a document member needs the value, but an object's or an array's JSON text
    // keeps the number's own digits, which no 64-bit value may hold.
    if (m_place == Place::ROW)
    {
        m_reply.AddCell(in_cell);
        return true;
    }
    return Scalar(in_cell, [&](auto& io_out) {
        if constexpr (std::is_same_v<std::decay_t<decltype(io_out)>, rapidjson::Document>)
        {
            return in_cell.GiveNumberTo(io_out);
        }
        else
        {
            return io_out.RawValue(in_text, in_length, rapidjson::kNumberType);
        }
    });
}

bool PeltaReplyReader::String(const char* in_text, unsigned in_length, bool in_copy)
{
    if (m_place == Place::ROW)
    {
        m_reply.AddCell(m_reply.MakeString(in_text, in_length));
        return true;
    }
    // Only a kept element needs the string's place; other nested strings are in the JSON text.
    const bool isElement = m_place == Place::NESTED && m_isKeepingElements && !m_isElementOpen
        && m_depth == m_rowsDepth + 2;
    const PeltaReplyCell cell = isElement ? m_reply.MakeString(in_text, in_length) : PeltaReplyCell();
    return Scalar(cell, [&](auto& io_out) { return io_out.String(in_text, in_length, in_copy); });
}

bool PeltaReplyReader::Key(const char* in_text, unsigned in_length, bool in_copy)
{
    if (m_place != Place::DOCUMENT)
    {
        m_cellWriter.Key(in_text, in_length, in_copy);
        if (m_isElementOpen)
        {
            m_elementWriter.Key(in_text, in_length, in_copy);
        }
        return true;
    }
    m_nextIsRows = m_depth == 1 && !m_rowsSeen && in_length == sizeof(ROWS_MEMBER) - 1
        && std::memcmp(in_text, ROWS_MEMBER, in_length) == 0;
    return m_root->Key(in_text, in_length, in_copy);
}

bool PeltaReplyReader::StartObject()
{
    return Open(false);
}

bool PeltaReplyReader::StartArray()
{
    return Open(true);
}

bool PeltaReplyReader::EndObject(unsigned in_memberCount)
{
    return Close(false, in_memberCount);
}

bool PeltaReplyReader::EndArray(unsigned in_elementCount)
{
    return Close(true, in_elementCount);
}

bool PeltaReplyReader::Open(bool in_isArray)
{
    switch (m_place)
    {
    case Place::DOCUMENT:
    {
        const bool isRows = in_isArray && m_nextIsRows;
        m_nextIsRows = false;
        const bool result = in_isArray ? m_root->StartArray() : m_root->StartObject();
        ++m_depth;
        if (isRows)
        {
            // The document gets an empty array in its place; the rows go to the row store.
            m_rowsSeen = true;
            m_rowsDepth = m_depth;
        }
        UpdatePlace();
        return result;
    }
    case Place::ROWS:
        if (!in_isArray)
        {
            return RejectRow();
        }
        m_reply.StartRow();
        break;
    case Place::ROW:
        m_cellText.Clear();
        m_cellWriter.Reset(m_cellText);
        m_isKeepingElements = in_isArray && m_keepArrayElements;
        if (m_isKeepingElements)
        {
            m_elementsStart = m_reply.StartArrayElements();
        }
        OpenNested(in_isArray);
        break;
    case Place::NESTED:
        if (m_isKeepingElements && m_depth == m_rowsDepth + 2)
        {
            m_elementText.Clear();
            m_elementWriter.Reset(m_elementText);
            m_isElementOpen = true;
        }
        OpenNested(in_isArray);
        break;
    }
    ++m_depth;
    UpdatePlace();
    return true;
}

void PeltaReplyReader::OpenNested(bool in_isArray)
{
    in_isArray ? m_cellWriter.StartArray() : m_cellWriter.StartObject();
    if (m_isElementOpen)
    {
        in_isArray ? m_elementWriter.StartArray() : m_elementWriter.StartObject();
    }
}

bool PeltaReplyReader::Close(bool in_isArray, unsigned in_count)
{
    --m_depth;
    UpdatePlace();
    if (m_rowsDepth == 0 || m_depth < m_rowsDepth)
    {
        if (m_rowsDepth != 0)
        {
            // The rows array ends: it stands empty in the document.
            m_rowsDepth = 0;
            UpdatePlace();
            return m_root->EndArray(0);
        }
        return in_isArray ? m_root->EndArray(in_count) : m_root->EndObject(in_count);
    }
    if (m_depth == m_rowsDepth)
    {
        m_reply.EndRow();
        return true;
    }
    in_isArray ? m_cellWriter.EndArray() : m_cellWriter.EndObject();
    if (m_isElementOpen)
    {
        in_isArray ? m_elementWriter.EndArray() : m_elementWriter.EndObject();
        if (m_depth == m_rowsDepth + 2)
        {
            m_isElementOpen = false;
            m_reply.AddElement(m_reply.MakeJsonText(m_elementText.GetString(), m_elementText.GetSize()));
        }
    }
    if (m_depth == m_rowsDepth + 1)
    {
        CloseCell();
    }
    return true;
}

void PeltaReplyReader::CloseCell()
{
    const PeltaReplyCell text = m_reply.MakeJsonText(m_cellText.GetString(), m_cellText.GetSize());
    m_reply.AddCell(m_isKeepingElements ? m_reply.FinishArrayElements(m_elementsStart, text) : text);
    m_isKeepingElements = false;
}

} // namespace Pelta
