#include "DSI/Catalog/IDMetadataFilter.h"

#include "DSI/Catalog/DSIMetadataRestrictionGenerator.h"
#include "DSI/ILogger.h"

namespace Orvik {
namespace DSI {

using Support::orvik_wstring;

namespace {

orvik_wstring ReduceIdentifier(const orvik_wstring& in_identifier, const orvik_wstring& in_quote)
{
    if (in_identifier.IsNull())
    {
        return in_identifier;
    }
    const int32_t quoteLength = in_quote.GetLength();
    const int32_t open = quoteLength > 0 ? in_identifier.Find(in_quote) : -1;
    const int32_t close = open >= 0 ? in_identifier.Find(in_quote, open + quoteLength) : -1;
    if (close >= 0)
    {
        return in_identifier.Substr(open + quoteLength, close - open - quoteLength);
    }
    orvik_wstring trimmed(in_identifier);
    trimmed.TrimTrailingBlanks();
    return trimmed;
}

} // namespace

IDMetadataFilter::IDMetadataFilter(const orvik_wstring& in_identifier,
                                   const orvik_wstring& in_quote,
                                   int32_t in_columnTag,
                                   bool in_isWide)
    : StringMetadataFilter(in_columnTag, in_isWide),
      m_identifier(ReduceIdentifier(in_identifier, in_quote))
{
}

bool IDMetadataFilter::Filter()
{
    return m_identifier.IsNull() || GetValueText().IsEqual(m_identifier, false);
}

void IDMetadataFilter::LogFilter(ILogger& in_log) const
{
    if (in_log.GetLogLevel() > LOG_DEBUG)
    {
        in_log.LogFunctionEntrance("Orvik::DSI", "IDMetadataFilter", "LogFilter");
    }
    in_log.LogTrace("Orvik::DSI", "IDMetadataFilter", "LogFilter", "Filter string (in UTF-8) is %s",
                    m_identifier.IsNull() ? "NULL" : m_identifier.GetAsUTF8().c_str());
}

void IDMetadataFilter::Accept(DSIMetadataRestrictionGenerator& io_generator) const
{
    io_generator.VisitIDFilter(this);
}

} // namespace DSI
} // namespace Orvik
