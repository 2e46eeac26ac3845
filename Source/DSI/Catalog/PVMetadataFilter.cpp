#include "DSI/Catalog/PVMetadataFilter.h"

#include "DSI/Catalog/DSIMetadataRestrictionGenerator.h"
#include "DSI/Client/Collation.h"
#include "DSI/Client/LikeMatcher.h"
#include "DSI/ILogger.h"

#include <string>

namespace Orvik {
namespace DSI {

using Support::EncodingType;
using Support::orvik_wstring;

namespace {

std::unique_ptr<LikeMatcher> Compile(const orvik_wstring& in_pattern,
                                     const orvik_wstring& in_escape,
                                     EncodingType in_encoding)
{
    if (in_pattern.IsNull())
    {
        return nullptr;
    }
    const std::string pattern = in_pattern.GetAsString(in_encoding);
    const std::string escape = in_escape.GetAsString(in_encoding);
    return Collation::GetDefault()->CreateLikeMatcher(pattern.data(),
                                                      static_cast<int64_t>(pattern.size()),
                                                      escape.empty() ? nullptr : escape.data(),
                                                      static_cast<int64_t>(escape.size()),
                                                      in_encoding);
}

} // namespace

PVMetadataFilter::PVMetadataFilter(const orvik_wstring& in_pattern,
                                   const orvik_wstring& in_escape,
                                   int32_t in_columnTag,
                                   bool in_isWide)
    : StringMetadataFilter(in_columnTag, in_isWide),
      m_pattern(in_pattern),
      m_escape(in_escape),
      m_matcher(Compile(in_pattern, in_escape, GetEncoding()))
{
}

PVMetadataFilter::~PVMetadataFilter() = default;

bool PVMetadataFilter::Filter()
{
    return m_matcher == nullptr || m_matcher->Match(GetValueBytes(), GetValueLength());
}

bool PVMetadataFilter::IsPattern() const
{
    if (m_pattern.IsNull())
    {
        return false;
    }
    const bool hasEscape = !m_escape.IsNull() && m_escape.GetLength() > 0 && m_pattern.Find(m_escape) >= 0;
    return hasEscape || m_pattern.Find(u"%") >= 0 || m_pattern.Find(u"_") >= 0;
}

void PVMetadataFilter::LogFilter(ILogger& in_log) const
{
    if (in_log.GetLogLevel() > LOG_DEBUG)
    {
        in_log.LogFunctionEntrance("Orvik::DSI", "PVMetadataFilter", "LogFilter");
    }
    in_log.LogTrace("Orvik::DSI", "PVMetadataFilter", "LogFilter", "Filter string (in UTF-8) is %s",
                    m_pattern.IsNull() ? "NULL" : m_pattern.GetAsUTF8().c_str());
}

void PVMetadataFilter::Accept(DSIMetadataRestrictionGenerator& io_generator) const
{
    io_generator.VisitPVFilter(this);
}

} // namespace DSI
} // namespace Orvik
