#pragma once

#include "DSI/Catalog/StringMetadataFilter.h"
#include "Support/orvik_wstring.h"

namespace Orvik {
namespace DSI {

/// An identifier argument (SQL_ATTR_METADATA_ID true): a quoted identifier stands for the text
/// between its quotes, an unquoted one loses its trailing blanks; rows match it without regard to
/// case. A NULL argument accepts every row.
class IDMetadataFilter : public StringMetadataFilter
{
public:
    /// in_quote is the connection's identifier quote; empty when identifiers cannot be quoted.
    IDMetadataFilter(const Support::orvik_wstring& in_identifier,
                     const Support::orvik_wstring& in_quote,
                     int32_t in_columnTag,
                     bool in_isWide);

    bool Filter() override;
    void LogFilter(ILogger& in_log) const override;
    void Accept(DSIMetadataRestrictionGenerator& io_generator) const override;

    /// The reduced identifier; null for a NULL argument.
    const Support::orvik_wstring& GetIdentifier() const { return m_identifier; }

private:
    Support::orvik_wstring m_identifier;
};

} // namespace DSI
} // namespace Orvik
