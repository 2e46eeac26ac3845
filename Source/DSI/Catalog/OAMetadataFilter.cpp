#include "DSI/Catalog/OAMetadataFilter.h"

#include "DSI/Catalog/DSIMetadataRestrictionGenerator.h"
#include "DSI/ILogger.h"

#include <cstring>

namespace Orvik {
namespace DSI {

using Support::orvik_wstring;

OAMetadataFilter::OAMetadataFilter(const orvik_wstring& in_argument, int32_t in_columnTag, bool in_isWide)
    : StringMetadataFilter(in_columnTag, in_isWide),
      m_argument(in_argument),
      m_encodedArgument(in_argument.GetAsString(GetEncoding()))
{
}

bool OAMetadataFilter::Filter()
{
    if (m_argument.IsNull())
    {
        return true;
    }
    const int64_t length = GetValueLength();
    return length == static_cast<int64_t>(m_encodedArgument.size()) &&
           (length == 0 || std::memcmp(GetValueBytes(), m_encodedArgument.data(), m_encodedArgument.size()) == 0);
}

void OAMetadataFilter::LogFilter(ILogger& in_log) const
{
    if (in_log.GetLogLevel() > LOG_DEBUG)
    {
        in_log.LogFunctionEntrance("Orvik::DSI", "OAMetadataFilter", "LogFilter");
    }
    in_log.LogTrace("Orvik::DSI", "OAMetadataFilter", "LogFilter", "Filter string (in platform encoding) is %s",
                    m_argument.IsNull() ? "NULL" : m_argument.GetAsAnsiString().c_str());
}

void OAMetadataFilter::Accept(DSIMetadataRestrictionGenerator& io_generator) const
{
    io_generator.VisitOAFilter(this);
}

} // namespace DSI
} // namespace Orvik
