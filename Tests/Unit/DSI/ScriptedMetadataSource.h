#pragma once

// Test helper: a metadata source over scripted rows of cells keyed by catalog column tag, which
// records what the catalog road asks of it.

#include "DSI/Client/DSIMetadataSource.h"
#include "DSI/Client/DSITypeUtilities.h"
#include "DSI/Client/IResult.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace Orvik {
namespace Testing {

/// One cell: text, a number, or NULL.
struct Cell
{
    enum Kind
    {
        NULL_VALUE,
        TEXT,
        NUMBER
    };
    Kind m_kind = NULL_VALUE;
    Support::orvik_wstring m_text;
    int32_t m_number = 0;

    Cell() = default;
    Cell(const char16_t* in_text) : m_kind(TEXT), m_text(in_text) {}
    Cell(int32_t in_number) : m_kind(NUMBER), m_number(in_number) {}
};

using ScriptedRow = std::map<int32_t, Cell>;

class ScriptedMetadataSource : public DSI::DSIMetadataSource
{
public:
    explicit ScriptedMetadataSource(std::vector<ScriptedRow> in_rows,
                                    const DSI::DSIMetadataRestrictions& in_restrictions = {})
        : DSIMetadataSource(in_restrictions),
          m_rows(std::move(in_rows))
    {
    }

    ~ScriptedMetadataSource() override
    {
        if (m_deleted != nullptr)
        {
            ++*m_deleted;
        }
    }

    void CloseCursor() override { m_position = -1; }

    /// Text goes through the shared piecewise writer; numbers fill the target as its type needs.
    /// A tag that the row does not hold is NULL.
    bool GetMetadata(int32_t in_tag, Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength) override
    {
        m_askedTags.push_back(in_tag);
        const ScriptedRow& row = m_rows.at(static_cast<size_t>(m_position));
        const auto cell = row.find(in_tag);
        if (cell == row.end() || cell->second.m_kind == Cell::NULL_VALUE)
        {
            io_target.SetNull(true);
            return false;
        }
        if (cell->second.m_kind == Cell::TEXT)
        {
            return DSI::DSITypeUtilities::OutputStringData(cell->second.m_text, io_target, in_offset, in_maxLength);
        }
        WriteNumber(cell->second.m_number, io_target);
        return false;
    }

    void RegisterFilters(const std::vector<std::unique_ptr<DSI::IMetadataFilter>>& in_filters) override
    {
        m_registeredFilterCount = static_cast<int32_t>(in_filters.size());
    }

    bool Move(int32_t in_direction, int64_t) override
    {
        EXPECT_EQ(DSI::DSI_DIR_NEXT, in_direction);
        ++m_moveCount;
        if (m_position + 1 < static_cast<int64_t>(m_rows.size()))
        {
            ++m_position;
            return true;
        }
        m_position = static_cast<int64_t>(m_rows.size());
        return false;
    }

    using DSIMetadataSource::GetRestrictions;

    std::vector<int32_t> m_askedTags;
    int32_t m_moveCount = 0;
    int32_t m_registeredFilterCount = -1;
    int* m_deleted = nullptr;

private:
    // Written in the width of the target's type.
    static void WriteNumber(int32_t in_number, Support::SqlData& io_target)
    {
        io_target.SetNull(false);
        const auto small = static_cast<int16_t>(in_number);
        const auto tiny = static_cast<int8_t>(in_number);
        switch (io_target.GetMetadata().GetOctetLength())
        {
            case 1:
                std::memcpy(io_target.GetBuffer(), &tiny, 1);
                break;
            case 2:
                std::memcpy(io_target.GetBuffer(), &small, 2);
                break;
            default:
                std::memcpy(io_target.GetBuffer(), &in_number, 4);
                break;
        }
    }

    std::vector<ScriptedRow> m_rows;
    int64_t m_position = -1;
};

} // namespace Testing
} // namespace Orvik
