#include "DSI/Client/DSIListMetadataSource.h"

#include "DSI/BadColumnException.h"
#include "DSI/Client/DSITypeUtilities.h"
#include "DSI/Client/IResult.h"
#include "DSI/DSIException.h"
#include "Support/InvalidOperationException.h"
#include "Support/NumberConverter.h"

namespace Orvik {
namespace DSI {

using Support::NumberConverter;

DSIListMetadataSource::DSIListMetadataSource(const DSIMetadataRestrictions& in_restrictions,
                                             const std::vector<Support::orvik_wstring>& in_values)
    : DSIMetadataSource(in_restrictions),
      m_values(in_values)
{
}

void DSIListMetadataSource::CloseCursor()
{
    m_isStarted = false;
    m_current = 0;
}

bool DSIListMetadataSource::GetMetadata(int32_t in_tag, Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength)
{
    if (in_tag != VALUE_TAG)
    {
        throw BadColumnException(u"InvalidColumnNum", {NumberConverter::ConvertInt32ToWString(in_tag)});
    }
    if (!m_isStarted || m_current >= m_values.size())
    {
        // Before the first Move or past the last value there is no row to read.
        ORVIK_THROW_INVALID_OPERATION();
    }
    return DSITypeUtilities::OutputStringData(m_values[m_current], io_target, in_offset, in_maxLength);
}

bool DSIListMetadataSource::Move(int32_t in_direction, int64_t)
{
    if (in_direction != DSI_DIR_NEXT)
    {
        throw DSIException(u"ResultSetTraverseDirNotSupported", {NumberConverter::ConvertInt32ToWString(in_direction)});
    }
    if (!m_isStarted)
    {
        m_isStarted = true;
        m_current = 0;
    }
    else if (m_current < m_values.size())
    {
        ++m_current;
    }
    return m_current < m_values.size();
}

} // namespace DSI
} // namespace Orvik
