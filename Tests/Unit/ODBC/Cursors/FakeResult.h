#pragma once

#include "DSI/Client/DSIColumnMetadata.h"
#include "DSI/Client/DSIResultSetColumn.h"
#include "DSI/Client/DSIResultSetColumns.h"
#include "DSI/Client/DSISimpleResultSet.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace Orvik {
namespace Testing {

/// One cell of a FakeResult: the value's bytes as the data store holds them, or NULL.
using Cell = std::optional<std::string>;

inline Cell Bytes(const std::string& in_bytes)
{
    return in_bytes;
}

/// A fixed-size value's bytes.
template <class Value>
Cell ValueOf(Value in_value)
{
    return std::string(reinterpret_cast<const char*>(&in_value), sizeof(in_value));
}

/// UTF-16LE text as bytes.
inline Cell Utf16(const std::u16string& in_text)
{
    return std::string(reinterpret_cast<const char*>(in_text.data()), in_text.size() * 2);
}

/// A result set over rows of cells, its columns of the given ODBC SQL types. Character and binary
/// cells are handed out in the pieces asked for; every RetrieveData call is recorded.
class FakeResult : public DSI::DSISimpleResultSet
{
public:
    struct Retrieval
    {
        uint16_t m_column;
        int64_t m_offset;
        int64_t m_maxLength;
    };

    FakeResult(const std::vector<int16_t>& in_sqlTypes, std::vector<std::vector<Cell>> in_rows)
        : m_rows(std::move(in_rows))
    {
        // Recording a retrieval must not allocate while a test counts allocations.
        m_retrievals.reserve(4096);
        const Support::SqlTypeMetadataFactory factory;
        for (int16_t sqlType : in_sqlTypes)
        {
            m_columns.AddColumn(new DSI::DSIResultSetColumn(factory.CreateNewSqlTypeMetadata(sqlType, false, 0),
                                                            std::make_unique<DSI::DSIColumnMetadata>()));
        }
    }

    const Support::SqlTypeMetadata& GetMetadata(uint16_t in_column) const
    {
        return *m_columns.GetColumn(in_column)->GetMetadata();
    }

    bool RetrieveData(uint16_t in_column, Support::SqlData& io_data, int64_t in_offset, int64_t in_maxLength) override
    {
        m_retrievals.push_back({in_column, in_offset, in_maxLength});
        const Cell& cell = m_rows.at(static_cast<size_t>(m_position)).at(in_column);
        const bool isNullNow = m_nullFrom >= 0 && m_retrievals.size() > static_cast<size_t>(m_nullFrom);
        if (!cell.has_value() || isNullNow)
        {
            io_data.SetNull(true);
            return false;
        }
        const int64_t size = static_cast<int64_t>(cell->size());
        const int64_t rest = std::max<int64_t>(size - in_offset, 0);
        const int64_t length = in_maxLength < 0 ? rest : std::min(rest, in_maxLength);
        io_data.SetLength(static_cast<uint32_t>(length));
        std::memcpy(io_data.GetBuffer(), cell->data() + std::min(in_offset, size), static_cast<size_t>(length));
        return in_offset + length < size;
    }

    bool HasRowCount() override { return true; }
    int64_t GetRowCount() override { return static_cast<int64_t>(m_rows.size()); }
    DSI::IColumns* GetSelectColumns() override { return m_hasColumns ? &m_columns : nullptr; }

    bool CanBulkFetch(const std::set<uint16_t>& in_columns) override
    {
        m_bulkAsks.push_back(in_columns);
        return m_acceptsBulk;
    }

    void SetRowsetSize(uint64_t in_size) override { m_rowsetSizes.push_back(in_size); }

    /// Moves the position to in_row (from 0), as a fetch would.
    void MoveTo(int64_t in_row) { m_position = in_row; }

    std::vector<std::vector<Cell>> m_rows;
    std::vector<Retrieval> m_retrievals;
    std::vector<std::set<uint16_t>> m_bulkAsks;
    std::vector<uint64_t> m_rowsetSizes;
    bool m_hasColumns = true;
    /// From this retrieval on (counted from 0) every cell reads as NULL; -1 for never.
    int64_t m_nullFrom = -1;
    bool m_acceptsBulk = false;
    /// Serves a bulk fetch: the rows wanted and the bulk columns; returns the rows fetched.
    std::function<uint64_t(uint64_t, const DSI::BulkFetchColumns&)> m_bulkFetch;

protected:
    void DoCloseCursor() override { m_position = -1; }

    bool MoveToNextRow() override
    {
        m_position = std::min<int64_t>(m_position + 1, static_cast<int64_t>(m_rows.size()));
        return m_position < static_cast<int64_t>(m_rows.size());
    }

    uint64_t DoBulkFetch(uint64_t in_rowCount, const DSI::BulkFetchColumns& in_columns) override
    {
        return m_bulkFetch(in_rowCount, in_columns);
    }

private:
    int64_t m_position = -1;
    DSI::DSIResultSetColumns m_columns{true};
};

} // namespace Testing
} // namespace Orvik
