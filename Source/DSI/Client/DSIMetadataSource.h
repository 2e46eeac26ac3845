#pragma once

#include "Support/orvik_wstring.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace Orvik {
namespace Support {
class SqlData;
}

namespace DSI {

class DSIColumn;
class IMetadataFilter;

/// Catalog column tags to the argument texts that restrict a catalog function's rows.
using DSIMetadataRestrictions = std::map<int32_t, Support::orvik_wstring>;

/// The base of the catalog sources: a source produces the rows of one catalog function and
/// answers each cell by its catalog column tag. A catalog result reads it forward only.
class DSIMetadataSource
{
public:
    /// Keeps a copy of the restrictions.
    explicit DSIMetadataSource(const DSIMetadataRestrictions& in_restrictions) : m_restrictions(in_restrictions) {}

    virtual ~DSIMetadataSource() = default;

    DSIMetadataSource(const DSIMetadataSource&) = delete;
    DSIMetadataSource& operator=(const DSIMetadataSource&) = delete;

    /// Goes back to before the first row.
    virtual void CloseCursor() = 0;

    /// Appends the columns the source serves beyond the standard catalog columns; none here.
    virtual void AddExtraColumns(std::vector<std::unique_ptr<DSIColumn>>& io_columns);

    /// Writes the current row's value of the column tagged in_tag into io_target, from the byte
    /// offset in_offset on and at most in_maxLength bytes (-1: no limit). Returns true when more
    /// of the value remains.
    virtual bool GetMetadata(int32_t in_tag, Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength) = 0;

    /// The same for an extra column; throws DSIException "FuncNotSupported" here.
    virtual bool GetExtraColumnData(uint16_t in_tag, Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength);

    /// Lets the source narrow its own rows by the catalog result's filters; nothing here. The
    /// vector is emptied after the call, so a source copies what it needs.
    virtual void RegisterFilters(const std::vector<std::unique_ptr<IMetadataFilter>>& in_filters);

    /// Moves to the next row (in_direction DSI_DIR_NEXT); false at the end.
    virtual bool Move(int32_t in_direction, int64_t in_offset) = 0;

protected:
    const DSIMetadataRestrictions& GetRestrictions() const { return m_restrictions; }

private:
    DSIMetadataRestrictions m_restrictions;
};

} // namespace DSI
} // namespace Orvik
