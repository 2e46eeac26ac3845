#pragma once

#include "DSI/Catalog/StringMetadataFilter.h"
#include "Support/orvik_wstring.h"

#include <memory>

namespace Orvik {
namespace DSI {

class LikeMatcher;

/// A search-pattern argument: rows match it as LIKE matches, "%" for any run of characters, "_"
/// for one, the escape making either stand for itself. A NULL pattern accepts every row.
class PVMetadataFilter : public StringMetadataFilter
{
public:
    /// in_escape is the connection's search-pattern escape; null or empty when there is none.
    PVMetadataFilter(const Support::orvik_wstring& in_pattern,
                     const Support::orvik_wstring& in_escape,
                     int32_t in_columnTag,
                     bool in_isWide);

    ~PVMetadataFilter() override;

    bool Filter() override;
    void LogFilter(ILogger& in_log) const override;
    void Accept(DSIMetadataRestrictionGenerator& io_generator) const override;

    /// The pattern as given; null for a NULL pattern.
    const Support::orvik_wstring& GetPattern() const { return m_pattern; }

    /// True when the pattern holds "%", "_" or the escape, so that it stands for more than its
    /// own text; false for a NULL pattern.
    bool IsPattern() const;

private:
    Support::orvik_wstring m_pattern;
    Support::orvik_wstring m_escape;
    /// Null for a NULL pattern.
    std::unique_ptr<LikeMatcher> m_matcher;
};

} // namespace DSI
} // namespace Orvik
