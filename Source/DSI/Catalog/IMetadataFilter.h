#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {
class SqlData;
}

namespace DSI {

class DSIMetadataRestrictionGenerator;
class ILogger;

/// A row filter of a catalog function: one argument of the function tested against one column of
/// each candidate row. The catalog result writes the row's whole value of the filter's column
/// into the filter's value holder, then asks Filter.
class IMetadataFilter
{
public:
    virtual ~IMetadataFilter() = default;

    IMetadataFilter(const IMetadataFilter&) = delete;
    IMetadataFilter& operator=(const IMetadataFilter&) = delete;

    /// True when the value now in the holder satisfies the argument.
    virtual bool Filter() = 0;

    /// The value holder into which the candidate value is written; still owned by the filter.
    virtual Support::SqlData& GetSqlData() = 0;

    /// Writes the filter's argument to in_log at TRACE.
    virtual void LogFilter(ILogger& in_log) const = 0;

    /// Hands the filter to the generator's operation for its class.
    virtual void Accept(DSIMetadataRestrictionGenerator& io_generator) const = 0;

    /// The catalog column tag of the column the filter tests.
    int32_t GetColumnTag() const { return m_columnTag; }

protected:
    explicit IMetadataFilter(int32_t in_columnTag) : m_columnTag(in_columnTag) {}

private:
    const int32_t m_columnTag;
};

} // namespace DSI
} // namespace Orvik
