#include "SqlToCStateGroups.h"

#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlToCKernelState.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/orvik_wstring.h"

#include <algorithm>
#include <limits>

namespace Orvik {
namespace Support {

namespace {

/// One metadata value copied into one state field.
enum Copy : uint16_t
{
    /// m_sourceEncoding: the source's encoding.
    SOURCE_ENCODING = 1 << 0,
    /// m_targetEncoding: the buffer's own encoding.
    BUFFER_ENCODING = 1 << 1,
    /// m_targetEncoding: the driver manager's wide-character encoding.
    DRIVER_MANAGER_ENCODING = 1 << 2,
    /// m_sourceLeadingPrecision: the source's length or interval leading precision.
    SOURCE_LEADING = 1 << 3,
    /// m_targetLeadingPrecision: the buffer's length or interval leading precision.
    TARGET_LEADING = 1 << 4,
    /// m_sourceFractionalPrecision: the source's precision.
    SOURCE_FRACTION = 1 << 5,
    /// m_targetFractionalPrecision: the buffer's precision.
    TARGET_FRACTION = 1 << 6,
    /// m_targetFractionalPrecision: the source's precision, the fraction the kernel keeps.
    SOURCE_FRACTION_KEPT = 1 << 7,
    /// m_sourcePrecision: the source's precision.
    SOURCE_PRECISION = 1 << 8,
    /// m_targetPrecision: the buffer's precision.
    TARGET_PRECISION = 1 << 9,
    /// m_targetScale: the buffer's scale.
    TARGET_SCALE = 1 << 10,
};

struct GroupCopies
{
    SqlToCStateGroup m_group;
    uint16_t m_copies;
};

// One row per group, in the order of the enumeration.
constexpr GroupCopies GROUP_COPIES[] = {
    {SqlToCStateGroup::NONE, 0},
    {SqlToCStateGroup::BUFFER_ENCODING, BUFFER_ENCODING},
    {SqlToCStateGroup::DRIVER_MANAGER_ENCODING, DRIVER_MANAGER_ENCODING},
    {SqlToCStateGroup::NUMERIC_TARGET, TARGET_PRECISION | TARGET_SCALE},
    {SqlToCStateGroup::NUMERIC_TO_NUMERIC, SOURCE_PRECISION | TARGET_PRECISION | TARGET_SCALE},
    {SqlToCStateGroup::LEADING_PRECISION, TARGET_LEADING},
    {SqlToCStateGroup::INTERVAL_PRECISIONS, TARGET_LEADING | TARGET_FRACTION},
    {SqlToCStateGroup::TEXT_TO_TIMESTAMP, TARGET_FRACTION},
    {SqlToCStateGroup::WIDE_TEXT_SOURCE, SOURCE_ENCODING},
    {SqlToCStateGroup::WIDE_TEXT_TO_NUMERIC, SOURCE_ENCODING | SOURCE_PRECISION | TARGET_PRECISION | TARGET_SCALE},
    {SqlToCStateGroup::WIDE_TEXT_TO_TIMESTAMP, SOURCE_ENCODING | TARGET_FRACTION},
    {SqlToCStateGroup::WIDE_TEXT_TO_INTERVAL, SOURCE_ENCODING | TARGET_LEADING | TARGET_FRACTION},
    {SqlToCStateGroup::TIME_PRECISIONS, SOURCE_FRACTION | TARGET_FRACTION},
    {SqlToCStateGroup::TIME_PRECISIONS_WIDE, SOURCE_FRACTION | TARGET_FRACTION | BUFFER_ENCODING},
    {SqlToCStateGroup::TIMESTAMP_WIDE_TEXT, SOURCE_FRACTION | BUFFER_ENCODING},
    {SqlToCStateGroup::TIMESTAMP_TO_TIMESTAMP, SOURCE_FRACTION | SOURCE_FRACTION_KEPT},
    {SqlToCStateGroup::INTERVAL_TEXT, SOURCE_LEADING},
    {SqlToCStateGroup::INTERVAL_WIDE_TEXT, SOURCE_LEADING | DRIVER_MANAGER_ENCODING},
    {SqlToCStateGroup::SECONDS_TEXT, SOURCE_LEADING | SOURCE_FRACTION},
    {SqlToCStateGroup::SECONDS_WIDE_TEXT, SOURCE_LEADING | SOURCE_FRACTION | DRIVER_MANAGER_ENCODING},
    {SqlToCStateGroup::INTERVAL_TO_NUMERIC, TARGET_SCALE | TARGET_PRECISION | SOURCE_LEADING},
    {SqlToCStateGroup::SECONDS_TO_NUMERIC, SOURCE_FRACTION | TARGET_SCALE | TARGET_PRECISION},
    {SqlToCStateGroup::INTERVAL_TO_INTERVAL, SOURCE_LEADING | TARGET_LEADING},
    {SqlToCStateGroup::CHARACTER_TEXT, SOURCE_ENCODING | BUFFER_ENCODING},
};

constexpr bool IsInEnumerationOrder()
{
    for (size_t i = 0; i < sizeof(GROUP_COPIES) / sizeof(GROUP_COPIES[0]); ++i)
    {
        if (static_cast<size_t>(GROUP_COPIES[i].m_group) != i)
        {
            return false;
        }
    }
    return static_cast<size_t>(SqlToCStateGroup::CHARACTER_TEXT) + 1 == sizeof(GROUP_COPIES) / sizeof(GROUP_COPIES[0]);
}

static_assert(IsInEnumerationOrder(), "one row per state group, in the enumeration's order");

/// The fixed size of a fixed-size C type, else the buffer length the application gave. A length
/// beyond the signed range cannot be a real buffer; it is held at the largest length rather than
/// wrapping into a negative one.
int64_t TargetLength(const SqlCTypeMetadata& in_target)
{
    const uint64_t length = in_target.IsFixedSize() ? in_target.GetFixedSize() : in_target.GetOctetLength();
    return static_cast<int64_t>(std::min<uint64_t>(length, std::numeric_limits<int64_t>::max()));
}

} // namespace

SqlToCKernelState SqlToCStateGroups::Make(SqlToCStateGroup in_group,
                                          const SqlTypeMetadata& in_source,
                                          const SqlCTypeMetadata& in_target)
{
    SqlToCKernelState state;
    state.m_targetLength = TargetLength(in_target);
    const uint16_t copies = GROUP_COPIES[static_cast<size_t>(in_group)].m_copies;
    const auto has = [copies](Copy in_copy) { return (copies & in_copy) != 0; };
    if (has(SOURCE_ENCODING))
    {
        state.m_sourceEncoding = in_source.GetEncoding();
    }
    if (has(BUFFER_ENCODING))
    {
        state.m_targetEncoding = in_target.GetEncoding();
    }
    if (has(DRIVER_MANAGER_ENCODING))
    {
        state.m_targetEncoding = orvik_wstring::GetDriverManagerEncoding();
    }
    if (has(SOURCE_LEADING))
    {
        state.m_sourceLeadingPrecision = in_source.GetLengthOrIntervalPrecision();
    }
    if (has(TARGET_LEADING))
    {
        state.m_targetLeadingPrecision = in_target.GetLengthOrIntervalPrecision();
    }
    if (has(SOURCE_FRACTION))
    {
        state.m_sourceFractionalPrecision = in_source.GetPrecision();
    }
    if (has(TARGET_FRACTION))
    {
        state.m_targetFractionalPrecision = in_target.GetPrecision();
    }
    if (has(SOURCE_FRACTION_KEPT))
    {
        state.m_targetFractionalPrecision = in_source.GetPrecision();
    }
    if (has(SOURCE_PRECISION))
    {
        state.m_sourcePrecision = in_source.GetPrecision();
    }
    if (has(TARGET_PRECISION))
    {
        state.m_targetPrecision = in_target.GetPrecision();
    }
    if (has(TARGET_SCALE))
    {
        state.m_targetScale = in_target.GetScale();
    }
    return state;
}

} // namespace Support
} // namespace Orvik
