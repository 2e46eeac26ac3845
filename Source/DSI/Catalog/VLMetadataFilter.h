#pragma once

#include "DSI/Catalog/StringMetadataFilter.h"
#include "Support/orvik_wstring.h"

#include <string>
#include <vector>

namespace Orvik {
namespace DSI {

/// A value-list argument, such as the table types of SQLTables: a comma-separated list whose
/// items may be quoted; rows match any item without regard to ASCII case. A NULL list and the
/// list "%" accept every row.
class VLMetadataFilter : public StringMetadataFilter
{
public:
    VLMetadataFilter(const Support::orvik_wstring& in_list,
                     const Support::orvik_wstring& in_quote,
                     int32_t in_columnTag,
                     bool in_isWide);

    bool Filter() override;
    void LogFilter(ILogger& in_log) const override;
    void Accept(DSIMetadataRestrictionGenerator& io_generator) const override;

    /// The whole list as given; null for a NULL list.
    const Support::orvik_wstring& GetList() const { return m_list; }

    /// The items, upper-cased UTF-8 without quotes and surrounding white space.
    const std::vector<std::string>& GetItems() const { return m_items; }

private:
    Support::orvik_wstring m_list;
    std::vector<std::string> m_items;
};

} // namespace DSI
} // namespace Orvik
