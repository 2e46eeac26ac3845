#include "DSI/Catalog/VLMetadataFilter.h"

#include "DSI/Catalog/DSIMetadataRestrictionGenerator.h"
#include "DSI/ILogger.h"
#include "Support/StringUtilities.h"

#include <algorithm>

namespace Orvik {
namespace DSI {

using Support::StringUtilities;
using Support::orvik_wstring;

namespace {

// The text between the first two occurrences of in_quote, when it occurs twice.
bool Unquote(std::string& io_item, const std::string& in_quote)
{
    if (in_quote.empty())
    {
        return false;
    }
    const size_t open = io_item.find(in_quote);
    const size_t close = open == std::string::npos ? open : io_item.find(in_quote, open + in_quote.size());
    if (close == std::string::npos)
    {
        return false;
    }
    io_item = io_item.substr(open + in_quote.size(), close - open - in_quote.size());
    return true;
}

std::string NormaliseItem(std::string in_item, const std::string& in_quote)
{
    StringUtilities::ToUpper(in_item);
    if (!Unquote(in_item, in_quote))
    {
        Unquote(in_item, "'");
    }
    StringUtilities::TrimLeft(in_item);
    StringUtilities::TrimRight(in_item);
    return in_item;
}

std::vector<std::string> SplitList(const orvik_wstring& in_list, const orvik_wstring& in_quote)
{
    std::vector<std::string> items;
    if (in_list.IsNull() || in_list == orvik_wstring(u"%"))
    {
        return items;
    }
    std::string list = in_list.GetAsUTF8();
    StringUtilities::TrimLeft(list);
    StringUtilities::TrimRight(list);
    const std::string quote = in_quote.GetAsUTF8();
    size_t start = 0;
    for (size_t comma = list.find(','); ; comma = list.find(',', start))
    {
        items.push_back(NormaliseItem(list.substr(start, comma - start), quote));
        if (comma == std::string::npos)
        {
            return items;
        }
        start = comma + 1;
    }
}

} // namespace

VLMetadataFilter::VLMetadataFilter(const orvik_wstring& in_list,
                                   const orvik_wstring& in_quote,
                                   int32_t in_columnTag,
                                   bool in_isWide)
    : StringMetadataFilter(in_columnTag, in_isWide),
      m_list(in_list),
      m_items(SplitList(in_list, in_quote))
{
}

bool VLMetadataFilter::Filter()
{
    if (m_items.empty())
    {
        return true;
    }
    std::string value = GetValueText().GetAsUTF8();
    StringUtilities::ToUpper(value);
    return std::find(m_items.begin(), m_items.end(), value) != m_items.end();
}

void VLMetadataFilter::LogFilter(ILogger& in_log) const
{
    if (in_log.GetLogLevel() > LOG_DEBUG)
    {
        in_log.LogFunctionEntrance("Orvik::DSI", "VLMetadataFilter", "LogFilter");
    }
    std::string items;
    for (const std::string& item : m_items)
    {
        items += item + ", ";
    }
    in_log.LogTrace("Orvik::DSI", "VLMetadataFilter", "LogFilter", "Filter strings are (in UTF-8): %s", items.c_str());
}

void VLMetadataFilter::Accept(DSIMetadataRestrictionGenerator& io_generator) const
{
    io_generator.VisitVLFilter(this);
}

} // namespace DSI
} // namespace Orvik
