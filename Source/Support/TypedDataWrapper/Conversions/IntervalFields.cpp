#include "IntervalFields.h"

#include "Support/NumberConverter.h"

#include <sqltypes.h>

#include <cstddef>
#include <cstring>

namespace Orvik {
namespace Support {

IntervalFields IntervalFields::FromSqlValue(const void* in_source, const IntervalKind& in_kind)
{
    const uint8_t* source = static_cast<const uint8_t*>(in_source);
    IntervalFields value;
    uint32_t offset = 0;
    for (int unit = in_kind.m_first; unit <= in_kind.m_last; ++unit, offset += sizeof(uint32_t))
    {
        value.m_fields[unit] = KernelOutput::Load<uint32_t>(source + offset);
    }
    if (in_kind.HasSeconds())
    {
        value.m_fraction = KernelOutput::Load<uint32_t>(source + offset);
        offset += sizeof(uint32_t);
    }
    value.m_isNegative = KernelOutput::Load<uint8_t>(source + offset) != 0;
    return value;
}

IntervalFields IntervalFields::FromApplicationStruct(const void* in_source, const IntervalKind& in_kind)
{
    // The fields of each member follow one another from the union's start, the year where the
    // day is and the month where the hour is.
    constexpr size_t FIELDS = offsetof(SQL_INTERVAL_STRUCT, intval);
    constexpr size_t FRACTION = offsetof(SQL_INTERVAL_STRUCT, intval.day_second.fraction);
    constexpr size_t SIGN = offsetof(SQL_INTERVAL_STRUCT, interval_sign);
    static_assert(offsetof(SQL_INTERVAL_STRUCT, intval.year_month.month) == FIELDS + sizeof(uint32_t),
                  "year-month member layout");
    static_assert(FRACTION == FIELDS + 4 * sizeof(uint32_t), "day-second member layout");
    const uint8_t* source = static_cast<const uint8_t*>(in_source);
    const int firstUnit = in_kind.IsYearMonth() ? UNIT_YEAR : UNIT_DAY;
    IntervalFields value;
    for (int unit = in_kind.m_first; unit <= in_kind.m_last; ++unit)
    {
        const size_t offset = FIELDS + static_cast<size_t>(unit - firstUnit) * sizeof(uint32_t);
        value.m_fields[unit] = KernelOutput::Load<uint32_t>(source + offset);
    }
    if (in_kind.HasSeconds())
    {
        value.m_fraction = KernelOutput::Load<uint32_t>(source + FRACTION);
    }
    value.m_isNegative = KernelOutput::Load<SQLSMALLINT>(source + SIGN) == 1;
    return value;
}

uint64_t IntervalFields::Total(const IntervalKind& in_kind) const
{
    uint64_t total = m_fields[in_kind.m_first];
    for (int unit = in_kind.m_first + 1; unit <= in_kind.m_last; ++unit)
    {
        uint64_t units = IntervalKind::UnitsPer(static_cast<IntervalUnit>(unit - 1), static_cast<IntervalUnit>(unit));
        total = total * units + m_fields[unit];
    }
    return total;
}

void IntervalFields::Split(uint64_t in_total, const IntervalKind& in_kind)
{
    for (int unit = in_kind.m_last; unit > in_kind.m_first; --unit)
    {
        uint64_t units = IntervalKind::UnitsPer(static_cast<IntervalUnit>(unit - 1), static_cast<IntervalUnit>(unit));
        m_fields[unit] = in_total % units;
        in_total /= units;
    }
    m_fields[in_kind.m_first] = in_total;
}

bool IntervalFields::LeadingFits(const IntervalKind& in_kind, uint64_t in_leadingPrecision) const
{
    uint64_t leading = Leading(in_kind);
    return leading <= MAX_LEADING_FIELD
        && static_cast<uint64_t>(NumberConverter::GetNumberOfDigits(leading)) <= in_leadingPrecision;
}

void IntervalFields::WriteSqlValue(void* out_target, const IntervalKind& in_kind) const
{
    uint8_t* target = static_cast<uint8_t*>(out_target);
    std::memset(target, 0, in_kind.SqlValueSize());
    uint32_t offset = 0;
    for (int unit = in_kind.m_first; unit <= in_kind.m_last; ++unit, offset += sizeof(uint32_t))
    {
        KernelOutput::Store(target + offset, static_cast<uint32_t>(m_fields[unit]));
    }
    if (in_kind.HasSeconds())
    {
        KernelOutput::Store(target + offset, m_fraction);
        offset += sizeof(uint32_t);
    }
    KernelOutput::Store(target + offset, static_cast<uint8_t>(m_isNegative));
}

void IntervalFields::Write(void* out_target, const IntervalKind& in_kind) const
{
    auto field = [this](IntervalUnit in_unit) { return static_cast<uint32_t>(m_fields[in_unit]); };
    if (in_kind.IsYearMonth())
    {
        KernelOutput::WriteYearMonthInterval(
            out_target, in_kind.m_code, m_isNegative, field(UNIT_YEAR), field(UNIT_MONTH));
        return;
    }
    KernelOutput::WriteDaySecondInterval(out_target,
                                         in_kind.m_code,
                                         m_isNegative,
                                         field(UNIT_DAY),
                                         field(UNIT_HOUR),
                                         field(UNIT_MINUTE),
                                         field(UNIT_SECOND),
                                         in_kind.HasSeconds() ? m_fraction : 0);
}

} // namespace Support
} // namespace Orvik
