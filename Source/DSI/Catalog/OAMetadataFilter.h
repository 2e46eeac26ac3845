#pragma once

#include "DSI/Catalog/StringMetadataFilter.h"
#include "Support/orvik_wstring.h"

#include <string>

namespace Orvik {
namespace DSI {

/// An ordinary argument: rows match it exactly, case and blanks included. A NULL argument accepts
/// every row.
class OAMetadataFilter : public StringMetadataFilter
{
public:
    OAMetadataFilter(const Support::orvik_wstring& in_argument, int32_t in_columnTag, bool in_isWide);

    bool Filter() override;
    void LogFilter(ILogger& in_log) const override;
    void Accept(DSIMetadataRestrictionGenerator& io_generator) const override;

    /// The argument; null for a NULL argument.
    const Support::orvik_wstring& GetArgument() const { return m_argument; }

private:
    Support::orvik_wstring m_argument;
    /// The argument in the holder's encoding, encoded once.
    std::string m_encodedArgument;
};

} // namespace DSI
} // namespace Orvik
