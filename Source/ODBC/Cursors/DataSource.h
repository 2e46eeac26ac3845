#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {
class SqlData;
class SqlTypeMetadata;
} // namespace Support

namespace ODBC {

/// Where a value delivered in pieces comes from: a result column or an output parameter. It
/// hands out the value holder with the piece asked for and knows whether more of the value
/// remains.
class DataSource
{
public:
    virtual ~DataSource() = default;

    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    /// The holder with the value from byte in_offset on, at most in_maxLength bytes of it (-1:
    /// all the rest), or with its null flag set. Updates HasMore.
    virtual Support::SqlData& GetData(int64_t in_offset, int64_t in_maxLength) = 0;

    /// Makes in_data (not owned) the value to deliver; only output values take one.
    virtual void SetData(Support::SqlData& in_data) = 0;

    const Support::SqlTypeMetadata& GetMetadata() const;

    uint16_t GetColumnNumber() const { return m_columnNumber; }

    /// Whether more of the value remains after the last piece handed out.
    bool HasMore() const { return m_hasMore; }

    /// Marks the value as not yet read, for the next row or a new start.
    void MarkHasData() { m_hasMore = true; }

protected:
    /// in_data (not owned) holds the values; in_columnNumber names them in diagnostics.
    DataSource(Support::SqlData& in_data, uint16_t in_columnNumber);

    Support::SqlData* m_data;
    uint16_t m_columnNumber;
    bool m_hasMore = true;
};

} // namespace ODBC
} // namespace Orvik
